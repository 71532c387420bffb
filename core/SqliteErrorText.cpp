#include "core/SqliteErrorText.h"
#include "core/FailureReason.h"

#include <sqlite3.h>

namespace {

// Failures that SQLite reports under its general code, told apart by its text.
QString descriptionOfText(const QString& engineText) {
    if (engineText.startsWith(QLatin1String("no such table")))
        return QStringLiteral("数据表不存在");
    if (engineText.startsWith(QLatin1String("no such column")))
        return QStringLiteral("数据列不存在");
    return {};
}

} // namespace

QString sqliteErrorText(int resultCode, const QString& engineText, int systemError) {
    QString chinese = failureReason(FailureCode::sqlite(resultCode, systemError));
    if (chinese.isEmpty())
        chinese = descriptionOfText(engineText);
    return chinese.isEmpty() ? engineText : chinese + QStringLiteral("：") + engineText;
}

QString sqliteErrorText(sqlite3* db) {
    if (!db)
        return QString();
    return sqliteErrorText(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)),
                           sqlite3_system_errno(db));
}

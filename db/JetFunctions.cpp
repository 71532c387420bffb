#include "db/JetFunctions.h"

#include <QDateTime>
#include <QString>
#include <cmath>
#include <sqlite3.h>

namespace {

QString textArgument(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(text, sqlite3_value_bytes(value));
}

// Dates travel as 'yyyy-mm-dd' text, optionally followed by a time; the time part is kept.
void dateAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL ||
        sqlite3_value_type(argv[2]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString interval = textArgument(argv[0]).trimmed().toLower();
    // The old engine rounds a fractional count to a whole one.
    const qint64 count = std::llround(sqlite3_value_double(argv[1]));
    const QString dateText = textArgument(argv[2]).trimmed();
    const QDate date = QDate::fromString(dateText.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid()) {
        sqlite3_result_null(context);
        return;
    }
    QDate result;
    if (interval == QLatin1String("d"))
        result = date.addDays(count);
    else if (interval == QLatin1String("m"))
        result = date.addMonths(static_cast<int>(count)); // clamps to the month's last day
    else if (interval == QLatin1String("yyyy"))
        result = date.addYears(static_cast<int>(count));
    else {
        sqlite3_result_error(context, "dateadd: unknown interval", -1);
        return;
    }
    const QByteArray text = (result.toString(QStringLiteral("yyyy-MM-dd")) + dateText.mid(10)).toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void getDate(sqlite3_context* context, int, sqlite3_value**) {
    const QByteArray text =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

} // namespace

bool registerJetFunctions(sqlite3* db) {
    const int deterministic = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "dateadd", 3, deterministic, nullptr, dateAdd, nullptr, nullptr) ==
               SQLITE_OK &&
           sqlite3_create_function(db, "getdate", 0, SQLITE_UTF8, nullptr, getDate, nullptr, nullptr) ==
               SQLITE_OK;
}

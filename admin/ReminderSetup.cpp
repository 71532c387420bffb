#include "admin/ReminderSetup.h"
#include "core/BlankTrim.h"
#include "core/clsMDB.h"

#include <QRegularExpression>

namespace ReminderSetup {

std::optional<QString> read(const clsMDB& db) {
    const auto rs = db.GetRS(QStringLiteral("select remark from info_parameter where prid=35"));
    if (!rs || rs->Eof())
        return std::nullopt;
    const QVariant value = rs->Fields(QStringLiteral("remark"));
    if (!value.isValid())
        return std::nullopt;
    return trimBlanksOrSpace(value.toString());
}

bool isNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}

Check check(const QString& text) {
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty())
        return Check::Empty;
    if (!isNumber(trimmed))
        return Check::NotNumber;
    return Check::Ok;
}

bool write(const clsMDB& db, const QString& text) {
    return db.ExecSQL(QStringLiteral("update info_parameter set remark=? where prid=35"),
                      {trimBlanks(text)}) &&
           db.RecordsAffected() == 1;
}

} // namespace ReminderSetup

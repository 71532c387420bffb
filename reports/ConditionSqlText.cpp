#include "reports/ConditionSqlText.h"
#include "pickers/ClientSelectQuery.h"

namespace ConditionSqlText {

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString containsLiteral(const QString& text) {
    const QString pattern = ClientSelectQuery::containsPattern(text);
    const bool escaped = pattern.size() != text.size() + 2;
    return quoted(pattern) + (escaped ? QStringLiteral(" escape '\\'") : QString());
}

} // namespace ConditionSqlText

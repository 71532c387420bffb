#include "reports/ConditionSqlText.h"
#include "core/LikePattern.h"

namespace ConditionSqlText {

QString quoted(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString containsLiteral(const QString& text) {
    const QString pattern = LikePattern::contains(text);
    const bool escaped = pattern.size() != text.size() + 2;
    return quoted(pattern) + (escaped ? QStringLiteral(" escape '\\'") : QString());
}

} // namespace ConditionSqlText

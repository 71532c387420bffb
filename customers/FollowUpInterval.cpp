#include "customers/FollowUpInterval.h"
#include "core/JetFunctions.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace FollowUpInterval {

std::optional<int> days(const QString& typed) {
    bool ok = false;
    const double value = QLocale::c().toDouble(typed.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double whole = roundHalfToEven(value);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<int>(whole);
}

QString dayAfter(const QDate& from, const QString& typed) {
    const std::optional<int> count = days(typed);
    if (!count || !from.isValid())
        return QString();
    const QDate day = from.addDays(*count);
    if (!day.isValid() || day.year() < 1 || day.year() > 9999)
        return QString();
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace FollowUpInterval

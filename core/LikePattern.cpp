#include "core/LikePattern.h"

namespace LikePattern {

QString exact(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QString contains(const QString& text) {
    return QLatin1Char('%') + exact(text) + QLatin1Char('%');
}

} // namespace LikePattern

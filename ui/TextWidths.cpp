#include "ui/TextWidths.h"
#include "ui/Utf8Units.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

TextWidths::TextWidths(const QFont& font) : m_metrics(font), m_advances(0x10000, -1) {}

qreal TextWidths::estimate(QStringView text) {
    qreal widest = 0;
    qreal line = 0;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n')) {
            widest = std::max(widest, line);
            line = 0;
            continue;
        }
        line += advance(ch.unicode());
    }
    return std::max(widest, line);
}

std::optional<qreal> TextWidths::estimateUtf8(QByteArrayView utf8) {
    qreal widest = 0;
    qreal line = 0;
    const bool asText = forEachUtf16Unit(utf8, [&](char16_t unit) {
        if (unit == u'\n') {
            widest = std::max(widest, line);
            line = 0;
        } else {
            line += advance(unit);
        }
    });
    if (!asText)
        return std::nullopt;
    return std::max(widest, line);
}

QString TextWidths::widestNumber(qint64 last) {
    const QString top = QString::number(std::max<qint64>(last, 1));
    const qsizetype length = top.size();
    // The widest digit from `from` up to `to`.
    const auto widestDigit = [this](char16_t from, char16_t to) {
        char16_t best = from;
        for (char16_t d = from; d <= to; ++d)
            if (advance(d) > advance(best))
                best = d;
        return QChar(best);
    };
    const QChar anyDigit = widestDigit(u'0', u'9');
    // The number itself; below it, each digit in turn lowered (to the widest digit below it) with the
    // widest digits after it; and the widest number of one digit less.
    QString widest = top;
    qreal widestWidth = estimate(top);
    const auto consider = [&](const QString& candidate) {
        const qreal width = estimate(candidate);
        if (width > widestWidth) {
            widest = candidate;
            widestWidth = width;
        }
    };
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t lowest = i == 0 ? u'1' : u'0';
        const char16_t digit = top[i].unicode();
        if (digit <= lowest)
            continue;
        consider(top.left(i) + widestDigit(lowest, digit - 1) + QString(length - i - 1, anyDigit));
    }
    if (length > 1)
        consider(widestDigit(u'1', u'9') + QString(length - 2, anyDigit));
    return widest;
}

int TextWidths::exact(const QString& text) const {
    qreal widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, m_metrics.horizontalAdvance(line));
    return static_cast<int>(std::ceil(widest));
}

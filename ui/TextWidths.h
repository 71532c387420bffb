#pragma once
#include <QByteArrayView>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// Widths of texts in one font. Laying out every text of a large grid is slow, so texts are compared by
// the sum of their characters' advances (each character measured once) and only the widest of a
// column is laid out.
class TextWidths {
public:
    explicit TextWidths(const QFont& font);

    // The widest line of a text, by the sum of its characters' advances.
    qreal estimate(QStringView text);
    // The same for a text as UTF-8 bytes, without making a string of it; nothing for bytes that are
    // not UTF-8 (which a string made of them would show otherwise).
    std::optional<qreal> estimateUtf8(QByteArrayView utf8);
    // The number of 1 to `last` (at least 1) whose digits are widest.
    QString widestNumber(qint64 last);
    // The widest line of a text as laid out.
    int exact(const QString& text) const;

private:
    qreal advance(char16_t unit) {
        qreal& known = m_advances[unit];
        if (known < 0)
            known = m_metrics.horizontalAdvance(QChar(unit));
        return known;
    }

    QFontMetricsF m_metrics;
    std::vector<qreal> m_advances;
};

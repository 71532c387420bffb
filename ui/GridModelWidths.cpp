// Column widths and their fitting to the texts, row heights, column alignment.
#include "ui/GridModel.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <vector>

int GridModel::ColWidth(int col) const {
    return col >= 0 && col < m_cols ? m_colWidths[col] : -1;
}

void GridModel::setColWidth(int col, int twips) {
    if (col < 0 || col >= m_cols)
        return;
    m_colWidths[col] = std::max(twips, -1);
    announceColumnFormat();
}

int GridModel::colWidthPx(int col) const {
    const int twips = ColWidth(col);
    return twips < 0 ? -1 : (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

void GridModel::setColWidthPx(int col, int pixels) {
    setColWidth(col, pixels < 0 ? -1 : pixels * TwipsPerPixel);
}

int GridModel::captionWidth(int col) const {
    return col >= 0 && col < m_cols ? m_captionWidths[col] : 0;
}

namespace {
// Widths of texts in one font. Laying out every text of a large grid is slow, so texts are compared by
// the sum of their characters' advances (each character measured once) and only the widest of a
// column is laid out.
class TextWidths {
public:
    explicit TextWidths(const QFont& font) : m_metrics(font), m_advances(0x10000, -1) {}

    qreal estimate(QStringView text) {
        qreal widest = 0;
        qreal line = 0;
        for (const QChar ch : text) {
            if (ch == QLatin1Char('\n')) {
                widest = std::max(widest, line);
                line = 0;
                continue;
            }
            qreal& advance = m_advances[ch.unicode()];
            if (advance < 0)
                advance = m_metrics.horizontalAdvance(ch);
            line += advance;
        }
        return std::max(widest, line);
    }
    int exact(const QString& text) const {
        qreal widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, m_metrics.horizontalAdvance(line));
        return static_cast<int>(std::ceil(widest));
    }

private:
    QFontMetricsF m_metrics;
    std::vector<qreal> m_advances;
};
} // namespace

void GridModel::AutoSize(int col1, int col2) {
    col1 = std::max(col1, 0);
    col2 = std::min(col2, m_cols - 1);
    if (m_fittedPx.size() != m_cols)
        m_fittedPx.fill(-1, m_cols);
    QList<int> unknown;
    for (int c = col1; c <= col2; ++c)
        if (m_fittedPx[c] < 0)
            unknown << c;
    if (!unknown.isEmpty())
        measureColumns(unknown);
    for (int c = col1; c <= col2; ++c)
        m_colWidths[c] = (m_fittedPx[c] + 2 * CellMarginPx) * TwipsPerPixel;
    announceColumnFormat();
}

void GridModel::measureColumns(const QList<int>& cols) {
    if (!qGuiApp) {
        for (int c : cols) {
            int widest = 0;
            for (int r = 0; r < m_rows; ++r)
                widest = std::max(widest, textWidthPx(visibleText(r, c)));
            m_fittedPx[c] = widest;
        }
        return;
    }
    // Every cell in the font it is drawn with: bold cells in bold.
    QFont boldFont = m_font;
    boldFont.setBold(true);
    TextWidths plain(m_font);
    TextWidths bold(boldFont);
    struct Widest {
        qreal width = 0;
        QString text;
        bool bold = false;
    };
    std::vector<Widest> widest(static_cast<size_t>(cols.size()));
    const bool anyFormat = !m_formats.empty();
    const int boldKind = static_cast<int>(CellProp::FontBold);
    // Row by row, as the cells lie in memory.
    for (int r = 0; r < m_rows; ++r) {
        for (qsizetype i = 0; i < cols.size(); ++i) {
            const QString text = visibleText(r, cols[i]);
            if (text.isEmpty())
                continue;
            const bool isBold = anyFormat && m_formats.value(boldKind, r, cols[i]).toBool();
            const qreal width = (isBold ? bold : plain).estimate(text);
            Widest& w = widest[static_cast<size_t>(i)];
            if (width > w.width)
                w = {width, text, isBold};
        }
    }
    for (qsizetype i = 0; i < cols.size(); ++i) {
        const Widest& w = widest[static_cast<size_t>(i)];
        // No column wider than a screen: a longer text is cut there, as it is drawn.
        int fitted = 0;
        if (w.width >= widestScreenPx())
            fitted = widestScreenPx();
        else if (!w.text.isEmpty())
            fitted = std::max(static_cast<int>(std::ceil(w.width)), (w.bold ? bold : plain).exact(w.text));
        m_fittedPx[cols[i]] = std::min(fitted, widestScreenPx());
    }
}

void GridModel::forgetFittedWidths(int col) {
    if (col < 0)
        m_fittedPx.clear();
    else if (col < m_fittedPx.size())
        m_fittedPx[col] = -1;
}

GridModel::Align GridModel::ColAlignment(int col) const {
    return col >= 0 && col < m_cols ? m_colAlign[col] : Align::General;
}

void GridModel::setColAlignment(int col, Align align) {
    if (col < 0 || col >= m_cols)
        return;
    m_colAlign[col] = align;
    announceColumnFormat();
}

void GridModel::setRowHeight(int row, int twips) {
    if (row < 0 || row >= m_rows)
        return;
    if (twips < 0)
        m_rowHeights.remove(row);
    else
        m_rowHeights.insert(row, twips);
    if (m_redraw)
        emit rowHeightChanged(row);
}

void GridModel::setRowData(int row, const QVariant& value) {
    if (row >= 0 && row < m_rows)
        m_rowData.insert(row, value);
}

void GridModel::setColData(int col, const QVariant& value) {
    if (col >= 0 && col < m_cols)
        m_colData.insert(col, value);
}

void GridModel::setExtendLastCol(bool extend) {
    if (extend == m_extendLastCol)
        return;
    m_extendLastCol = extend;
    announceColumnFormat();
}

void GridModel::setFont(const QFont& font) {
    m_font = font;
    forgetFittedWidths();
}

int GridModel::textWidthPx(const QString& text) const {
    if (!qGuiApp)
        return static_cast<int>(text.size()) * 8;
    const QFontMetrics metrics(m_font);
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

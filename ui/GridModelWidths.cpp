// Column widths and their fitting to the texts, row heights, column alignment.
#include "ui/GridModel.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>

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

void GridModel::AutoSize(int col1, int col2) {
    col1 = std::max(col1, 0);
    col2 = std::min(col2, m_cols - 1);
    if (!qGuiApp) {
        for (int c = col1; c <= col2; ++c) {
            int widest = 0;
            for (int r = 0; r < m_rows; ++r)
                widest = std::max(widest, textWidthPx(cellText(r, c)));
            m_colWidths[c] = (widest + 2 * CellMarginPx) * TwipsPerPixel;
        }
        announceColumnFormat();
        return;
    }
    // Laying out every text of a large grid is slow: texts are compared by the sum of their
    // characters' advances (each character measured once), and each column's widest is measured
    // exactly.
    const QFontMetricsF metrics(m_font);
    std::vector<qreal> advances(0x10000, -1);
    const auto estimate = [&](const QString& text) {
        qreal widest = 0;
        qreal line = 0;
        for (const QChar ch : text) {
            if (ch == QLatin1Char('\n')) {
                widest = std::max(widest, line);
                line = 0;
                continue;
            }
            qreal& advance = advances[ch.unicode()];
            if (advance < 0)
                advance = metrics.horizontalAdvance(ch);
            line += advance;
        }
        return std::max(widest, line);
    };
    // Row by row, as the cells lie in memory.
    const int count = col2 - col1 + 1;
    if (count <= 0) {
        announceColumnFormat();
        return;
    }
    std::vector<qreal> widest(count, 0);
    std::vector<QString> widestText(count);
    std::vector<char> widestBold(count, 0);
    // Bold cells are wider than their estimate in the plain font.
    const bool anyFormat = !m_formats.empty();
    const int boldKind = static_cast<int>(CellProp::FontBold);
    for (int r = 0; r < m_rows; ++r) {
        for (int i = 0; i < count; ++i) {
            const QString text = cellText(r, col1 + i);
            if (text.isEmpty())
                continue;
            const bool bold = anyFormat && m_formats.value(boldKind, r, col1 + i).toBool();
            const qreal width = estimate(text) * (bold ? 1.15 : 1.0);
            if (width > widest[i]) {
                widest[i] = width;
                widestText[i] = text;
                widestBold[i] = bold;
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        int exact = 0;
        if (!widestText[i].isEmpty() && widestBold[i]) {
            QFont bold = m_font;
            bold.setBold(true);
            for (const QString& part : widestText[i].split(QLatin1Char('\n')))
                exact = std::max(exact, QFontMetrics(bold).horizontalAdvance(part));
        } else if (!widestText[i].isEmpty()) {
            exact = textWidthPx(widestText[i]);
        }
        m_colWidths[col1 + i] = (exact + 2 * CellMarginPx) * TwipsPerPixel;
    }
    announceColumnFormat();
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

// Column widths and their fitting to the texts, row heights, column alignment.
#include "core/Recordset.h"
#include "ui/GridModel.h"
#include "ui/TextWidths.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <charconv>
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

std::optional<qreal> GridModel::estimateFromSource(int row, int col, TextWidths& widths) const {
    if (!m_source || !m_cells.at(row, col).isNull() || (col == m_rowNumberCol && row >= m_fixedRows))
        return std::nullopt;
    const int record = m_sourceRow.value(row, -1);
    const int field = m_sourceField.value(col, -1);
    if (record < 0 || field < 0)
        return std::nullopt;
    using Kind = Recordset::CellView::Kind;
    const Recordset::CellView cell = m_source->View(record, field);
    switch (cell.kind) {
    case Kind::Null:
        return 0;
    case Kind::Integer: {
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, cell.integer);
        return widths.estimateUtf8(QByteArrayView(digits, written.ptr - digits));
    }
    case Kind::Text:
        // A text no longer than the part of a cell that is drawn is measured from its bytes as read.
        if (cell.bytes.size() <= visibleTextLimit())
            return widths.estimateUtf8(cell.bytes);
        break;
    case Kind::Double:
    case Kind::Blob:
        break;
    }
    return std::nullopt;
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
        int row = -1;
        QString text; // the widest row number, which is no cell's text
        bool bold = false;
    };
    std::vector<Widest> widest(static_cast<size_t>(cols.size()));
    const bool anyFormat = !m_formats.empty();
    const int boldKind = static_cast<int>(CellProp::FontBold);
    bool rowNumbers = false;
    // Row by row, as the cells lie in memory.
    for (int r = 0; r < m_rows; ++r) {
        for (qsizetype i = 0; i < cols.size(); ++i) {
            const int c = cols[i];
            const bool isBold = anyFormat && m_formats.value(boldKind, r, c).toBool();
            // Row numbers in plain type are measured once, by the widest of them.
            if (!isBold && showsRowNumber(r, c)) {
                rowNumbers = true;
                continue;
            }
            TextWidths& widths = isBold ? bold : plain;
            std::optional<qreal> width = estimateFromSource(r, c, widths);
            if (!width)
                width = widths.estimate(visibleText(r, c));
            Widest& w = widest[static_cast<size_t>(i)];
            if (*width > w.width)
                w = {*width, r, QString(), isBold};
        }
    }
    for (qsizetype i = 0; i < cols.size(); ++i) {
        Widest& w = widest[static_cast<size_t>(i)];
        if (rowNumbers && cols[i] == m_rowNumberCol) {
            const QString number = plain.widestNumber(m_rows - m_fixedRows);
            const qreal width = plain.estimate(number);
            if (width > w.width)
                w = {width, -1, number, false};
        }
        const QString text = w.row >= 0 ? visibleText(w.row, cols[i]) : w.text;
        // No column wider than a screen: a longer text is cut there, as it is drawn.
        int fitted = 0;
        if (w.width >= widestScreenPx())
            fitted = widestScreenPx();
        else if (!text.isEmpty())
            fitted = std::max(static_cast<int>(std::ceil(w.width)), (w.bold ? bold : plain).exact(text));
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
    if (row < 0 || row >= m_rows)
        return;
    if (static_cast<size_t>(row) >= m_rowData.size())
        m_rowData.resize(static_cast<size_t>(m_rows));
    m_rowData[static_cast<size_t>(row)] = value;
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

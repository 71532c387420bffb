// Formats of single cells and the merging of equal neighbouring cells.
#include "ui/GridMerging.h"
#include "ui/GridModel.h"

void GridModel::setCell(CellProp prop, int row1, int col1, int row2, int col2, const QVariant& value) {
    if (row1 > row2)
        std::swap(row1, row2);
    if (col1 > col2)
        std::swap(col1, col2);
    row1 = std::max(row1, 0);
    col1 = std::max(col1, 0);
    row2 = std::min(row2, m_rows - 1);
    col2 = std::min(col2, m_cols - 1);
    for (int r = row1; r <= row2; ++r)
        for (int c = col1; c <= col2; ++c)
            m_formats.set(static_cast<int>(prop), r, c, value);
    if (prop == CellProp::FontBold)
        for (int c = col1; c <= col2; ++c)
            forgetFittedWidths(c);
    if (!m_redraw || m_resetDepth > 0 || row1 > row2 || col1 > col2)
        return;
    const int firstRow = firstModelRow();
    if (row1 < firstRow)
        emit headerDataChanged(Qt::Horizontal, col1, col2);
    const int firstData = std::max(row1, firstRow);
    if (firstData <= row2)
        emit dataChanged(index(firstData - firstRow, col1), index(row2 - firstRow, col2));
}

QVariant GridModel::cell(CellProp prop, int row, int col) const {
    return m_formats.value(static_cast<int>(prop), row, col);
}

Qt::Alignment GridModel::qtAlignment(int row, int col) const {
    Align align = ColAlignment(col);
    const QVariant own = cell(CellProp::Alignment, row, col);
    if (own.isValid())
        align = own.value<Align>();
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Center:
        return Qt::AlignCenter;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Align::General:
        break;
    }
    if (row < m_fixedRows)
        return Qt::AlignLeft | Qt::AlignVCenter;
    // No number is longer than this; a long text is not read at every paint.
    constexpr qsizetype LongestNumber = 400;
    const QString text = TextMatrix(row, col);
    bool number = false;
    if (text.size() <= LongestNumber)
        text.toDouble(&number);
    return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

// ---- merging ----

void GridModel::setMergeCells(Merge merge) {
    if (merge == m_merge)
        return;
    m_merge = merge;
    if (m_redraw)
        emit mergingChanged();
}

void GridModel::setMergeRow(int row, bool merge) {
    if (merge)
        m_mergeRows.insert(row);
    else
        m_mergeRows.remove(row);
    announceMerging();
}

void GridModel::setMergeCol(int col, bool merge) {
    if (merge)
        m_mergeCols.insert(col);
    else
        m_mergeCols.remove(col);
    announceMerging();
}

QList<QRect> GridModel::mergedBlocks() const {
    return mergedGridBlocks(
        m_rows, m_cols, [this](int row, int col) { return cellText(row, col); }, m_mergeRows, m_mergeCols);
}

QRect GridModel::mergedRange(int row, int col) const {
    if (m_merge != Merge::Never) {
        for (const QRect& block : mergedBlocks())
            if (block.contains(col, row))
                return block;
    }
    return QRect(col, row, 1, 1);
}

QList<QRect> GridModel::mergedDataSpans() const {
    QList<QRect> spans;
    if (m_merge == Merge::Never)
        return spans;
    for (QRect block : mergedBlocks()) {
        if (block.bottom() < firstModelRow())
            continue;
        if (block.top() < firstModelRow())
            block.setTop(firstModelRow());
        if (block.width() * block.height() > 1)
            spans.append(block);
    }
    return spans;
}

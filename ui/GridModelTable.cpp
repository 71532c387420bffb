// The whole-table settings of the grid that the cross tables use: fixed rows drawn as cells, a clean
// reset between builds, one height for every row, and the current cell.
#include "ui/GridModel.h"

void GridModel::setFixedRowsInBody(bool inBody) {
    if (inBody == m_fixedRowsInBody)
        return;
    beginChange();
    m_fixedRowsInBody = inBody;
    endChange();
}

void GridModel::ResetTable() {
    beginChange();
    releaseSource();
    m_rowNumberCol = -1;
    resizeCells(0, 0);
    m_fixedRows = 0;
    m_fixedCols = 0;
    m_formatString.clear();
    m_rowHeights.clear();
    m_allRowsHeight = -1;
    std::vector<QVariant>().swap(m_rowData);
    m_colData.clear();
    m_formats.clear();
    m_merge = Merge::Never;
    m_mergeRows.clear();
    m_mergeCols.clear();
    endChange();
    setCurrentCell(-1, -1);
}

void GridModel::setAllRowsHeight(int twips) {
    m_allRowsHeight = std::max(twips, -1);
    m_rowHeights.clear();
    if (m_redraw)
        emit rowHeightChanged(-1);
}

void GridModel::setCurrentCell(int row, int col) {
    if (row == m_currentRow && col == m_currentCol)
        return;
    m_currentRow = row;
    m_currentCol = col;
    emit currentCellChanged(row, col);
}

#include "ui/GridModel.h"
#include "core/Recordset.h"

#include <QGuiApplication>
#include <QStringList>
#include <algorithm>

namespace {
// Keys of the rows below `row` move by one: up when `row` was removed (by -1, its own key goes), down
// when a row was inserted there (by +1).
template <typename T> void shiftRowKeys(QHash<int, T>& hash, int row, int by) {
    QHash<int, T> shifted;
    for (auto it = hash.cbegin(); it != hash.cend(); ++it) {
        if (it.key() < row)
            shifted.insert(it.key(), it.value());
        else if (by > 0)
            shifted.insert(it.key() + 1, it.value());
        else if (it.key() > row)
            shifted.insert(it.key() - 1, it.value());
    }
    hash = std::move(shifted);
}

} // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {
    if (qGuiApp)
        m_font = QGuiApplication::font();
    resizeCells(m_rows, m_cols);
}

// ---- change announcements ----

void GridModel::beginChange() {
    forgetFittedWidths();
    if (m_redraw && m_resetDepth++ == 0)
        beginResetModel();
}

void GridModel::endChange() {
    if (m_redraw && --m_resetDepth == 0) {
        endResetModel();
        emit columnFormatChanged();
        emit mergingChanged();
    }
}

void GridModel::announceColumnFormat() {
    if (m_redraw)
        emit columnFormatChanged();
}

void GridModel::announceMerging() {
    if (m_redraw && m_merge != Merge::Never)
        emit mergingChanged();
}

void GridModel::setRedraw(bool redraw) {
    if (redraw == m_redraw)
        return;
    if (!redraw) {
        beginResetModel();
        m_redraw = false;
        return;
    }
    m_redraw = true;
    endResetModel();
    emit columnFormatChanged();
    emit rowHeightChanged(-1);
    emit mergingChanged();
}

// ---- size ----

void GridModel::resizeCells(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    forgetFittedWidths();
    m_cells.resize(rows, cols);
    if (cols != m_cols) {
        m_colWidths.resize(cols, -1);
        m_captionWidths.resize(cols, 0);
        m_colAlign.resize(cols, Align::General);
    }
    if (m_source) {
        m_sourceRow.resize(rows, -1);
        m_sourceField.resize(cols, -1);
    }
    if (m_rowNumberCol >= cols)
        m_rowNumberCol = -1;
    m_rows = rows;
    m_cols = cols;
}

void GridModel::setRows(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rows)
        return;
    const int firstData = firstModelRow();
    const bool dataOnly = m_redraw && m_resetDepth == 0 && std::min(rows, m_rows) >= firstData;
    if (!dataOnly) {
        beginChange();
        resizeCells(rows, m_cols);
        m_fixedRows = std::min(m_fixedRows, m_rows);
        endChange();
        return;
    }
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows - firstData, rows - firstData - 1);
        resizeCells(rows, m_cols);
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows - firstData, m_rows - firstData - 1);
        resizeCells(rows, m_cols);
        endRemoveRows();
    }
    announceMerging();
}

void GridModel::setCols(int cols) {
    cols = std::max(cols, 0);
    if (cols == m_cols)
        return;
    beginChange();
    resizeCells(m_rows, cols);
    m_fixedCols = std::min(m_fixedCols, m_cols);
    endChange();
}

void GridModel::setFixedRows(int fixedRows) {
    fixedRows = std::max(fixedRows, 0);
    if (fixedRows == m_fixedRows)
        return;
    beginChange();
    if (fixedRows > m_rows)
        resizeCells(fixedRows, m_cols);
    m_fixedRows = fixedRows;
    endChange();
}

void GridModel::setFixedCols(int fixedCols) {
    fixedCols = std::max(fixedCols, 0);
    if (fixedCols == m_fixedCols)
        return;
    beginChange();
    if (fixedCols > m_cols)
        resizeCells(m_rows, fixedCols);
    m_fixedCols = fixedCols;
    endChange();
}

void GridModel::setFormatString(const QString& formatString) {
    beginChange();
    m_formatString = formatString;
    const QStringList parts = formatString.split(QLatin1Char('|'));
    if (m_rows < 1)
        resizeCells(1, m_cols);
    resizeCells(m_rows, static_cast<int>(parts.size()));
    for (int c = 0; c < m_cols; ++c) {
        QString caption = parts[c];
        Align align = Align::General;
        if (caption.startsWith(QLatin1Char('<')))
            align = Align::Left;
        else if (caption.startsWith(QLatin1Char('^')))
            align = Align::Center;
        else if (caption.startsWith(QLatin1Char('>')))
            align = Align::Right;
        if (align != Align::General)
            caption.remove(0, 1);
        m_cells.ref(0, c) = caption;
        m_colAlign[c] = align;
        m_captionWidths[c] = (textWidthPx(caption) + 2 * CellMarginPx) * TwipsPerPixel;
        m_colWidths[c] = m_captionWidths[c];
    }
    endChange();
}

// ---- cells ----

QString GridModel::cellText(int row, int col) const {
    const QString& text = m_cells.at(row, col);
    if (!text.isNull())
        return text;
    if (col == m_rowNumberCol && row >= m_fixedRows)
        return QString::number(row - m_fixedRows + 1);
    if (!m_source)
        return text;
    const int record = m_sourceRow.value(row, -1);
    const int field = m_sourceField.value(col, -1);
    if (record < 0 || field < 0)
        return text;
    if (m_source->IsText(record, field))
        return m_source->TextAt(record, field);
    return textOf(m_source->Value(record, field));
}

void GridModel::materializeSource() {
    if (!m_source)
        return;
    m_cells.reserveRows(static_cast<int>(
        std::count_if(m_sourceRow.cbegin(), m_sourceRow.cend(), [](qint32 record) { return record >= 0; })));
    for (int r = 0; r < m_rows; ++r) {
        if (m_sourceRow.value(r, -1) < 0)
            continue;
        for (int c = 0; c < m_cols; ++c)
            if (m_cells.at(r, c).isNull() && c != m_rowNumberCol)
                m_cells.ref(r, c) = cellText(r, c);
    }
    releaseSource();
}

void GridModel::releaseSource() {
    m_source.reset();
    m_sourceRow.clear();
    m_sourceField.clear();
}

QString GridModel::TextMatrix(int row, int col) const {
    return inside(row, col) ? cellText(row, col) : QString();
}

void GridModel::setTextMatrix(int row, int col, const QString& text) {
    if (!inside(row, col))
        return;
    // A written cell no longer reads from the adopted recordset or shows its row's number, also when it
    // is written empty.
    m_cells.ref(row, col) = text.isNull() && (m_source || col == m_rowNumberCol) ? QStringLiteral("") : text;
    forgetFittedWidths(col);
    if (!m_redraw || m_resetDepth > 0)
        return;
    if (row < firstModelRow()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex i = index(row - firstModelRow(), col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::TextAlignmentRole});
    }
    if (m_merge != Merge::Never && (m_mergeRows.contains(row) || m_mergeCols.contains(col)))
        emit mergingChanged();
}

void GridModel::setRowNumberCol(int col) {
    col = col >= 0 && col < m_cols ? col : -1;
    if (col == m_rowNumberCol)
        return;
    beginChange();
    m_rowNumberCol = col;
    endChange();
}

void GridModel::Clear() {
    beginChange();
    m_cells.clear();
    releaseSource();
    m_rowNumberCol = -1;
    m_formats.clear();
    endChange();
}

void GridModel::RemoveItem(int row) {
    if (row < 0 || row >= m_rows)
        return;
    const bool dataRow = row >= firstModelRow() && m_redraw && m_resetDepth == 0;
    if (dataRow)
        beginRemoveRows(QModelIndex(), row - firstModelRow(), row - firstModelRow());
    else
        beginChange();
    forgetFittedWidths();
    m_cells.removeRow(row);
    if (m_source)
        m_sourceRow.remove(row);
    --m_rows;
    if (row < m_fixedRows)
        --m_fixedRows;
    shiftRowKeys(m_rowHeights, row, -1);
    if (static_cast<size_t>(row) < m_rowData.size())
        m_rowData.erase(m_rowData.begin() + row);
    m_formats.removeRow(row);
    if (dataRow) {
        endRemoveRows();
        announceMerging();
    } else {
        endChange();
    }
}

void GridModel::AddItem(const QString& text, int row) {
    if (row < 0 || row > m_rows)
        row = m_rows;
    const bool dataRow = row >= firstModelRow() && m_redraw && m_resetDepth == 0;
    if (dataRow)
        beginInsertRows(QModelIndex(), row - firstModelRow(), row - firstModelRow());
    else
        beginChange();
    forgetFittedWidths();
    const QStringList parts = text.split(QLatin1Char('\t'));
    m_cells.insertRow(row);
    if (m_cols > 0) {
        QString* cells = m_cells.row(row);
        for (int c = 0; c < m_cols && c < parts.size(); ++c)
            cells[c] = parts[c];
    }
    if (m_source)
        m_sourceRow.insert(row, -1);
    ++m_rows;
    shiftRowKeys(m_rowHeights, row, 1);
    if (static_cast<size_t>(row) < m_rowData.size())
        m_rowData.insert(m_rowData.begin() + row, QVariant());
    m_formats.insertRow(row);
    if (dataRow) {
        endInsertRows();
        announceMerging();
    } else {
        endChange();
    }
}

void GridModel::adoptRecordset(Recordset&& rs, int firstRow, int firstCol) {
    firstRow = std::max(firstRow, 0);
    firstCol = std::clamp(firstCol, 0, m_cols);
    const int records = rs.RecordCount();
    beginChange();
    resizeCells(firstRow + records, m_cols);
    QVector<qint32> recordOfRow(m_rows, -1);
    for (int r = 0; r < records; ++r)
        recordOfRow[firstRow + r] = r;
    QVector<qint32> fieldOfCol(m_cols, -1);
    for (int c = firstCol; c < m_cols && c - firstCol < rs.FieldCount(); ++c)
        fieldOfCol[c] = c - firstCol;
    adoptRecords(std::make_shared<const Recordset>(std::move(rs)), recordOfRow, fieldOfCol);
    // Columns past the last field are empty.
    for (int r = firstRow; r < m_rows; ++r) {
        if (!m_cells.hasRow(r))
            continue;
        for (int c = firstCol; c < m_cols; ++c)
            if (fieldOfCol[c] < 0)
                m_cells.ref(r, c) = QString();
        m_cells.squeezeRow(r);
    }
    endChange();
}

void GridModel::adoptRecords(std::shared_ptr<const Recordset> source, const QVector<qint32>& recordOfRow,
                             const QVector<qint32>& fieldOfCol) {
    beginChange();
    materializeSource();
    m_source = std::move(source);
    m_sourceRow = recordOfRow;
    m_sourceRow.resize(m_rows, -1);
    m_sourceField = fieldOfCol;
    m_sourceField.resize(m_cols, -1);
    for (int c = 0; c < m_cols; ++c)
        if (m_sourceField[c] >= m_source->FieldCount())
            m_sourceField[c] = -1;
    // The rows read from the source hold only the texts of their other columns.
    std::vector<bool> drop(static_cast<size_t>(m_rows), false);
    for (int r = 0; r < m_rows; ++r) {
        if (m_sourceRow[r] < 0 || !m_cells.hasRow(r))
            continue;
        QString* cells = m_cells.row(r);
        bool kept = false;
        for (int c = 0; c < m_cols && !kept; ++c)
            kept = m_sourceField[c] < 0 && !cells[c].isNull();
        if (!kept) {
            drop[static_cast<size_t>(r)] = true;
            continue;
        }
        for (int c = 0; c < m_cols; ++c)
            if (m_sourceField[c] >= 0)
                cells[c] = QString();
    }
    m_cells.dropRows(drop);
    endChange();
}

void GridModel::loadRecordset(const Recordset& rs, int firstRow, int firstCol) {
    beginChange();
    materializeSource();
    firstRow = std::max(firstRow, 0);
    firstCol = std::clamp(firstCol, 0, m_cols);
    const int records = rs.RecordCount();
    resizeCells(firstRow + records, m_cols);
    const int fields = std::min(m_cols - firstCol, rs.FieldCount());
    m_cells.reserveRows(records);
    for (int r = 0; r < records && m_cols > 0; ++r) {
        QString* line = m_cells.row(firstRow + r);
        for (int c = 0; c < fields; ++c)
            line[firstCol + c] = rs.IsText(r, c) ? rs.TextAt(r, c) : textOf(rs.Value(r, c));
        for (int c = firstCol + fields; c < m_cols; ++c)
            line[c] = QString();
    }
    endChange();
}

QString GridModel::textOf(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Float:
        return QString::number(static_cast<double>(value.toFloat()), 'g', 7);
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

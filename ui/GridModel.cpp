#include "ui/GridModel.h"
#include "core/Recordset.h"
#include "ui/GridMerging.h"

#include <QFile>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>

namespace {
// Room left and right of a cell's text, in pixels.
constexpr int CellMarginPx = 4;
const QColor FixedCellBack(240, 240, 240);

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

QString quotedForTabText(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
} // namespace

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {
    if (qGuiApp)
        m_font = QGuiApplication::font();
    resizeCells(m_rows, m_cols);
}

// ---- change announcements ----

void GridModel::beginChange() {
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
    if (cols == m_cols) {
        m_cells.resize(static_cast<qsizetype>(rows) * cols);
        // A grid cut down from a large list gives its room back before the next one is read.
        if (m_cells.capacity() > 2 * m_cells.size() + 4096)
            m_cells.squeeze();
    } else {
        QVector<QString> cells(static_cast<qsizetype>(rows) * cols);
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[static_cast<qsizetype>(r) * cols + c] = std::move(m_cells[at(r, c)]);
        m_cells = std::move(cells);
        m_colWidths.resize(cols, -1);
        m_captionWidths.resize(cols, 0);
        m_colAlign.resize(cols, Align::General);
    }
    if (m_source)
        m_sourceRow.resize(rows, -1);
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
        m_cells[at(0, c)] = caption;
        m_colAlign[c] = align;
        m_captionWidths[c] = (textWidthPx(caption) + 2 * CellMarginPx) * TwipsPerPixel;
        m_colWidths[c] = m_captionWidths[c];
    }
    endChange();
}

// ---- cells ----

QString GridModel::cellText(int row, int col) const {
    const QString& text = m_cells[at(row, col)];
    if (!text.isNull() || !m_source)
        return text;
    const int record = m_sourceRow.value(row, -1);
    const int field = col - m_sourceFirstCol;
    if (record < 0 || field < 0 || field >= m_sourceFields)
        return text;
    if (m_source->IsText(record, field))
        return m_source->TextAt(record, field);
    return textOf(m_source->Value(record, field));
}

void GridModel::materializeSource() {
    if (!m_source)
        return;
    for (int r = 0; r < m_rows; ++r) {
        if (m_sourceRow.value(r, -1) < 0)
            continue;
        for (int c = 0; c < m_cols; ++c)
            if (m_cells[at(r, c)].isNull())
                m_cells[at(r, c)] = cellText(r, c);
    }
    m_source.reset();
    m_sourceRow.clear();
}

QString GridModel::TextMatrix(int row, int col) const {
    return inside(row, col) ? cellText(row, col) : QString();
}

void GridModel::setTextMatrix(int row, int col, const QString& text) {
    if (!inside(row, col))
        return;
    // A written cell no longer reads from the adopted recordset, also when it is written empty.
    m_cells[at(row, col)] = text.isNull() && m_source ? QStringLiteral("") : text;
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

void GridModel::Clear() {
    beginChange();
    std::fill(m_cells.begin(), m_cells.end(), QString());
    m_source.reset();
    m_sourceRow.clear();
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
    m_cells.remove(at(row, 0), m_cols);
    if (m_source)
        m_sourceRow.remove(row);
    --m_rows;
    if (row < m_fixedRows)
        --m_fixedRows;
    shiftRowKeys(m_rowHeights, row, -1);
    shiftRowKeys(m_rowData, row, -1);
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
    const QStringList parts = text.split(QLatin1Char('\t'));
    QVector<QString> cells(m_cols);
    for (int c = 0; c < m_cols && c < parts.size(); ++c)
        cells[c] = parts[c];
    m_cells.insert(at(row, 0), m_cols, QString());
    std::move(cells.begin(), cells.end(), m_cells.begin() + at(row, 0));
    if (m_source) {
        m_sourceRow.insert(row, -1);
        for (int c = 0; c < m_cols; ++c)
            if (m_cells[at(row, c)].isNull())
                m_cells[at(row, c)] = QStringLiteral("");
    }
    ++m_rows;
    shiftRowKeys(m_rowHeights, row, 1);
    shiftRowKeys(m_rowData, row, 1);
    m_formats.insertRow(row);
    if (dataRow) {
        endInsertRows();
        announceMerging();
    } else {
        endChange();
    }
}

void GridModel::adoptRecordset(Recordset&& rs, int firstRow, int firstCol) {
    beginChange();
    materializeSource();
    firstRow = std::max(firstRow, 0);
    firstCol = std::clamp(firstCol, 0, m_cols);
    const int records = rs.RecordCount();
    m_source = std::make_shared<const Recordset>(std::move(rs));
    m_sourceRow.fill(-1, m_rows);
    resizeCells(firstRow + records, m_cols);
    m_sourceFirstCol = firstCol;
    m_sourceFields = std::min(m_cols - firstCol, m_source->FieldCount());
    QString* cells = m_cells.data();
    for (int r = 0; r < records; ++r) {
        m_sourceRow[firstRow + r] = r;
        for (int c = firstCol; c < m_cols; ++c)
            cells[at(firstRow + r, c)] = c < firstCol + m_sourceFields ? QString() : QStringLiteral("");
    }
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
    QString* cells = m_cells.data();
    for (int r = 0; r < records; ++r) {
        QString* line = cells + at(firstRow + r, firstCol);
        for (int c = 0; c < fields; ++c)
            line[c] = rs.IsText(r, c) ? rs.TextAt(r, c) : textOf(rs.Value(r, c));
        for (int c = firstCol + fields; c < m_cols; ++c)
            cells[at(firstRow + r, c)] = QString();
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

// ---- widths, heights, alignment ----

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

// ---- cell formats ----

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
    bool number = false;
    TextMatrix(row, col).toDouble(&number);
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

// ---- export ----

QString GridModel::tabTextLine(int row) const {
    QString line;
    for (int c = 0; c < m_cols; ++c) {
        if (c > 0)
            line += QLatin1Char('\t');
        line += quotedForTabText(cellText(row, c));
    }
    line += QLatin1String("\r\n");
    return line;
}

QString GridModel::tabText(bool withFixedRows) const {
    QString text;
    for (int r = withFixedRows ? 0 : m_fixedRows; r < m_rows; ++r)
        text += tabTextLine(r);
    return text;
}

bool GridModel::SaveGrid(const QString& fileName, bool withFixedRows) const {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = tabText(withFixedRows).toUtf8();
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

// ---- QAbstractTableModel ----

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(m_rows - firstModelRow(), 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + firstModelRow();
    const int col = index.column();
    if (!inside(row, col))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(row, col);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(row, col));
    case Qt::FontRole:
        if (cell(CellProp::FontBold, row, col).toBool()) {
            QFont bold = m_font;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ForegroundRole:
        return cell(CellProp::ForeColor, row, col);
    case Qt::BackgroundRole: {
        const QVariant back = cell(CellProp::BackColor, row, col);
        if (back.isValid())
            return back;
        return col < m_fixedCols || row < m_fixedRows ? QVariant(FixedCellBack) : QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + firstModelRow()) : QVariant();
    if (section < 0 || section >= m_cols)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole: {
        QStringList lines;
        for (int r = 0; r < m_fixedRows && r < m_rows; ++r)
            lines << cellText(r, section);
        return lines.join(QLatin1Char('\n'));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(0, section));
    case Qt::FontRole:
        if (cell(CellProp::FontBold, 0, section).toBool()) {
            QFont bold = m_font;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ForegroundRole:
        return cell(CellProp::ForeColor, 0, section);
    default:
        return QVariant();
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

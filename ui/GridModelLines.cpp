// How many lines the texts of each row hold, for the printed height of rows.
#include "core/Recordset.h"
#include "ui/GridModel.h"

#include <algorithm>
#include <cstring>

namespace {

int linesOf(const QString& text) {
    return text.isEmpty() ? 0 : static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
}

// A value's lines as its text would hold them: a number is one line, a text or blob as many as it has
// line breaks and one (a line break is the same byte in UTF-8).
int linesOf(const Recordset::CellView& cell) {
    using Kind = Recordset::CellView::Kind;
    switch (cell.kind) {
    case Kind::Null:
        return 0;
    case Kind::Integer:
    case Kind::Double:
        return 1;
    case Kind::Text:
    case Kind::Blob:
        break;
    }
    return cell.bytes.isEmpty()
               ? 0
               : static_cast<int>(std::count(cell.bytes.begin(), cell.bytes.end(), '\n')) + 1;
}

bool holdsLineBreak(QByteArrayView bytes) {
    return !bytes.isEmpty() && std::memchr(bytes.data(), '\n', static_cast<size_t>(bytes.size()));
}

} // namespace

int GridModel::cellLines(int row, int col, int record) const {
    const QString& text = m_cells.at(row, col);
    if (!text.isNull())
        return linesOf(text);
    if (showsRowNumber(row, col))
        return 1;
    const int field = record >= 0 ? m_sourceField.value(col, -1) : -1;
    return field >= 0 ? linesOf(m_source->View(record, field)) : 0;
}

GridModel::TextLines GridModel::rowLines(int row, const std::vector<int>& cols,
                                         const std::vector<int>& boldCols) const {
    const int record = m_source ? m_sourceRow.value(row, -1) : -1;
    // A row of the recordset none of whose bytes is a line break, nothing written and nothing bold:
    // each of its texts is one plain line, so the first one settles it.
    const bool oneLineEach = boldCols.empty() && !m_cells.hasRow(row) &&
                             (record < 0 || !holdsLineBreak(m_source->rowBytes(record)));
    TextLines lines;
    for (const int col : cols) {
        const int count = cellLines(row, col, record);
        if (count == 0)
            continue;
        if (oneLineEach) {
            lines.plain = 1;
            break;
        }
        int& most =
            std::find(boldCols.cbegin(), boldCols.cend(), col) != boldCols.cend() ? lines.bold : lines.plain;
        most = std::max(most, count);
    }
    return lines;
}

std::vector<GridModel::TextLines> GridModel::textLinesOfRows(const std::vector<bool>& shownCols) const {
    const auto shown = [&shownCols](int col) {
        return static_cast<size_t>(col) < shownCols.size() && shownCols[static_cast<size_t>(col)];
    };
    std::vector<int> cols;
    for (int c = 0; c < m_cols; ++c)
        if (shown(c))
            cols.push_back(c);
    // The bold cells are few beside the grid's: they are looked up once, in row order.
    std::vector<std::pair<int, int>> bold;
    m_formats.forEach(static_cast<int>(CellProp::FontBold), [&](int row, int col, const QVariant& value) {
        if (row < m_rows && shown(col) && value.toBool())
            bold.emplace_back(row, col);
    });
    std::sort(bold.begin(), bold.end());
    std::vector<TextLines> lines(static_cast<size_t>(m_rows));
    std::vector<int> boldCols;
    auto nextBold = bold.cbegin();
    for (int r = 0; r < m_rows; ++r) {
        boldCols.clear();
        for (; nextBold != bold.cend() && nextBold->first == r; ++nextBold)
            boldCols.push_back(nextBold->second);
        lines[static_cast<size_t>(r)] = rowLines(r, cols, boldCols);
    }
    return lines;
}

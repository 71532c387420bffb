// The lines of each row's texts, which a printed row needs room for: counted from the adopted
// recordset's bytes, they are those that reading every cell's text would count.
#include "core/Recordset.h"
#include "ui/GridModel.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int Records = 60;

// Records of a key whose bytes hold a line break's in every third record (10, 778, ...), a name
// (sometimes empty), a note of one, two or four lines, a number or Null, Null, a blob (sometimes of
// two lines, never UTF-8), and a last text of one or three lines or Null.
Recordset sample() {
    Recordset rs({"k", "name", "note", "price", "none", "pic", "last"});
    const auto text = [&rs](const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        rs.appendText(utf8.constData(), static_cast<int>(utf8.size()));
    };
    for (int r = 0; r < Records; ++r) {
        rs.appendInteger(r % 3 == 0 ? r * 256 + 10 : r + 100);
        text(r % 7 == 3 ? QString() : QStringLiteral("客户%1").arg(r));
        text(r % 5 == 1    ? QStringLiteral("第一行\n第二行")
             : r % 11 == 4 ? QStringLiteral("a\nb\nc\n")
                           : QStringLiteral("备注"));
        if (r % 13 == 0)
            rs.appendNull();
        else
            rs.appendDouble(r / 3.0);
        rs.appendNull();
        const QByteArray pic = r % 9 == 2 ? QByteArray("\xff\n\x01") : QByteArray("\xff\x0a\x0b", 1);
        rs.appendBlob(pic.constData(), static_cast<int>(pic.size()));
        if (r % 4 == 0)
            rs.appendNull();
        else
            text(r % 17 == 5 ? QStringLiteral("甲\n乙\n丙") : QStringLiteral("末"));
        rs.endRow();
    }
    return rs;
}

// The list report's shape: the row's number, the record's fields, and a column of no field.
void build(GridModel& grid) {
    grid.setFormatString(QStringLiteral("行号|编号|名称|备注|价格|空|图|末|附"));
    grid.adoptRecordset(sample(), 1, 1);
    grid.setRowNumberCol(0);
}

// What the lines are by their definition: every shown cell's text read and its line breaks counted,
// its bold format asked for.
std::vector<GridModel::TextLines> readCellByCell(const GridModel& grid, const std::vector<bool>& shown) {
    std::vector<GridModel::TextLines> rows(static_cast<size_t>(grid.Rows()));
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            const QString text = grid.TextMatrix(r, c);
            if (!shown[static_cast<size_t>(c)] || text.isEmpty())
                continue;
            const int lines = static_cast<int>(text.count('\n')) + 1;
            GridModel::TextLines& row = rows[static_cast<size_t>(r)];
            int& most = grid.cell(GridModel::CellProp::FontBold, r, c).toBool() ? row.bold : row.plain;
            most = std::max(most, lines);
        }
    }
    return rows;
}

std::vector<std::string> differences(const std::vector<GridModel::TextLines>& got,
                                     const std::vector<GridModel::TextLines>& want) {
    std::vector<std::string> rows;
    if (got.size() != want.size())
        rows.push_back("rows " + std::to_string(got.size()) + " instead of " + std::to_string(want.size()));
    for (size_t r = 0; r < got.size() && r < want.size(); ++r)
        if (!(got[r] == want[r]))
            rows.push_back("row " + std::to_string(r) + ": plain " + std::to_string(got[r].plain) +
                           ", bold " + std::to_string(got[r].bold) + " instead of " +
                           std::to_string(want[r].plain) + ", " + std::to_string(want[r].bold));
    return rows;
}

} // namespace

TEST(GridTextLines, CountedFromTheRecordsetAsFromEveryCellsText) {
    const struct {
        const char* what;
        std::function<void(GridModel&)> change;
    } cases[] = {
        {"as read", [](GridModel&) {}},
        {"cells written over the records, the row's number and the column of no field",
         [](GridModel& g) {
             g.setTextMatrix(3, 3, QStringLiteral("x\ny\nz"));
             g.setTextMatrix(7, 3, QString());               // over a note of two lines
             g.setTextMatrix(23, 7, QStringLiteral("一行")); // over three lines
             g.setTextMatrix(8, 8, QStringLiteral("附\n注"));
             g.setTextMatrix(10, 0, QStringLiteral("十\n号"));
             g.setTextMatrix(0, 5, QStringLiteral("空的\n列"));
         }},
        {"bold cells: a block, one of three lines, empty ones, and bold taken back",
         [](GridModel& g) {
             g.setCell(GridModel::CellProp::FontBold, 5, 2, 8, 4, true);
             g.setCell(GridModel::CellProp::FontBold, 23, 7, 23, 7, true);
             g.setCell(GridModel::CellProp::FontBold, 11, 5, 40, 5, true);
             g.setCell(GridModel::CellProp::FontBold, 12, 0, 12, 8, true);
             g.setCell(GridModel::CellProp::FontBold, 12, 3, 12, 8, false);
         }},
        {"rows removed and added, with their formats",
         [](GridModel& g) {
             g.setCell(GridModel::CellProp::FontBold, 30, 1, 31, 3, true);
             g.RemoveItem(2);
             g.AddItem(QStringLiteral("\ta\nb\tc"), 5);
             g.AddItem(QStringLiteral("\t\t\t\t\t\t\t一\n二\n三\n四"));
         }},
        {"fewer rows than records", [](GridModel& g) { g.setRows(20); }},
        {"cleared", [](GridModel& g) { g.Clear(); }},
    };
    const struct {
        const char* what;
        std::vector<bool> shown;
    } views[] = {
        {"every column", std::vector<bool>(9, true)},
        {"the notes and the last text hidden", {true, true, true, false, true, true, true, false, true}},
        {"only the late columns", {false, false, false, false, false, false, true, true, true}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        GridModel grid;
        build(grid);
        k.change(grid);
        for (const auto& v : views) {
            SCOPED_TRACE(v.what);
            const std::vector<GridModel::TextLines> want = readCellByCell(grid, v.shown);
            EXPECT_EQ(differences(grid.textLinesOfRows(v.shown), want), std::vector<std::string>());
        }
    }
}

// The rows the counting sets apart: several lines in a late and in a hidden column, a key whose bytes
// hold a line break's, a bold cell, and a row of no record.
TEST(GridTextLines, ALineBreakCountsInAShownColumnOnly) {
    GridModel grid;
    build(grid);
    grid.setCell(GridModel::CellProp::FontBold, 24, 7, 24, 7, true);
    grid.setRows(Records + 2);
    std::vector<bool> shown(9, true);
    shown[3] = false;
    const std::vector<GridModel::TextLines> lines = grid.textLinesOfRows(shown);
    using L = GridModel::TextLines;
    EXPECT_EQ(lines[1], (L{1, 0}));           // record 0: one line everywhere
    EXPECT_EQ(lines[2], (L{1, 0}));           // record 1: its note of two lines is hidden
    EXPECT_EQ(lines[3], (L{2, 0}));           // record 2: a blob of two lines
    EXPECT_EQ(lines[6], (L{3, 0}));           // record 5: three lines in the last column
    EXPECT_EQ(lines[24], (L{1, 1}));          // record 23: a bold cell of one line
    EXPECT_EQ(lines[Records + 1], (L{1, 0})); // a row of no record: its number only
    grid.setRowNumberCol(-1);
    EXPECT_EQ(grid.textLinesOfRows(shown)[Records + 1], (L{0, 0}));
}

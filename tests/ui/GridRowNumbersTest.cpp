// A column of row numbers follows the rows as they are, and goes with the table's contents.
#include "ui/GridModel.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
// Column 0 of every row, as the grid reads it.
QStringList firstColumn(const GridModel& grid) {
    QStringList texts;
    for (int r = 0; r < grid.Rows(); ++r)
        texts << grid.TextMatrix(r, 0);
    return texts;
}
} // namespace

TEST(GridRowNumbers, NumbersFollowTheRowsAndGoWithTheContents) {
    const struct {
        const char* what;
        std::function<void(GridModel&)> change;
        QStringList expected;
    } cases[] = {
        {"as built", [](GridModel&) {}, {"行号", "1", "2", "3", "4"}},
        {"a row removed: those below move up a number",
         [](GridModel& g) { g.RemoveItem(2); },
         {"行号", "1", "2", "3"}},
        {"rows added at the end are numbered on",
         [](GridModel& g) { g.setRows(7); },
         {"行号", "1", "2", "3", "4", "5", "6"}},
        {"two fixed rows: the first row after them is 1",
         [](GridModel& g) { g.setFixedRows(2); },
         {"行号", "", "1", "2", "3"}},
        {"a cell written, also empty, keeps what was written",
         [](GridModel& g) {
             g.setTextMatrix(1, 0, "甲");
             g.setTextMatrix(3, 0, QString());
         },
         {"行号", "甲", "2", "", "4"}},
        {"cleared", [](GridModel& g) { g.Clear(); }, {"", "", "", "", ""}},
        {"reset", [](GridModel& g) { g.ResetTable(); }, {}},
        {"the column taken away and given back",
         [](GridModel& g) {
             g.setCols(0);
             g.setCols(2);
         },
         {"", "", "", "", ""}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        GridModel grid;
        grid.setCols(2);
        grid.setRows(5);
        grid.setTextMatrix(0, 0, "行号");
        grid.setRowNumberCol(0);
        k.change(grid);
        EXPECT_EQ(firstColumn(grid), k.expected);
        EXPECT_EQ(grid.tabText().split("\r\n", Qt::SkipEmptyParts).size(), grid.Rows());
    }
}

// The fixed panes follow the table's rows, whichever way a row's height changes.
#include "ui/GridFrozenPanes.h"
#include "ui/DataGrid.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(GridFrozenPanes, TheFixedColumnsKeepEveryRowsHeightThroughEachChange) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    grid.setRows(400);
    grid.setCols(4);
    view.resize(400, 300);
    view.show();
    QApplication::processEvents();
    const int plain = view.rowHeight(10);

    struct Step {
        const char* change;
        std::function<void()> apply;
        int row;    // a grid row to look at
        int pixels; // its height on the screen; 0: the default
    };
    const QList<Step> steps{
        {"a row of its own height", [&] { grid.setRowHeight(10, 600); }, 10, 40},
        {"a column widened", [&] { grid.setColWidth(2, 3000); }, 10, 40},
        {"rows added below", [&] { grid.setRows(500); }, 10, 40},
        {"a row given the default again", [&] { grid.setRowHeight(10, -1); }, 10, 0},
        {"rows set while the grid is not drawn",
         [&] {
             grid.setRedraw(false);
             grid.setRowHeight(300, 450);
             grid.setRowHeight(20, 750);
             grid.setRedraw(true);
         },
         300, 30},
        {"every row one height", [&] { grid.setAllRowsHeight(300); }, 20, 20},
        {"a row of its own beside them", [&] { grid.setRowHeight(5, 900); }, 5, 60},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.change);
        step.apply();
        QApplication::processEvents();
        const QTableView* left = view.frozenPanes().leftPane();
        ASSERT_NE(left, nullptr);
        ASSERT_TRUE(left->isVisible());
        const int model = step.row - grid.firstModelRow();
        EXPECT_EQ(view.rowHeight(model), step.pixels == 0 ? plain : step.pixels);
        for (int r = 0; r < grid.rowCount(); ++r)
            ASSERT_EQ(left->rowHeight(r), view.rowHeight(r)) << "row " << r;
    }
}

} // namespace

// The grid settings the cross tables use: fixed rows drawn as cells, the table reset, one height for
// every row and the current cell kept by the model.
#include "ui/DataGrid.h"
#include "ui/GridModel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(GridModel, FixedRowsInBodyAreModelRowsWithTheirFormatsAndMerges) {
    GridModel grid;
    grid.setRows(4);
    grid.setCols(3);
    grid.setFixedRows(2);
    grid.setTextMatrix(0, 1, QStringLiteral("A"));
    grid.setTextMatrix(0, 2, QStringLiteral("A"));
    grid.setTextMatrix(2, 0, QStringLiteral("p"));
    grid.setCell(GridModel::CellProp::FontBold, 0, 0, 0, 2, true);
    grid.setMergeCells(GridModel::Merge::Free);
    grid.setMergeRow(0, true);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.mergedDataSpans().isEmpty());

    grid.setFixedRowsInBody(true);
    EXPECT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.data(grid.index(0, 1)).toString(), QStringLiteral("A"));
    EXPECT_EQ(grid.data(grid.index(2, 0)).toString(), QStringLiteral("p"));
    EXPECT_TRUE(grid.data(grid.index(0, 1), Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(grid.data(grid.index(1, 1), Qt::BackgroundRole).isValid()); // a fixed cell
    EXPECT_EQ(grid.mergedDataSpans(), QList<QRect>{QRect(1, 0, 2, 1)});

    DataGrid view;
    view.grid().setRows(3);
    view.grid().setCols(2);
    view.grid().setFixedRows(1);
    view.grid().setFixedCols(1);
    view.grid().setFixedRowsInBody(true);
    EXPECT_EQ(view.Row(), 1); // the first data cell, past the fixed row and column
    EXPECT_EQ(view.Col(), 1);
}

TEST(GridModel, ResetTableKeepsNothingOfTheLastTable) {
    GridModel grid;
    grid.setRows(3);
    grid.setCols(3);
    grid.setFixedCols(1);
    grid.setTextMatrix(1, 1, QStringLiteral("x"));
    grid.setRowData(1, QStringLiteral("k"));
    grid.setColData(1, QStringLiteral("c"));
    grid.setCell(GridModel::CellProp::FontBold, 1, 1, 1, 1, true);
    grid.setMergeCells(GridModel::Merge::Free);
    grid.setMergeRow(0, true);
    grid.setAllRowsHeight(300);
    grid.ResetTable();
    EXPECT_EQ(grid.Rows(), 0);
    EXPECT_EQ(grid.Cols(), 0);
    grid.setRows(3);
    grid.setCols(3);
    EXPECT_EQ(grid.TextMatrix(1, 1), QString());
    EXPECT_FALSE(grid.RowData(1).isValid());
    EXPECT_FALSE(grid.ColData(1).isValid());
    EXPECT_FALSE(grid.cell(GridModel::CellProp::FontBold, 1, 1).isValid());
    EXPECT_EQ(grid.MergeCells(), GridModel::Merge::Never);
    EXPECT_FALSE(grid.MergeRow(0));
    EXPECT_EQ(grid.RowHeight(2), -1);
    EXPECT_EQ(grid.FixedCols(), 0);
}

TEST(DataGrid, AllRowsHeightAndTheCurrentCellReachTheView) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setFixedRowsInBody(true);
    grid.setRows(5);
    grid.setCols(3);
    grid.setAllRowsHeight(300);
    EXPECT_EQ(grid.RowHeight(4), 300);
    EXPECT_EQ(view.rowHeight(3), 20);

    QSignalSpy moved(&grid, &GridModel::currentCellChanged);
    grid.setCurrentCell(3, 2);
    EXPECT_EQ(view.currentIndex().row(), 3);
    EXPECT_EQ(view.currentIndex().column(), 2);
    view.setCurrentIndex(grid.index(2, 1));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(moved.size(), 2);
}

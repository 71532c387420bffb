#include "ui/DataGrid.h"
#include "core/Recordset.h"
#include "ui/GridModel.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using Align = GridModel::Align;

TEST(GridModel, HeaderStringGivesCaptionsAlignmentAndColumnCount) {
    struct Case {
        QString header;
        QStringList captions;
        QList<Align> aligns;
    };
    const QList<Case> cases = {
        {"编号|<模块名称|<备注", {"编号", "模块名称", "备注"}, {Align::General, Align::Left, Align::Left}},
        {"编号|头衔", {"编号", "头衔"}, {Align::General, Align::General}},
        {"a|^b|>c|", {"a", "b", "c", ""}, {Align::General, Align::Center, Align::Right, Align::General}},
        {"", {""}, {Align::General}},
    };
    for (const Case& c : cases) {
        GridModel grid;
        grid.setFormatString(c.header);
        ASSERT_EQ(grid.Cols(), c.header.count('|') + 1) << c.header.toStdString();
        EXPECT_EQ(grid.Rows(), 1);
        for (int col = 0; col < grid.Cols(); ++col) {
            EXPECT_EQ(grid.TextMatrix(0, col), c.captions[col]) << c.header.toStdString();
            EXPECT_EQ(grid.headerData(col, Qt::Horizontal).toString(), c.captions[col]);
            EXPECT_EQ(grid.ColAlignment(col), c.aligns[col]) << c.header.toStdString() << " col " << col;
        }
    }
}

TEST(GridModel, CaptionWidthFollowsTheCaptionText) {
    GridModel grid;
    grid.setFont(QFont(QStringLiteral("宋体"), 9));
    grid.setFormatString(QStringLiteral("编号|<头衔|<客户名称地址"));
    EXPECT_GT(grid.captionWidth(1), 0);
    EXPECT_GT(grid.captionWidth(2), grid.captionWidth(1));
    EXPECT_EQ(grid.captionWidth(1) % GridModel::TwipsPerPixel, 0);
    // The header string also gives each column its caption's width.
    EXPECT_EQ(grid.ColWidth(2), grid.captionWidth(2));
}

TEST(GridModel, RowNumberingKeepsTheHeaderAsRowZero) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("编号|<名称"));
    grid.setRows(3);
    grid.setTextMatrix(1, 0, QStringLiteral("7"));
    grid.setTextMatrix(2, 1, QStringLiteral("乙"));
    grid.setTextMatrix(9, 9, QStringLiteral("ignored"));
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.data(grid.index(0, 0)).toString(), QStringLiteral("7"));
    EXPECT_EQ(grid.data(grid.index(1, 1)).toString(), QStringLiteral("乙"));
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("名称"));
    EXPECT_EQ(grid.TextMatrix(9, 9), QString());

    // Two fixed rows show as a two-line header; the data start at row 2.
    grid.setFixedRows(2);
    EXPECT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号\n7"));

    // Columns added keep the cells; columns removed drop theirs.
    grid.setFixedRows(1);
    grid.setCols(3);
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("乙"));
    grid.setCols(1);
    EXPECT_EQ(grid.TextMatrix(2, 1), QString());
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("7"));
}

TEST(GridModel, RemoveAndAddItemMoveTheRowsBelow) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("k|v"));
    grid.setRows(1);
    for (const char* line : {"1\ta", "2\tb", "3\tc"})
        grid.AddItem(QString::fromUtf8(line));
    grid.setRowData(3, QStringLiteral("third"));
    grid.setCell(GridModel::CellProp::FontBold, 3, 0, 3, 1, true);
    grid.RemoveItem(2);
    ASSERT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("a"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("c"));
    EXPECT_EQ(grid.RowData(2).toString(), QStringLiteral("third"));
    EXPECT_TRUE(grid.cell(GridModel::CellProp::FontBold, 2, 1).toBool());
    grid.AddItem(QStringLiteral("9\tz"), 1);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("9"));
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("c"));
}

TEST(GridModel, WidthsInTwipsAndPixelsAndHiddenColumns) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setFormatString(QStringLiteral("编号|<a|<b"));
    grid.setColWidth(1, 1500);
    EXPECT_EQ(grid.colWidthPx(1), 100);
    grid.setColWidthPx(2, 50);
    EXPECT_EQ(grid.ColWidth(2), 750);
    EXPECT_EQ(view.columnWidth(1), 100);
    EXPECT_EQ(view.columnWidth(2), 50);

    grid.setColWidth(0, 0);
    EXPECT_TRUE(grid.ColHidden(0));
    EXPECT_TRUE(view.isColumnHidden(0));
    grid.setColWidth(0, 300);
    EXPECT_FALSE(view.isColumnHidden(0));
    EXPECT_EQ(view.columnWidth(0), 20);
}

TEST(GridModel, TextOfDatabaseValues) {
    EXPECT_EQ(GridModel::textOf(QVariant()), QString());
    EXPECT_EQ(GridModel::textOf(QString()), QString());
    EXPECT_EQ(GridModel::textOf(qint64(42)), QStringLiteral("42"));
    EXPECT_EQ(GridModel::textOf(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(GridModel::textOf(12.0), QStringLiteral("12"));
    EXPECT_EQ(GridModel::textOf(QStringLiteral("成都")), QStringLiteral("成都"));
}

TEST(GridModel, BulkLoadOfAHundredThousandRows) {
    constexpr int records = 100000;
    QStringList names;
    for (int c = 0; c < 12; ++c)
        names << QStringLiteral("f%1").arg(c);
    Recordset rs(names);
    for (int r = 0; r < records; ++r) {
        rs.appendInteger(r);
        for (int c = 1; c < 12; ++c) {
            if (c == 5 && r % 7 == 0) {
                rs.appendNull();
            } else if (c == 6) {
                rs.appendText("", 0);
            } else {
                const QByteArray text = QStringLiteral("r%1c%2").arg(r).arg(c).toUtf8();
                rs.appendText(text.constData(), static_cast<int>(text.size()));
            }
        }
        rs.endRow();
    }

    DataGrid view;
    GridModel& grid = view.grid();
    grid.setFormatString(QStringLiteral("编号|<a|<b|<c|<d|<e|<f|<g|<h|<i|<j"));
    grid.loadRecordset(rs, 1);
    ASSERT_EQ(grid.Rows(), records + 1);
    EXPECT_EQ(grid.rowCount(), records);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("a"));
    for (int r : {0, 1, 7, 4999, records - 1}) {
        EXPECT_EQ(grid.TextMatrix(r + 1, 0), QString::number(r));
        EXPECT_EQ(grid.TextMatrix(r + 1, 10), QStringLiteral("r%1c10").arg(r));
        EXPECT_EQ(grid.TextMatrix(r + 1, 5), r % 7 == 0 ? QString() : QStringLiteral("r%1c5").arg(r));
        EXPECT_EQ(grid.TextMatrix(r + 1, 6), QString());
    }
    // The twelfth field has no column and is left out.
    EXPECT_EQ(grid.TextMatrix(records, 11), QString());
    EXPECT_EQ(view.Row(), 1);
}

TEST(GridModel, RecordsFillOnlyTheColumnsTheyHave) {
    Recordset rs({"k"});
    rs.appendInteger(5);
    rs.endRow();
    GridModel grid;
    grid.setFormatString(QStringLiteral("k|a|b"));
    grid.setRows(4);
    grid.setTextMatrix(1, 2, QStringLiteral("old"));
    grid.loadRecordset(rs, 1);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("5"));
    EXPECT_EQ(grid.TextMatrix(1, 2), QString());
}

TEST(GridModel, SaveGridWritesTabSeparatedTextWithTheHeader) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("编号|<名称|<备注"));
    grid.setRows(3);
    grid.setTextMatrix(1, 0, QStringLiteral("1"));
    grid.setTextMatrix(1, 1, QStringLiteral("成都"));
    grid.setTextMatrix(2, 0, QStringLiteral("2"));
    grid.setTextMatrix(2, 2, QStringLiteral("two\tparts \"x\""));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("新建文件.xls"));
    ASSERT_TRUE(grid.SaveGrid(path, true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QStringLiteral("编号\t名称\t备注\r\n1\t成都\t\r\n2\t\t\"two\tparts \"\"x\"\"\"\r\n"));
    EXPECT_EQ(grid.tabText(false), QStringLiteral("1\t成都\t\r\n2\t\t\"two\tparts \"\"x\"\"\"\r\n"));
    EXPECT_FALSE(grid.SaveGrid(dir.filePath(QStringLiteral("missing/folder.xls"))));
}

TEST(GridModel, ClearEmptiesCellsAndFormatsButKeepsTheSize) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("a|b"));
    grid.setRows(2);
    grid.setTextMatrix(1, 1, QStringLiteral("x"));
    grid.setCell(GridModel::CellProp::ForeColor, 1, 1, 1, 1, QColor(Qt::blue));
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), QString());
    EXPECT_EQ(grid.TextMatrix(0, 0), QString());
    EXPECT_FALSE(grid.cell(GridModel::CellProp::ForeColor, 1, 1).isValid());
}

TEST(GridModel, CellFormatsReachTheView) {
    GridModel grid;
    grid.setFormatString(QStringLiteral("a|b|c"));
    grid.setRows(3);
    grid.setFixedCols(1);
    grid.setCell(GridModel::CellProp::FontBold, 2, 0, 2, 2, true);
    grid.setCell(GridModel::CellProp::ForeColor, 2, 1, 2, 2, QColor(0, 0, 255));
    grid.setCell(GridModel::CellProp::Alignment, 1, 2, 1, 2, QVariant::fromValue(Align::Center));
    EXPECT_TRUE(grid.data(grid.index(1, 0), Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(grid.data(grid.index(0, 0), Qt::FontRole).isValid());
    EXPECT_EQ(grid.data(grid.index(1, 2), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_EQ(grid.data(grid.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    // General alignment: numbers right, text left.
    grid.setTextMatrix(1, 1, QStringLiteral("12.5"));
    grid.setTextMatrix(2, 1, QStringLiteral("abc"));
    EXPECT_TRUE(grid.data(grid.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(grid.data(grid.index(1, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
    // A fixed column has the header's background.
    EXPECT_TRUE(grid.data(grid.index(0, 0), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(grid.data(grid.index(0, 1), Qt::BackgroundRole).isValid());
}

TEST(GridModel, FreeMergingOfEqualNeighbours) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setRedraw(false);
    grid.setCols(5);
    grid.setRows(5);
    grid.setFixedRows(2);
    grid.setFixedCols(1);
    // Row 0: member titles repeated over their measure columns; column 0: row titles.
    const QStringList row0 = {"", "A", "A", "B", "B"};
    for (int c = 0; c < 5; ++c)
        grid.setTextMatrix(0, c, row0[c]);
    const QStringList col0 = {"", "", "x", "x", "y"};
    for (int r = 2; r < 5; ++r)
        grid.setTextMatrix(r, 0, col0[r]);
    grid.setMergeCells(GridModel::Merge::Free);
    grid.setMergeRow(0, true);
    grid.setMergeCol(0, true);
    grid.setRedraw(true);

    EXPECT_EQ(grid.mergedRange(0, 2), QRect(1, 0, 2, 1));
    EXPECT_EQ(grid.mergedRange(0, 3), QRect(3, 0, 2, 1));
    EXPECT_EQ(grid.mergedRange(3, 0), QRect(0, 2, 1, 2));
    EXPECT_EQ(grid.mergedRange(4, 0), QRect(0, 4, 1, 1));
    EXPECT_EQ(grid.mergedRange(3, 3), QRect(3, 3, 1, 1));
    // In the view the data rows 2 and 3 of column 0 form one span.
    EXPECT_EQ(view.rowSpan(0, 0), 2);
    EXPECT_EQ(view.rowSpan(2, 0), 1);

    grid.setMergeCells(GridModel::Merge::Never);
    EXPECT_EQ(grid.mergedRange(0, 2), QRect(2, 0, 1, 1));
    EXPECT_EQ(view.rowSpan(0, 0), 1);
}

TEST(DataGrid, CurrentRowAndSelectedRows) {
    DataGrid view;
    view.setFormatString(QStringLiteral("编号|<名称"));
    EXPECT_EQ(view.Row(), -1);
    view.setRows(5);
    view.setColWidth(0, 0);
    for (int r = 1; r < 5; ++r)
        view.setTextMatrix(r, 0, QString::number(r * 10));

    // Data rows give the grid a current row, without selecting it.
    EXPECT_EQ(view.Row(), 1);
    EXPECT_EQ(view.SelectedRows(), 0);

    view.Select(2, 1, 3, 1);
    EXPECT_EQ(view.Row(), 2);
    EXPECT_EQ(view.Col(), 1);
    EXPECT_EQ(view.SelectedRows(), 2);
    EXPECT_TRUE(view.IsSelected(3));
    EXPECT_FALSE(view.IsSelected(1));
    EXPECT_FALSE(view.IsSelected(0));
    EXPECT_EQ(view.selectedRowList(), QList<int>({2, 3}));

    // Removing a row above keeps the cursor on the same record.
    view.RemoveItem(1);
    EXPECT_EQ(view.TextMatrix(view.Row(), 0), QStringLiteral("20"));
    EXPECT_EQ(view.selectedRowList(), QList<int>({1, 2}));

    view.setRows(1);
    EXPECT_EQ(view.Row(), -1);
    EXPECT_EQ(view.SelectedRows(), 0);
}

TEST(DataGrid, RightButtonKeepsTheCursorAndDoubleClickCountsBelowTheRows) {
    DataGrid view;
    view.resize(300, 300);
    view.setFormatString(QStringLiteral("编号|<名称"));
    view.setRows(4);
    for (int r = 1; r < 4; ++r)
        view.setTextMatrix(r, 1, QString::number(r));
    view.show();
    view.Select(1, 1, 1, 1);
    QSignalSpy released(&view, &DataGrid::rightButtonReleased);
    QSignalSpy doubled(&view, &DataGrid::gridDoubleClicked);

    const QPoint onRow3 = view.visualRect(view.grid().index(2, 1)).center();
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, onRow3);
    EXPECT_EQ(released.count(), 1);
    EXPECT_EQ(view.Row(), 1);
    EXPECT_EQ(view.selectedRowList(), QList<int>({1}));

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, onRow3);
    EXPECT_EQ(view.Row(), 3);
    EXPECT_EQ(released.count(), 1);

    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, view.viewport()->height() - 5));
    EXPECT_EQ(doubled.count(), 1);
    EXPECT_EQ(view.Row(), 3);
}

TEST(GridModel, AutoSizeFitsEachColumnToItsWidestText) {
    // Each column's texts from row 0 down: the widest comes late, scripts mix, a text has two lines,
    // a column is empty.
    const QList<QStringList> columns = {{"1", "abc", "Wide WWW 宽"},
                                        {"名称", "12345678901234", "22"},
                                        {"", "ab\n中文字符很长的一行", "x"},
                                        {"", "", ""}};
    GridModel grid;
    grid.setRows(3);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 3; ++r)
            grid.setTextMatrix(r, c, columns[c][r]);
    grid.AutoSize(0, 3);
    const QFontMetrics metrics(grid.font());
    for (int c = 0; c < 3; ++c) {
        int widest = 0;
        for (const QString& text : columns[c])
            for (const QString& line : text.split('\n'))
                widest = std::max(widest, metrics.horizontalAdvance(line));
        EXPECT_NEAR(grid.colWidthPx(c), widest + 8, 1) << c;
    }
    EXPECT_EQ(grid.colWidthPx(3), 8);
    grid.AutoSize(5, 9); // past the last column: nothing changes
    EXPECT_EQ(grid.colWidthPx(3), 8);
}

TEST(GridModel, RecordsCanStartPastTheFirstColumn) {
    Recordset rs({"a", "b"});
    rs.appendText("x", 1);
    rs.appendInteger(7);
    rs.endRow();
    GridModel grid;
    grid.setCols(3);
    grid.setRows(2);
    grid.setTextMatrix(1, 0, "kept");
    grid.loadRecordset(rs, 1, 1);
    EXPECT_EQ((QStringList{grid.TextMatrix(1, 0), grid.TextMatrix(1, 1), grid.TextMatrix(1, 2)}),
              (QStringList{"kept", "x", "7"}));
}

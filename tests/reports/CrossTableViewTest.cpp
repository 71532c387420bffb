// Cross tables and the list report in a small window: fixed rows and columns stay in sight however far
// the body scrolls, and fitted columns show every text whole in the font it is drawn with.
#include "core/Recordset.h"
#include "reports/clsCrossTable.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/GridCellDelegate.h"
#include "ui/GridFrozenPanes.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Sales by customer type, year and parent type, and a customer list of many columns.
class ReportViews : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    DataGrid view;
    clsCrossTable engine;
    QString title = QStringLiteral("报表");

    ReportViews() {
        db.ExecSQL("create table sales (ptype, ctype, year, customers, money)");
        const QStringList parents{"政府机构", "企业客户", "个人客户"};
        const QStringList types{"行政机关", "事业单位", "重点客户", "普通客户", "外资企业", "个体工商户"};
        // 行政机关 sells 800000 and 73166: its bold subtotal 873166 is the widest number of its column,
        // narrower than its bold caption in a plain font's estimate.
        db.ExecSQL("insert into sales values ('政府机构', '行政机关', '2024', 3, 800000), "
                   "('政府机构', '行政机关', '2025', 2, 73166)");
        int n = 0;
        for (int t = 1; t < types.size(); ++t)
            for (int year = 2016; year <= 2025; ++year)
                db.ExecSQL("insert into sales values (?, ?, ?, ?, ?)",
                           {parents[t % 3], types[t], QString::number(year), 1 + ++n % 7, 1000 + n * 37});
        db.ExecSQL("create table customers (code, name, c1, c2, c3, c4, c5, c6, c7, c8, c9)");
        for (int i = 0; i < 120; ++i)
            db.ExecSQL("insert into customers values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       {QString::number(1000 + i), QStringLiteral("北京华信科技有限公司%1").arg(i),
                        "人民路 12 号", "0571-88886666", "2024-01-05", "行政机关", "销售一部", "王伟",
                        "13900001111", "info@example.com", "有限责任公司"});
        view.resize(420, 260);
        view.show();
        engine.setConnect(&db);
        engine.setGrid(&view.grid());
    }

    void build(int type, const char* sql, const char* x, const char* y, const char* z, const char* measures) {
        engine.setCrossTableType(static_cast<qint16>(type));
        engine.setX轴字段(QString::fromUtf8(x));
        engine.setX轴标题(QString::fromUtf8(x));
        engine.setY轴字段(QString::fromUtf8(y));
        engine.setY轴标题(QString::fromUtf8(y));
        engine.setZ轴字段(QString::fromUtf8(z));
        engine.setZ轴标题(QString::fromUtf8(z));
        engine.set计算字段(QString::fromUtf8(measures));
        engine.setSql(QString::fromUtf8(sql));
        engine.ShowData(title);
        QApplication::processEvents();
    }
    void threeAxes() {
        build(3, "select * from sales order by ptype, ctype, year", "ctype", "year", "ptype",
              "customers:客户数,money:销售额");
    }

    void scrollToTheEnd() {
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QApplication::processEvents();
    }

    // The cell shown at a point of the table's viewport: the model index of the view on top there.
    QModelIndex shownAt(const QPoint& viewportPoint) {
        const QPoint inView = view.viewport()->mapTo(&view, viewportPoint);
        QWidget* child = view.childAt(inView);
        auto* pane = child ? qobject_cast<QTableView*>(child->parentWidget()) : nullptr;
        if (!pane)
            return {};
        return pane->indexAt(pane->viewport()->mapFrom(&view, inView));
    }

    // Down the fixed columns at the left and along the fixed rows at the top of the viewport, the cells
    // shown are the fixed ones, beside the body rows and above the body columns they belong to.
    void expectFixedCellsInSight() {
        const GridModel& g = view.grid();
        const GridFrozenPanes& panes = view.frozenPanes();
        const int fixedRows = g.FixedRowsInBody() ? g.FixedRows() : 0;
        const QRect viewport = view.viewport()->rect();
        int x = 0;
        for (int c = 0; c < g.FixedCols(); ++c) {
            const int middle = x + view.columnWidth(c) / 2;
            x += view.columnWidth(c);
            for (int y = panes.frozenHeight() + 2; y < viewport.height() && view.rowAt(y) >= 0; y += 9) {
                const QModelIndex shown = shownAt(QPoint(middle, y));
                ASSERT_TRUE(shown.isValid()) << "column " << c << " y " << y;
                EXPECT_EQ(shown.column(), c);
                const QRect bodyBeside = view.visualRect(view.model()->index(view.rowAt(y), g.FixedCols()));
                EXPECT_TRUE(shown.row() == view.rowAt(y) || view.rowSpan(shown.row(), c) > 1 ||
                            bodyBeside.isEmpty())
                    << "column " << c << " y " << y;
                EXPECT_EQ(shown.data().toString(), g.visibleText(shown.row() + g.firstModelRow(), c));
            }
        }
        EXPECT_EQ(panes.frozenWidth(), x);
        int y = 0;
        for (int r = 0; r < fixedRows; ++r) {
            const int middle = y + view.rowHeight(r) / 2;
            y += view.rowHeight(r);
            for (int px = panes.frozenWidth() + 2; px < viewport.width() && view.columnAt(px) >= 0;
                 px += 13) {
                const QModelIndex shown = shownAt(QPoint(px, middle));
                ASSERT_TRUE(shown.isValid()) << "row " << r << " x " << px;
                EXPECT_LE(shown.row(), r);
                EXPECT_GE(shown.row() + view.rowSpan(shown.row(), shown.column()) - 1, r);
                const int col = view.columnAt(px);
                EXPECT_TRUE(shown.column() <= col &&
                            col < shown.column() + view.columnSpan(shown.row(), shown.column()))
                    << "row " << r << " x " << px;
            }
        }
        EXPECT_EQ(panes.frozenHeight(), y);
        // The fixed rows that are the column header stand above the viewport, over every column.
        if (!g.FixedRowsInBody() && g.FixedRows() > 0) {
            EXPECT_TRUE(view.horizontalHeader()->isVisible());
            const int col = view.columnAt(viewport.width() - 5);
            EXPECT_EQ(view.horizontalHeader()->logicalIndexAt(viewport.width() - 5), col);
            if (g.FixedCols() > 0) {
                const QHeaderView* paneHeader = panes.leftPane()->horizontalHeader();
                EXPECT_TRUE(paneHeader->isVisible());
                EXPECT_EQ(paneHeader->mapTo(&view, QPoint()).y(),
                          view.horizontalHeader()->mapTo(&view, QPoint()).y());
                EXPECT_EQ(paneHeader->logicalIndexAt(2), 0);
            }
        }
    }

    // The current cell on the last body cell is scrolled into sight beside the fixed cells, not under them.
    void expectLastCellUncovered() {
        const QModelIndex last =
            view.model()->index(view.model()->rowCount() - 1, view.model()->columnCount() - 1);
        view.setCurrentIndex(last);
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
        view.scrollTo(last);
        const QModelIndex first = view.model()->index(
            view.grid().FixedRowsInBody() ? view.grid().FixedRows() : 0, view.grid().FixedCols());
        view.setCurrentIndex(first);
        QApplication::processEvents();
        const QRect rect = view.visualRect(first);
        EXPECT_GE(rect.left(), view.frozenPanes().frozenWidth());
        EXPECT_GE(rect.top(), view.frozenPanes().frozenHeight());
        EXPECT_EQ(shownAt(rect.center()), first);
    }
};

TEST_F(ReportViews, FixedRowsAndColumnsStayInSightInEveryTableAndTheListReport) {
    struct Case {
        const char* name;
        std::function<void()> build;
    };
    const QList<Case> cases{
        {"one axis with its column header",
         [&] {
             build(1, "select * from customers order by code", "code", "", "",
                   "name:分类名称,c1:安装地点,c2:联系电话,c3:购置日期,c4:分类类型,c5:使用部门,c6:采购员,"
                   "c7:售后电话,c8:电子邮件,c9:制造厂家");
             view.grid().AutoSize(0, view.grid().Cols() - 1);
         }},
        {"three axes, merged and bold headings", [&] { threeAxes(); }},
        {"three axes with rows of their own heights",
         [&] {
             view.grid().setRowHeight(1, 600);
             view.grid().setRowHeight(view.grid().Rows() - 3, 900);
             QApplication::processEvents();
         }},
        {"two axes",
         [&] {
             build(2, "select * from sales order by ctype, year", "ctype", "year", "",
                   "customers:客户数,money:销售额");
         }},
        {"two axes without the subtotal columns",
         [&] {
             build(4, "select * from sales order by ctype, year", "ctype", "year", "",
                   "customers:客户数,money:销售额");
         }},
        {"list report",
         [&] {
             GridModel& g = view.grid();
             g.ResetTable();
             g.setRows(1);
             g.setFixedRows(1);
             const auto rs = db.GetRS("select * from customers");
             g.setCols(rs->FieldCount() + 1);
             g.setRows(rs->RecordCount() + 1);
             g.setTextMatrix(0, 0, QStringLiteral("行号"));
             for (int c = 0; c < rs->FieldCount(); ++c)
                 g.setTextMatrix(0, c + 1, rs->FieldName(c));
             g.loadRecordset(*rs, 1, 1);
             for (int r = 1; r < g.Rows(); ++r)
                 g.setTextMatrix(r, 0, QString::number(r));
             g.AutoSize(0, g.Cols() - 1);
             QApplication::processEvents();
         }},
        {"list with its row numbers fixed",
         [&] {
             view.grid().setFixedCols(1);
             QApplication::processEvents();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.build();
        ASSERT_GT(view.grid().Rows(), 3);
        for (const QSize size : {QSize(420, 260), QSize(300, 180), QSize(640, 400)}) {
            view.resize(size);
            QApplication::processEvents();
            scrollToTheEnd();
            expectFixedCellsInSight();
            expectLastCellUncovered();
        }
    }
}

// However the table is scrolled, the first column and row beside the fixed ones are whole: the scroll
// position snaps to where a column (a row) begins at the fixed edge, and the end lets the last ones be
// seen whole too.
TEST_F(ReportViews, ScrollingShowsWholeColumnsAndRowsBesideTheFixedOnes) {
    struct Scroll {
        const char* what;
        std::function<void(QScrollBar*)> apply;
    };
    const QList<Scroll> scrolls{
        {"three steps",
         [](QScrollBar* bar) {
             for (int i = 0; i < 3; ++i)
                 bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
         }},
        {"a page", [](QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderPageStepAdd); }},
        {"to a pixel within a column", [](QScrollBar* bar) { bar->setValue(bar->value() + 37); }},
        {"back a step", [](QScrollBar* bar) { bar->triggerAction(QAbstractSlider::SliderSingleStepSub); }},
        {"the slider dragged to and fro by a pixel",
         [](QScrollBar* bar) {
             // The slider rests where the mouse rests, at the nearer start.
             const int from = bar->value();
             bar->setSliderDown(true);
             QList<int> values;
             for (const int offset : {41, 40, 41, 40}) {
                 bar->setSliderPosition(from + offset);
                 values << bar->value();
             }
             bar->setSliderDown(false);
             EXPECT_EQ(values, QList<int>(4, values.first()));
         }},
        {"to the end", [](QScrollBar* bar) { bar->setValue(bar->maximum()); }},
        {"back a pixel from the end", [](QScrollBar* bar) { bar->setValue(bar->value() - 1); }},
    };
    const QList<std::pair<const char*, std::function<void()>>> tables{
        {"one axis of many columns",
         [&] {
             build(1, "select * from customers order by code", "code", "", "",
                   "name:分类名称,c1:安装地点,c2:联系电话,c3:购置日期,c4:分类类型,c5:使用部门,c6:采购员,"
                   "c7:售后电话,c8:电子邮件,c9:制造厂家");
         }},
        {"three axes", [&] { threeAxes(); }},
    };
    for (const auto& [table, make] : tables) {
        SCOPED_TRACE(table);
        make();
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
        const GridFrozenPanes& panes = view.frozenPanes();
        ASSERT_TRUE(panes.active());
        for (const Scroll& scroll : scrolls) {
            SCOPED_TRACE(scroll.what);
            scroll.apply(view.horizontalScrollBar());
            scroll.apply(view.verticalScrollBar());
            QApplication::processEvents();
            const int col = view.columnAt(panes.frozenWidth());
            const int row = view.rowAt(panes.frozenHeight());
            ASSERT_GE(col, 0);
            ASSERT_GE(row, 0);
            EXPECT_EQ(view.columnViewportPosition(col), panes.frozenWidth()) << "column " << col;
            EXPECT_EQ(view.rowViewportPosition(row), panes.frozenHeight()) << "row " << row;
            // The fixed panes show the same rows and columns as the table beside them.
            EXPECT_EQ(panes.leftPane()->rowViewportPosition(row), panes.frozenHeight());
            if (panes.topPane()->isVisible()) {
                EXPECT_EQ(panes.topPane()->columnViewportPosition(col), panes.frozenWidth());
            }
        }
        // At the end the last column and row are whole as well.
        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QApplication::processEvents();
        const int lastCol = view.model()->columnCount() - 1;
        const int lastRow = view.model()->rowCount() - 1;
        EXPECT_LE(view.columnViewportPosition(lastCol) + view.columnWidth(lastCol), view.viewport()->width());
        EXPECT_LE(view.rowViewportPosition(lastRow) + view.rowHeight(lastRow), view.viewport()->height());
    }
}

// A heading over several columns, scrolled partly under the fixed columns, draws its caption in the
// part that is seen.
TEST_F(ReportViews, AMergedHeadingPartlyInViewShowsItsCaptionInTheVisiblePart) {
    threeAxes();
    view.resize(640, 400);
    const GridFrozenPanes& panes = view.frozenPanes();
    QTableView* top = panes.topPane();
    ASSERT_TRUE(top->isVisible());
    ASSERT_EQ(top->columnSpan(0, 2), 2);
    view.horizontalScrollBar()->setValue(0);
    view.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QApplication::processEvents();
    ASSERT_EQ(view.columnAt(panes.frozenWidth()), 3) << "one column of the heading under the fixed ones";
    const QRect heading = top->visualRect(top->model()->index(0, 2));
    ASSERT_LT(heading.left(), panes.frozenWidth());
    const QImage image = top->viewport()->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    int inkLeft = INT_MAX, inkRight = -1;
    for (int x = 0; x < heading.right() - 2; ++x)
        for (int y = heading.top() + 3; y < heading.bottom() - 2; ++y)
            if (qGray(image.pixel(qRound(x * ratio), qRound(y * ratio))) < 100 && x >= panes.frozenWidth()) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_GE(inkRight, 0) << "no caption in sight";
    EXPECT_GT(inkLeft, panes.frozenWidth() + 1) << "the caption runs under the fixed columns";
    const int seenMiddle = (panes.frozenWidth() + heading.right()) / 2;
    EXPECT_NEAR((inkLeft + inkRight) / 2, seenMiddle, 3);
}

// Ctrl+Home goes to the first data cell and scrolls fully back to the top left, also when the cursor
// stands there already; the fixed cells of the current row are marked.
TEST_F(ReportViews, CtrlHomeGoesToTheFirstDataCellAtTheTopLeftAndTheKeyColumnMarksTheRow) {
    const QList<std::pair<const char*, std::function<void()>>> tables{
        {"one axis",
         [&] {
             build(1, "select * from customers order by code", "code", "", "",
                   "name:分类名称,c1:安装地点,c2:联系电话,c3:购置日期,c4:分类类型,c5:使用部门");
         }},
        {"three axes", [&] { threeAxes(); }},
    };
    for (const auto& [table, make] : tables) {
        SCOPED_TRACE(table);
        make();
        const GridModel& g = view.grid();
        const QModelIndex first = view.model()->index(g.FixedRowsInBody() ? g.FixedRows() : 0, g.FixedCols());
        for (const bool fromElsewhere : {true, false}) {
            SCOPED_TRACE(fromElsewhere ? "from another cell" : "from the first cell, scrolled away");
            view.setCurrentIndex(fromElsewhere ? view.model()->index(view.model()->rowCount() - 1,
                                                                     view.model()->columnCount() - 1)
                                               : first);
            scrollToTheEnd();
            QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
            QApplication::processEvents();
            EXPECT_EQ(view.currentIndex(), first);
            EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
            EXPECT_EQ(view.verticalScrollBar()->value(), 0);
        }
        // The key cell of the current row is drawn marked, that of another row plainly (neither row
        // selected).
        view.clearSelection();
        QApplication::processEvents();
        const QTableView* left = view.frozenPanes().leftPane();
        const int keyCol = g.FixedCols() - 1;
        const QImage image = left->viewport()->grab().toImage();
        const auto background = [&](int row) {
            const QRect cell = left->visualRect(left->model()->index(row, keyCol));
            return QColor(image.pixel(qRound((cell.left() + 2) * image.devicePixelRatio()),
                                      qRound((cell.top() + 2) * image.devicePixelRatio())))
                .name();
        };
        const QColor fixed =
            view.model()->index(first.row(), keyCol).data(Qt::BackgroundRole).value<QColor>();
        EXPECT_EQ(background(first.row()), GridCellDelegate::markedBackground(fixed, left->palette()).name());
        EXPECT_EQ(background(first.row() + 1), fixed.name());
    }
}

TEST_F(ReportViews, FittedColumnsShowEveryTextWholeInItsOwnFont) {
    threeAxes();
    const GridModel& g = view.grid();
    ASSERT_TRUE(g.TextMatrix(1, g.Cols() - 1) == QStringLiteral("销售额"));
    view.grid().AutoSize(0, g.Cols() - 1);
    QApplication::processEvents();
    // What the style leaves of a cell for its text: the grid line and a margin on either side.
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    int boldSubtotals = 0;
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c) {
            const QModelIndex index = view.model()->index(r, c);
            const QVariant font = index.data(Qt::FontRole);
            const QFont drawn = font.isValid() ? font.value<QFont>() : view.font();
            const QString text = g.TextMatrix(r, c);
            const int room = view.columnWidth(c) - (view.showGrid() ? 1 : 0) - 2 * margin;
            EXPECT_LE(QFontMetrics(drawn).horizontalAdvance(text), room)
                << "cell " << r << ", " << c << " \"" << text.toStdString() << "\"";
            if (drawn.bold() && text == QStringLiteral("873166"))
                ++boldSubtotals;
        }
    EXPECT_GT(boldSubtotals, 0);
}

} // namespace

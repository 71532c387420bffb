#include "reports/CrossChart.h"
#include "reports/ReportChartWindow.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/reports/CrossTableFixture.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {
void mouse(QWidget* target, QEvent::Type type, const QPoint& at, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A fixture table with a chart on the engine; the current cell at (row, col).
struct ChartFixture {
    CrossTableFixture table;
    CrossChart chart;
    ChartFixture() {
        chart.resize(900, 600);
        chart.show();
        table.engine().setChart(&chart);
    }
    void at(int row, int col) { table.grid().setCurrentCell(row, col); }
};

QStringList captions(const QList<CrossChartItem>& items) {
    QStringList out;
    for (const CrossChartItem& item : items)
        out << item.caption;
    return out;
}
} // namespace

TEST(CrossChart, BuildersTakeTheItemsOfTheCurrentRowOrColumn) {
    struct Case {
        int type;
        const char* measures;
        int row, col;
        bool pie, vertical;
        QStringList names;
        QList<double> values;
        QStringList shares; // pies: the shown labels
        QList<bool> labelsShown;
        const char* header;
    };
    const QList<Case> cases = {
        // every member row of a one-axis table, the last one included
        {1, "m1:M1,m2:M2", 1, 1, true, true, {"A", "B"}, {16, 12}, {"57.14%", "42.86%"}, {true, true}, "M1"},
        {5, "m1:M1", 2, 1, true, true, {"A", "B"}, {16, 12}, {"57.14%", "42.86%"}, {true, true}, "M1"},
        {1,
         "m1:M1,m2:M2",
         1,
         2,
         false,
         false,
         {"M1", "M2"},
         {16, 160},
         {"16.00", "160.00"},
         {true, true},
         "M2"},
        // two axes: the subtotal is the pie's total and never an item
        {2,
         "m1:M1,m2:M2",
         2,
         1,
         true,
         true,
         {"p", "q"},
         {13, 3},
         {"81.25%", "18.75%"},
         {true, true},
         "A [M1]"},
        {2,
         "m1:M1,m2:M2",
         2,
         1,
         true,
         false,
         {"A", "B"},
         {13, 2},
         {"86.67%", "13.33%"},
         {true, true},
         "p [M1]"},
        {2, "m1:M1,m2:M2", 3, 4, false, true, {"p", "q"}, {20, 40}, {"20.00", "40.00"}, {true, true}, "B"},
        {4, "m1:M1,m2:M2", 2, 2, false, false, {"A", "B"}, {130, 20}, {"130.00", "20.00"}, {true, true}, "p"},
        // three axes: the Z member follows from the row, a share under 1 % hides its label
        {3,
         "m1:数量",
         5,
         2,
         true,
         true,
         {"p", "q"},
         {5, 0},
         {"100.00%", "0.00%"},
         {true, false},
         "v---A [数量]"},
        {3,
         "m1:数量",
         4,
         2,
         true,
         false,
         {"A", "B"},
         {11, 8},
         {"57.89%", "42.11%"},
         {true, true},
         "u---小计 [数量]"},
        {6, "m1:数量", 3, 3, false, false, {"A", "B"}, {3, 6}, {"3.00", "6.00"}, {true, true}, "u---q"},
    };
    for (const Case& c : cases) {
        ChartFixture f;
        f.table.insertExample();
        f.table.configure(c.type, QString::fromUtf8(c.measures));
        f.table.build();
        f.at(c.row, c.col);
        const std::string label = "type " + std::to_string(c.type) + " at " + std::to_string(c.row) + "," +
                                  std::to_string(c.col) + (c.pie ? " pie" : " bar");
        const bool drawn =
            c.pie ? f.table.engine().ShowChartPie(c.vertical) : f.table.engine().ShowChartBar(c.vertical);
        ASSERT_TRUE(drawn) << label;
        const QList<CrossChartItem> items = f.chart.items();
        EXPECT_EQ(f.chart.kind(), c.pie ? ICrossChart::Kind::Pie : ICrossChart::Kind::Bar) << label;
        EXPECT_EQ(captions(items), c.names) << label;
        EXPECT_EQ(f.chart.header(), QString::fromUtf8(c.header)) << label;
        double shareSum = 0;
        for (int i = 0; i < items.size() && i < c.values.size(); ++i) {
            EXPECT_DOUBLE_EQ(items[i].value, c.values[i]) << label << " item " << i;
            EXPECT_EQ(items[i].shownLabel, c.shares[i]) << label << " item " << i;
            EXPECT_EQ(items[i].labelVisible, c.labelsShown[i]) << label << " item " << i;
            shareSum += items[i].shownLabel.chopped(1).toDouble();
        }
        if (c.pie) {
            EXPECT_NEAR(shareSum, 100, 0.02) << label;
        }
    }
}

TEST(CrossChart, WhatCannotBeCharted) {
    MessageRecorder messages;
    // Type 7 has no chart; no current cell, a text value or an empty build draw nothing.
    {
        ChartFixture f;
        f.table.insertExample();
        f.table.configure(7, QStringLiteral("m1:数量"));
        f.table.build();
        f.at(2, 2);
        EXPECT_FALSE(f.table.engine().ShowChartPie(true));
        EXPECT_FALSE(f.table.engine().ShowChartBar(true));
    }
    {
        ChartFixture f;
        f.table.insertExample();
        f.table.configure(1, QStringLiteral("m1:M1,t:名称"));
        f.table.build();
        f.at(1, 2);
        EXPECT_FALSE(f.table.engine().ShowChartPie(true)); // names are no numbers
        f.at(1, 1);
        EXPECT_TRUE(f.table.engine().ShowChartPie(true));
        EXPECT_TRUE(f.table.engine().ShowChartBar(false)); // the name counts as 0 in a row's bars
        EXPECT_DOUBLE_EQ(f.chart.items().at(1).value, 0);
        f.table.engine().setSql(QStringLiteral("select * from cross_rows where id < 0"));
        f.table.build();
        EXPECT_FALSE(f.table.engine().ShowChartPie(true));
        EXPECT_TRUE(f.chart.items().isEmpty());
        EXPECT_EQ(f.chart.header(), QStringLiteral("没有可以显示的数据"));
    }
    EXPECT_TRUE(messages.empty());
    // The item limit: 100 one-axis members, or a highest index of 100 in a two-axis list.
    struct Limit {
        int type;
        int members;
        bool drawn;
    };
    for (const Limit& c :
         {Limit{1, 100, true}, Limit{1, 101, false}, Limit{2, 100, true}, Limit{2, 101, false}}) {
        ChartFixture f;
        f.table.db().ExecSQL(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                                            "where i < ?) insert into cross_rows (x, xt, y, yt, m1) "
                                            "select 'k' || i, 'k' || i, 'p', 'p', i from n"),
                             {c.members});
        f.table.configure(c.type, QStringLiteral("m1:M1"));
        f.table.build();
        f.at(2, 1);
        messages.clear();
        EXPECT_EQ(f.table.engine().ShowChartPie(c.type == 1), c.drawn) << c.type << " " << c.members;
        if (c.drawn) {
            EXPECT_EQ(f.chart.items().size(), c.members);
            EXPECT_TRUE(messages.empty());
        } else {
            ASSERT_EQ(messages.messages().size(), 1);
            EXPECT_EQ(messages.last().text, QStringLiteral("项目太多，不能显示图形"));
            EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        }
    }
}

TEST(CrossChart, OptionsAndMouseModes) {
    ChartFixture f;
    f.table.insertExample();
    f.table.configure(2);
    f.table.build();
    f.at(2, 1);
    clsCrossTable& engine = f.table.engine();
    ASSERT_TRUE(engine.ShowChartBar(true));
    EXPECT_TRUE(f.chart.verticalBars());
    EXPECT_EQ(f.chart.labelAnchor(), ICrossChart::LabelAnchor::Above);
    engine.setChartWay(false);
    EXPECT_FALSE(f.chart.verticalBars());
    EXPECT_EQ(f.chart.labelAnchor(), ICrossChart::LabelAnchor::Right);
    ASSERT_TRUE(engine.ShowChartPie(true));
    engine.setChartWay(false);
    EXPECT_EQ(f.chart.labelAnchor(), ICrossChart::LabelAnchor::Outside);
    engine.setChartWay(true);
    engine.setChartHeader(false);
    EXPECT_FALSE(f.chart.headerVisible());
    engine.setChartLegend(false);
    EXPECT_FALSE(f.chart.legendVisible());

    // Switching one mode on replaces another's mapping but not its flag; off leaves none.
    engine.setIsMoved(true);
    EXPECT_EQ(f.chart.mouseMode(), ICrossChart::MouseMode::Move);
    engine.setIsZoomed(true);
    EXPECT_EQ(f.chart.mouseMode(), ICrossChart::MouseMode::Zoom);
    EXPECT_TRUE(engine.IsMoved());
    engine.setIsZoomed(false);
    EXPECT_EQ(f.chart.mouseMode(), ICrossChart::MouseMode::None);

    QWidget* view = f.chart.viewport();
    engine.setIsMoved(true);
    mouse(view, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, {160, 130}, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, {160, 130}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.chart.offset(), QPointF(60, 30));
    engine.setIsZoomed(true);
    mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    mouse(view, QEvent::MouseMove, {400, 300}, Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, {400, 300}, Qt::LeftButton, Qt::NoButton);
    EXPECT_GT(f.chart.zoom(), 1.0);
    engine.setIsZoomOuted(true);
    const qreal zoomed = f.chart.zoom();
    mouse(view, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_LT(f.chart.zoom(), zoomed);
    engine.ResetChart();
    EXPECT_FALSE(f.chart.viewChanged());
}

TEST(CrossChart, HoverShowsTheLabelOfTheNearestItemWhileLabelsAreHidden) {
    for (const bool pie : {true, false}) {
        ChartFixture f;
        f.table.insertExample();
        f.table.configure(2);
        f.table.build();
        f.at(2, 1);
        clsCrossTable& engine = f.table.engine();
        engine.setChartTitle(false);
        ASSERT_TRUE(pie ? engine.ShowChartPie(false) : engine.ShowChartBar(false));
        QApplication::processEvents();
        const QList<CrossChartItem>& none = f.chart.items();
        ASSERT_EQ(none.size(), 2);
        EXPECT_FALSE(none[0].labelVisible || none[1].labelVisible);
        QWidget* view = f.chart.viewport();
        const QPoint onFirst = f.chart.itemPoint(0);
        double distance = -1;
        EXPECT_EQ(f.chart.nearestItem(onFirst, distance), 0);
        EXPECT_LT(distance, 5);
        mouse(view, QEvent::MouseMove, onFirst);
        EXPECT_TRUE(f.chart.items()[0].labelVisible) << (pie ? "pie" : "bar");
        mouse(view, QEvent::MouseMove, f.chart.itemPoint(1));
        EXPECT_FALSE(f.chart.items()[0].labelVisible);
        EXPECT_TRUE(f.chart.items()[1].labelVisible);
        // Far from every item (a corner of the chart): nothing shown.
        mouse(view, QEvent::MouseMove, {3, 3});
        EXPECT_FALSE(f.chart.items()[0].labelVisible || f.chart.items()[1].labelVisible);
        // Labels shown again: bar labels come back (pie labels have no text of their own and stay as
        // they are), and the pointer changes nothing.
        engine.setChartTitle(true);
        mouse(view, QEvent::MouseMove, onFirst);
        EXPECT_EQ(f.chart.items()[0].labelVisible, !pie);
        EXPECT_EQ(f.chart.items()[1].labelVisible, !pie);
    }
}

TEST(ReportChartWindow, EntriesDrawAlongTheRowOrDownTheColumnAndTheToolbarSetsTheModes) {
    CrossTableFixture f;
    f.insertExample();
    f.configure(2);
    f.build();
    f.grid().setCurrentCell(2, 1);
    ReportChartWindow window(f.engine(), QStringLiteral("分类统计报表"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("分类统计报表 - 图形分析"));
    EXPECT_EQ(f.engine().Chart(), window.chart());
    struct Entry {
        const char* key;
        ICrossChart::Kind kind;
        const char* header;
    };
    for (const Entry& e : {Entry{ReportChartWindow::HorizontalPie, ICrossChart::Kind::Pie, "p [M1]"},
                           Entry{ReportChartWindow::HorizontalBar, ICrossChart::Kind::Bar, "p"},
                           Entry{ReportChartWindow::VerticalPie, ICrossChart::Kind::Pie, "A [M1]"},
                           Entry{ReportChartWindow::VerticalBar, ICrossChart::Kind::Bar, "A"}}) {
        EXPECT_TRUE(window.showEntry(QString::fromUtf8(e.key))) << e.key;
        EXPECT_EQ(window.chart()->kind(), e.kind) << e.key;
        EXPECT_EQ(window.chart()->header(), QString::fromUtf8(e.header)) << e.key;
    }
    EXPECT_EQ(window.chart()->mouseMode(), ICrossChart::MouseMode::Move);
    window.action(QStringLiteral("zoom"))->trigger();
    EXPECT_EQ(window.chart()->mouseMode(), ICrossChart::MouseMode::Zoom);
    window.action(QStringLiteral("zoom"))->trigger();
    EXPECT_EQ(window.chart()->mouseMode(), ICrossChart::MouseMode::None);
    window.action(QStringLiteral("way"))->trigger();
    EXPECT_FALSE(f.engine().ChartWay());
    EXPECT_FALSE(window.chart()->verticalBars());
    window.action(QStringLiteral("legend"))->trigger();
    EXPECT_FALSE(window.chart()->legendVisible());
}

TEST(ReportChartWindow, WhatCannotBeDrawnIsSaidInOneMessageAndClearsTheChartBefore) {
    struct Case {
        const char* what;
        int type;
        const char* measures;
        int members; // 0: the worked example; else that many one-axis members
        int row, col;
        const char* key;
        const char* why; // the one message, the item limit's own box included
    };
    const Case cases[] = {
        {"a title column", 1, "m1:M1", 0, 1, 0, ReportChartWindow::VerticalPie, "请先选择一个数据单元格"},
        {"the heading row of two axes", 2, "m1:M1", 0, 1, 2, ReportChartWindow::HorizontalBar,
         "请先选择一个数据单元格"},
        {"the title columns of three axes", 3, "m1:M1", 0, 3, 1, ReportChartWindow::VerticalBar,
         "请先选择一个数据单元格"},
        {"table type 7", 7, "m1:M1", 0, 2, 2, ReportChartWindow::VerticalPie, "此类报表不能显示图形"},
        {"a column of names", 1, "m1:M1,t:名称", 0, 1, 2, ReportChartWindow::VerticalPie,
         "所选的数据不是数值，不能显示图形"},
        {"a row of names in a pie", 1, "t:名称", 0, 1, 1, ReportChartWindow::HorizontalPie,
         "所选的数据不是数值，不能显示图形"},
        {"too many members", 1, "m1:M1", 101, 1, 1, ReportChartWindow::VerticalBar, "项目太多，不能显示图形"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool chartBefore : {false, true}) {
            CrossTableFixture f;
            if (c.members == 0)
                f.insertExample();
            else
                f.db().ExecSQL(
                    QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                                   "where i < ?) insert into cross_rows (x, xt, m1, t) "
                                   "select 'k' || i, 'k' || i, i, 'n' || i from n"),
                    {c.members});
            ReportChartWindow window(f.engine(), QStringLiteral("分类统计报表"));
            MessageRecorder messages;
            if (chartBefore) {
                // A chart that could be drawn (of the first three rows) stands in the window first.
                f.configure(1, QStringLiteral("m1:M1"));
                f.engine().setSql(QStringLiteral("select * from cross_rows where id <= 3"));
                f.build();
                f.grid().setCurrentCell(1, 1);
                ASSERT_TRUE(window.showEntry(QString::fromUtf8(ReportChartWindow::VerticalPie)));
                ASSERT_FALSE(window.chart()->items().isEmpty());
            }
            f.configure(c.type, QString::fromUtf8(c.measures));
            f.build();
            f.grid().setCurrentCell(c.row, c.col);
            EXPECT_FALSE(window.showEntry(QString::fromUtf8(c.key)));
            ASSERT_EQ(messages.texts(), QStringList{QString::fromUtf8(c.why)});
            EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
            EXPECT_EQ(messages.last().icon, MsgIcon::Exclamation);
            EXPECT_EQ(window.isVisible(), chartBefore) << "an empty window opened";
            EXPECT_TRUE(window.chart()->items().isEmpty()) << "the earlier chart still stands";
            EXPECT_EQ(window.chart()->header(), QString::fromUtf8(c.why));
            EXPECT_TRUE(window.chart()->chart()->series().isEmpty());
        }
    }
    // A data cell after all: drawn, without a message.
    CrossTableFixture f;
    f.insertExample();
    f.configure(1, QStringLiteral("m1:M1"));
    f.build();
    f.grid().setCurrentCell(1, 1);
    ReportChartWindow window(f.engine(), QStringLiteral("分类统计报表"));
    MessageRecorder messages;
    EXPECT_TRUE(window.showEntry(QString::fromUtf8(ReportChartWindow::HorizontalBar)));
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(messages.empty());
}

namespace {
// The texts Qt Charts draws for the value axis's ticks, left to right or bottom to top.
QStringList valueAxisTexts(CrossChart& chart) {
    QApplication::processEvents();
    chart.grab();
    QList<QGraphicsTextItem*> labels;
    for (QGraphicsItem* item : chart.scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item);
            text && text->isVisible() && !text->toPlainText().isEmpty())
            labels << text;
    const QRectF plot = chart.chart()->plotArea();
    QList<std::pair<double, QString>> ticks;
    for (QGraphicsTextItem* label : labels) {
        const QRectF at = label->sceneBoundingRect();
        if (at.right() <= plot.left() + 1) // left of the plot: the value axis of standing bars
            ticks.append({-at.center().y(), label->toPlainText()});
    }
    std::sort(ticks.begin(), ticks.end());
    QStringList out;
    for (const auto& tick : ticks)
        out << tick.second;
    return out;
}
} // namespace

TEST(CrossChart, LegendAndAxisReadAsTheGridDoes) {
    // A member without a title: its legend entry is empty, not its share.
    {
        ChartFixture f;
        f.table.insertExample();
        f.table.db().ExecSQL(QStringLiteral("insert into cross_rows (x, xt, m1) values ('N', null, 5)"));
        f.table.configure(1, QStringLiteral("m1:M1"));
        f.table.build();
        f.at(1, 1);
        ASSERT_TRUE(f.table.engine().ShowChartPie(true));
        QStringList legend;
        for (QLegendMarker* marker : f.chart.chart()->legend()->markers())
            legend << marker->label().trimmed();
        EXPECT_EQ(legend, (QStringList{"A", "B", ""}));
    }
    // Ticks on round numbers: counts without decimals, money with its thousands grouped.
    struct Case {
        QList<int> values;
        QStringList ticks;
    };
    const QList<Case> cases = {
        {{172, 35, 96}, {"0", "50", "100", "150", "200"}},
        {{873166, 120000, 4500}, {"0", "500,000", "1,000,000", "1,500,000"}},
        {{1, 1}, {"0.0", "0.5", "1.0", "1.5"}},
    };
    for (const Case& c : cases) {
        ChartFixture f;
        for (int i = 0; i < c.values.size(); ++i)
            f.table.db().ExecSQL(QStringLiteral("insert into cross_rows (x, xt, m1) values (?, ?, ?)"),
                                 {i, QStringLiteral("类%1").arg(i), c.values[i]});
        f.table.configure(1, QStringLiteral("m1:M1"));
        f.table.build();
        f.at(1, 1);
        ASSERT_TRUE(f.table.engine().ShowChartBar(true));
        EXPECT_EQ(valueAxisTexts(f.chart), c.ticks) << c.values.first();
    }
}

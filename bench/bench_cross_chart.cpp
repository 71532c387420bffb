// links: crm_reports
// Drawing a pie and a bar chart of 100 items, painted once, and the hover query per mouse move.
#include "bench/BenchFigures.h"
#include "reports/CrossChart.h"
#include "reports/clsCrossTable.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::run([&](bench::Limits& limits) {
        TestDatabase tdb;
        clsMDB& db = tdb.db();
        if (!db.ExecSQL(QStringLiteral("create table bench_chart (k text, n integer)")) ||
            !db.ExecSQL(QStringLiteral(
                "with recursive i(v) as (select 1 union all select v + 1 from i where v < 100) "
                "insert into bench_chart select '客户类型' || v, v * 7 from i"))) {
            limits.fail("the table of 100 items made", db.lastError().toStdString());
            return;
        }
        GridModel grid;
        clsCrossTable engine;
        engine.setConnect(&db);
        engine.setGrid(&grid);
        engine.setCrossTableType(1);
        engine.setX轴字段(QStringLiteral("k"));
        engine.setX轴标题(QStringLiteral("k"));
        engine.set计算字段(QStringLiteral("n:数量"));
        engine.setSql(QStringLiteral("select * from bench_chart"));
        QString title;
        engine.ShowData(title);
        grid.setCurrentCell(1, 1);

        CrossChart chart;
        chart.resize(1000, 700);
        chart.show();
        engine.setChart(&chart);
        for (const bool pie : {true, false}) {
            const double ms = bench::millis([&] {
                pie ? engine.ShowChartPie(true) : engine.ShowChartBar(true);
                chart.grab();
            });
            const std::string kind = pie ? "pie" : "bar";
            limits.holds("the " + kind + " chart shows the 100 items", chart.items().size() == 100,
                         std::to_string(chart.items().size()) + " items");
            limits.atMost(kind + " chart of " + std::to_string(chart.items().size()) +
                              " items drawn and painted",
                          ms, 100, " ms");
            engine.setChartTitle(false);
            constexpr int Moves = 1000;
            const double hover = bench::millis([&] {
                for (int i = 0; i < Moves; ++i) {
                    const QPointF at(50 + (i * 7) % 900, 50 + (i * 13) % 600);
                    QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton,
                                     Qt::NoButton, Qt::NoModifier);
                    QApplication::sendEvent(chart.viewport(), &move);
                }
            });
            limits.atMost("  hover over the " + kind + " chart, per mouse move", hover / Moves, 16, " ms");
            engine.setChartTitle(true);
        }
    });
}

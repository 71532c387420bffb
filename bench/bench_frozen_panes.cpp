// links: crm_ui
// What a grid with a fixed column costs when its layout changes: a column widened in a shown grid
// of 100,000 and of 1,000,000 rows (the table and its fixed panes take the change and are drawn
// again). The panes copy what differs from the table, not every row, so the cost must not grow with
// the rows: at most 3 times from 100,000 to 1,000,000 (every row walked would be 10 times).
#include "bench/BenchFigures.h"
#include "ui/DataGrid.h"
#include "ui/GridFrozenPanes.h"

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr double GrowthLimit = 3.0;

// The median of seven widenings of a column, each drawn; -1 when the grid shows no fixed pane.
double widenMs(int rows) {
    DataGrid view;
    GridModel& grid = view.grid();
    grid.setRows(rows + 1);
    grid.setCols(12);
    grid.setFixedRows(1);
    grid.setFixedCols(1);
    for (int c = 0; c < 12; ++c)
        grid.setTextMatrix(0, c, QStringLiteral("列%1").arg(c));
    grid.setRowHeight(rows / 2, 600);
    view.resize(1200, 800);
    view.show();
    QApplication::processEvents();
    if (!view.frozenPanes().active())
        return -1;
    QList<double> runs;
    for (int i = 0; i < 7; ++i) {
        const auto start = std::chrono::steady_clock::now();
        grid.setColWidth(3, 1500 + 150 * i);
        view.viewport()->repaint();
        QApplication::processEvents();
        runs << std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    std::sort(runs.begin(), runs.end());
    return runs[3];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::run([&](bench::Limits& limits) {
        const double small = widenMs(100000);
        const double large = widenMs(1000000);
        if (small <= 0 || large <= 0) {
            limits.fail("a column widened beside a fixed column", "the fixed column has no pane");
            return;
        }
        std::printf("a column widened beside a fixed column, 100,000 rows:   %8.2f ms (median of 7)\n",
                    small);
        std::printf("a column widened beside a fixed column, 1,000,000 rows: %8.2f ms (median of 7)\n",
                    large);
        limits.atMost("growth of a widening from 100,000 to 1,000,000 rows", large / small, GrowthLimit, "x");
    });
}

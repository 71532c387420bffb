#include "reports/CrossTableThreeAxes.h"
#include "reports/AxisMemberList.h"
#include "reports/CrossTableBuild.h"
#include "reports/clsCrossTable.h"
#include "ui/GridModel.h"

void CrossTableThreeAxes::build(CrossTableState& s, Totals totals) {
    const bool subtotals = totals != Totals::None;
    CrossTableBuild build(s);
    build.resetGrid(2, 2, CrossTableBuild::Header::Cells);
    s.xMembers.clear();
    s.yMembers.clear();
    s.zMembers.clear();
    if (!build.run())
        return;
    GridModel& g = build.grid();
    g.setFixedRows(2);
    g.setFixedCols(2);
    build.redrawOff();

    const int xKey = build.column(s.XField);
    const int xTitle = build.column(s.XTitle);
    const int yKey = build.column(s.YField);
    const int yTitle = build.column(s.YTitle);
    const int zKey = build.column(s.ZField);
    const int zTitle = build.column(s.ZTitle);
    for (int r = 0; r < build.records(); ++r) {
        build.collect(s.xMembers, r, xKey, xTitle);
        build.collect(s.yMembers, r, yKey, yTitle);
        build.collect(s.zMembers, r, zKey, zTitle);
    }
    const int nX = s.xMembers.size(); // data members, without the subtotal member
    const int nY = s.yMembers.size();
    const int nZ = s.zMembers.size();
    if (subtotals) {
        s.xMembers.appendSubtotal();
        s.yMembers.appendSubtotal();
    }
    const int k = s.measures.count();
    s.sums.resize({s.xMembers.size(), s.yMembers.size(), nZ, k});

    const QList<int> measures = build.columns(s.measures.names);
    for (int r = 0; r < build.records(); ++r) {
        const int x = s.xMembers.indexOfCell(build.cell(r, xKey));
        const int y = s.yMembers.indexOfCell(build.cell(r, yKey));
        const int z = s.zMembers.indexOfCell(build.cell(r, zKey));
        for (int m = 0; m < k; ++m) {
            const CrossValue value = build.valueAt(r, measures[m]);
            if (!value.isNull())
                s.sums.at(x, y, z, m).add(value);
        }
    }
    for (CrossValue& cell : s.sums.cells())
        if (cell.isEmpty() || (cell.isText() && cell.textValue().isEmpty()))
            cell = CrossValue(0);
    if (subtotals) {
        // Each cell counts by its leading number, so text measures total as the two-axis tables do.
        for (int m = 0; m < k; ++m) {
            for (int z = 0; z < nZ; ++z) {
                for (int x = 0; x < nX; ++x) {
                    double sum = 0;
                    for (int y = 0; y < nY; ++y)
                        sum += s.sums.at(x, y, z, m).subtotalValue();
                    s.sums.at(x, nY, z, m) = CrossValue(sum);
                }
                for (int y = 0; y <= nY; ++y) {
                    double sum = 0;
                    for (int x = 0; x < nX; ++x)
                        sum += s.sums.at(x, y, z, m).subtotalValue();
                    s.sums.at(nX, y, z, m) = CrossValue(sum);
                }
            }
        }
    }

    const int shownX = totals == Totals::XY ? nX + 1 : nX;
    const int blockRows = subtotals ? nY + 1 : nY;
    const int cols = 2 + shownX * k;
    const int rows = 2 + nZ * blockRows;
    g.setCols(cols);
    g.setRows(rows);
    for (int c = 2; c < cols; ++c) {
        const int i = c - 2;
        const AxisMember& x = s.xMembers[i / k];
        g.setTextMatrix(0, c, x.Title.text());
        g.setTextMatrix(1, c, s.measures.captions[i % k]);
        g.setColData(c, x.Key.toVariant());
    }
    using P = GridModel::CellProp;
    const QColor subtotalColor = clsCrossTable::colorOfBgr(s.XJColor);
    int row = 2;
    for (int z = 0; z < nZ; ++z) {
        const QString zText = s.zMembers[z].Title.text();
        for (int y = 0; y < blockRows; ++y) {
            g.setTextMatrix(row, 0, zText);
            g.setTextMatrix(row, 1, s.yMembers[y].Title.text());
            for (int c = 2; c < cols; ++c) {
                const int i = c - 2;
                g.setTextMatrix(row, c, s.sums.at(i / k, y, z, i % k).text());
            }
            g.setRowData(row, s.yMembers[y].Key.toVariant());
            ++row;
        }
        if (subtotals) {
            g.setCell(P::FontBold, row - 1, 1, row - 1, cols - 1, true);
            g.setCell(P::ForeColor, row - 1, 1, row - 1, cols - 1, subtotalColor);
        }
    }
    if (totals == Totals::XY) {
        // The subtotal columns keep the default blue whatever XJColor says.
        g.setCell(P::FontBold, 0, cols - k, rows - 1, cols - 1, true);
        g.setCell(P::ForeColor, 0, cols - k, rows - 1, cols - 1, clsCrossTable::colorOfBgr(0xFF0000));
    }
    if (subtotals)
        g.setCell(P::FontBold, 0, 0, rows - 1, 1, true);
    if (totals == Totals::XY)
        g.setCell(P::FontBold, 0, 0, 0, cols - 1, true);
    g.setMergeCells(GridModel::Merge::Free);
    g.setMergeCol(0, true);
    g.setMergeRow(0, true);
    g.setAllRowsHeight(s.rowHeight);
    g.setCell(P::Alignment, 0, 0, 1, cols - 1, QVariant::fromValue(GridModel::Align::Center));
    g.AutoSize(0, cols - 1);
    build.redrawOn();
}

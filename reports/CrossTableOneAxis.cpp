#include "reports/CrossTableOneAxis.h"
#include "reports/AxisMemberList.h"
#include "reports/CrossTableBuild.h"
#include "reports/clsCrossTable.h"
#include "ui/GridModel.h"

namespace {
// The X members in order of first appearance.
void collectX(CrossTableBuild& build, AxisMemberList& members, int keyColumn, int titleColumn) {
    members.clear();
    for (int r = 0; r < build.records(); ++r)
        build.collect(members, r, keyColumn, titleColumn);
}

// Adds every measure of every record, unchanged (a Null makes its cell Null), to the cell of its X
// member.
void sumByX(CrossTableBuild& build, CrossTableState& s, int keyColumn) {
    const QList<int> measures = build.columns(s.measures.names);
    const int k = s.measures.count();
    s.sums.resize({s.xMembers.size(), k});
    for (int r = 0; r < build.records(); ++r) {
        const int x = s.xMembers.indexOfCell(build.cell(r, keyColumn));
        for (int m = 0; m < k; ++m)
            s.sums.at(x, m).add(build.valueAt(r, measures[m]));
    }
}

QString cellText(const CrossValue& value) {
    return value.isNull() ? QStringLiteral("0") : value.text();
}
} // namespace

void CrossTableOneAxis::showDataOne(CrossTableState& s) {
    CrossTableBuild build(s);
    build.resetGrid(1, 1, CrossTableBuild::Header::ColumnHeader);
    if (s.Sql.isEmpty())
        return;
    if (!build.run())
        return;
    GridModel& g = build.grid();
    g.setFixedRows(1);
    g.setFixedCols(1);
    build.redrawOff();
    const int keyColumn = build.column(s.XField);
    const int titleColumn = build.column(s.XTitle);
    collectX(build, s.xMembers, keyColumn, titleColumn);
    sumByX(build, s, keyColumn);

    const int n = s.xMembers.size();
    const int k = s.measures.count();
    g.setRows(n + 1);
    g.setCols(k + 1);
    for (int m = 0; m < k; ++m)
        g.setTextMatrix(0, m + 1, s.measures.captions[m]);
    for (int i = 0; i < n; ++i) {
        g.setTextMatrix(i + 1, 0, s.xMembers[i].Title.text());
        g.setRowData(i + 1, s.xMembers[i].Key.toVariant());
    }
    for (int i = 0; i < n; ++i)
        for (int m = 0; m < k; ++m)
            g.setTextMatrix(i + 1, m + 1, cellText(s.sums.at(i, m)));
    build.redrawOn();
}

void CrossTableOneAxis::showDataTwoNoTotalXY(CrossTableState& s) {
    CrossTableBuild build(s);
    build.resetGrid(1, 1, CrossTableBuild::Header::ColumnHeader);
    if (!build.run())
        return;
    GridModel& g = build.grid();
    g.setFixedRows(1);
    g.setFixedCols(1);
    build.redrawOff();
    const int keyColumn = build.column(s.XField);
    const int titleColumn = build.column(s.XTitle);
    collectX(build, s.xMembers, keyColumn, titleColumn);
    s.xMembers.append(CrossValue(), CrossValue()); // the empty last row
    sumByX(build, s, keyColumn);

    const int nX = s.xMembers.size();
    const int k = s.measures.count();
    g.setRows(nX + 1);
    g.setCols(k + 1);
    for (int m = 0; m < k; ++m)
        g.setTextMatrix(0, m + 1, s.measures.captions[m]);
    const QColor subtotalColor = clsCrossTable::colorOfBgr(s.XJColor);
    for (int x = 0; x < nX - 1; ++x) {
        g.setTextMatrix(x + 1, 0, s.xMembers[x].Title.text());
        g.setRowData(x + 1, s.xMembers[x].Key.toVariant());
    }
    for (int x = 0; x < nX - 1; ++x) {
        for (int m = 0; m < k; ++m)
            g.setTextMatrix(x + 1, m + 1, cellText(s.sums.at(x, m)));
        if (g.TextMatrix(x + 1, 0) == QString::fromUtf8(AxisMemberList::SubtotalTitle)) {
            g.setCell(GridModel::CellProp::FontBold, x + 1, 0, x + 1, k, true);
            g.setCell(GridModel::CellProp::ForeColor, x + 1, 0, x + 1, k, subtotalColor);
        }
    }
    g.setCell(GridModel::CellProp::Alignment, 0, 0, 0, g.Cols() - 1,
              QVariant::fromValue(GridModel::Align::Center));
    g.AutoSize(0, g.Cols() - 1);
    g.setAllRowsHeight(s.rowHeight);
    build.redrawOn();
}

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
    const QList<int> measures = build.columns(s.measures.names);
    // Each record's member, found once: a table of a member per record looks a key up once.
    std::vector<qint32> memberOf(static_cast<size_t>(build.records()));
    s.xMembers.clear();
    for (int r = 0; r < build.records(); ++r)
        memberOf[static_cast<size_t>(r)] = build.collect(s.xMembers, r, keyColumn, titleColumn);
    const int n = s.xMembers.size();
    const int k = s.measures.count();

    // A member of one record shows that record's values as they are: its cells are read from the
    // result when they are drawn, and only members of several records are summed. The sums serve this
    // build only (the one-axis charts read the grid), so none are kept.
    constexpr qint32 Several = -2;
    std::vector<qint32> recordOf(static_cast<size_t>(n), -1);
    for (int r = 0; r < build.records(); ++r) {
        qint32& record = recordOf[static_cast<size_t>(memberOf[static_cast<size_t>(r)])];
        record = record == -1 ? r : Several;
    }
    std::vector<qint32> sumOf(static_cast<size_t>(n), -1);
    int summed = 0;
    for (int i = 0; i < n; ++i)
        if (recordOf[static_cast<size_t>(i)] == Several)
            sumOf[static_cast<size_t>(i)] = summed++;
    CrossSumTable sums;
    sums.resize({summed, k});
    if (summed > 0) {
        for (int r = 0; r < build.records(); ++r) {
            const int j = sumOf[static_cast<size_t>(memberOf[static_cast<size_t>(r)])];
            if (j < 0)
                continue;
            for (int m = 0; m < k; ++m)
                sums.at(j, m).add(build.valueAt(r, measures[m]));
        }
    }

    g.setRows(n + 1);
    g.setCols(k + 1);
    QVector<qint32> recordOfRow(n + 1, -1);
    for (int i = 0; i < n; ++i)
        recordOfRow[i + 1] = std::max(recordOf[static_cast<size_t>(i)], -1);
    QVector<qint32> fieldOfCol{titleColumn};
    for (int m = 0; m < k; ++m)
        fieldOfCol << measures[m];
    g.adoptRecords(s.results.first(), recordOfRow, fieldOfCol);
    for (int m = 0; m < k; ++m)
        g.setTextMatrix(0, m + 1, s.measures.captions[m]);
    for (int i = 0; i < n; ++i) {
        g.setRowData(i + 1, s.xMembers[i].Key.toVariant());
        const int j = sumOf[static_cast<size_t>(i)];
        if (j >= 0) {
            g.setTextMatrix(i + 1, 0, s.xMembers[i].Title.text());
            for (int m = 0; m < k; ++m)
                g.setTextMatrix(i + 1, m + 1, cellText(sums.at(j, m)));
            continue;
        }
        // A Null shows "0".
        const int record = recordOf[static_cast<size_t>(i)];
        for (int m = 0; m < k; ++m)
            if (build.cell(record, measures[m]).kind == Recordset::CellView::Kind::Null)
                g.setTextMatrix(i + 1, m + 1, QStringLiteral("0"));
    }
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

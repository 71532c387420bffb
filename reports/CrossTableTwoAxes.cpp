#include "reports/CrossTableTwoAxes.h"
#include "reports/AxisMemberList.h"
#include "reports/CrossTableBuild.h"
#include "reports/CrossTableError.h"
#include "reports/clsCrossTable.h"
#include "ui/GridModel.h"

void CrossTableTwoAxes::showDataTwo(CrossTableState& state) {
    build(state, true);
}

void CrossTableTwoAxes::showDataTwoNoTotalX(CrossTableState& state) {
    build(state, false);
}

void CrossTableTwoAxes::build(CrossTableState& s, bool subtotalColumns) {
    CrossTableBuild build(s);
    build.resetGrid(2, 1, CrossTableBuild::Header::Cells);
    if (!build.run())
        return;
    GridModel& g = build.grid();
    g.setFixedRows(2);
    g.setFixedCols(1);
    build.redrawOff();

    const int xKey = build.column(s.XField);
    const int xTitle = build.column(s.XTitle);
    const int yKey = build.column(s.YField);
    const int yTitle = build.column(s.YTitle);
    s.xMembers.clear();
    s.yMembers.clear();
    for (int r = 0; r < build.records(); ++r) {
        build.collect(s.xMembers, r, xKey, xTitle);
        build.collect(s.yMembers, r, yKey, yTitle);
    }
    s.xMembers.appendSubtotal();
    s.yMembers.appendSubtotal();
    const int nX = s.xMembers.size();
    const int nY = s.yMembers.size();
    const int nM = s.measures.count();
    s.sums.resize({nX, nY, nM});

    // Null values add nothing.
    const QList<int> measures = build.columns(s.measures.names);
    for (int r = 0; r < build.records(); ++r) {
        const int x = s.xMembers.indexOfCell(build.cell(r, xKey));
        const int y = s.yMembers.indexOfCell(build.cell(r, yKey));
        for (int m = 0; m < nM; ++m) {
            const CrossValue value = build.valueAt(r, measures[m]);
            if (!value.isNull())
                s.sums.at(x, y, m).add(value);
        }
    }
    // Subtotals count each cell by its leading number.
    for (int m = 0; m < nM; ++m) {
        for (int x = 0; x < nX - 1; ++x) {
            double sum = 0;
            for (int y = 0; y < nY - 1; ++y)
                sum += s.sums.at(x, y, m).subtotalValue();
            s.sums.at(x, nY - 1, m) = CrossValue(sum);
        }
        for (int y = 0; y < nY; ++y) {
            double sum = 0;
            for (int x = 0; x < nX - 1; ++x)
                sum += s.sums.at(x, y, m).subtotalValue();
            s.sums.at(nX - 1, y, m) = CrossValue(sum);
        }
    }
    for (CrossValue& cell : s.sums.cells())
        if (cell.isEmpty() || (cell.isText() && cell.textValue().isEmpty()))
            cell = CrossValue(0);

    const int shownX = subtotalColumns ? nX : nX - 1;
    g.setRows(nY + 2);
    g.setCols(shownX * nM + 1);
    for (int c = 0; c < shownX * nM; ++c) {
        const AxisMember& x = s.xMembers[c / nM];
        g.setTextMatrix(0, c + 1, x.Title.text());
        g.setTextMatrix(1, c + 1, s.measures.captions[c % nM]);
        g.setColData(c + 1, x.Key.toVariant());
    }
    for (int y = 0; y < nY; ++y) {
        g.setTextMatrix(y + 2, 0, s.yMembers[y].Title.text());
        g.setRowData(y + 2, s.yMembers[y].Key.toVariant());
    }
    for (int c = 0; c < shownX * nM; ++c)
        for (int y = 0; y < nY; ++y)
            g.setTextMatrix(y + 2, c + 1, s.sums.at(c / nM, y, c % nM).text());

    using P = GridModel::CellProp;
    const QColor subtotalColor = clsCrossTable::colorOfBgr(s.XJColor);
    const int rows = g.Rows();
    const int cols = g.Cols();
    g.setCell(P::FontBold, rows - 1, 0, rows - 1, cols - 1, true);
    g.setCell(P::ForeColor, rows - 1, 0, rows - 1, cols - 1, subtotalColor);
    if (subtotalColumns) {
        g.setCell(P::FontBold, 0, cols - nM, rows - 1, cols - 1, true);
        g.setCell(P::ForeColor, 0, cols - nM, rows - 1, cols - 1, subtotalColor);
    }
    g.setCell(P::FontBold, 0, 0, rows - 1, 0, true);
    g.setCell(P::FontBold, 0, 0, 0, cols - 1, true);
    g.setMergeCells(GridModel::Merge::Free);
    g.setMergeRow(0, true);
    g.setMergeCol(0, true);
    g.setAllRowsHeight(s.rowHeight);
    g.setCell(P::Alignment, 0, 0, 1, cols - 1, QVariant::fromValue(GridModel::Align::Center));
    addCombinationColumns(s);
    build.redrawOn();
}

void CrossTableTwoAxes::addCombinationColumns(CrossTableState& s) {
    if (s.CombinationType == 0 || s.results.size() < 2)
        return;
    GridModel& g = *s.grid;
    const Recordset& second = *s.results[1];
    const int k = s.combinationMeasures.count();
    const int first = g.Cols();
    g.setCols(first + k);
    for (int i = 0; i < k; ++i)
        g.setTextMatrix(1, first + i, s.combinationMeasures.captions[i]);
    if (second.RecordCount() < 1)
        return;
    const auto column = [&](const QString& name) {
        const int index = second.FieldIndex(name);
        if (index < 0)
            throw CrossTableError(QStringLiteral("在对应所需名称或序数的集合中，未找到项目：%1").arg(name));
        return index;
    };
    const int keyColumn = column(s.CombinationXField);
    QList<int> columns;
    for (const QString& name : s.combinationMeasures.names)
        columns << column(name);
    // The rows of each key: every member row with that key (a data member "xj" and the subtotal row
    // share theirs).
    const int nY = s.yMembers.size();
    const CrossValue subtotalKey(QString::fromUtf8(AxisMemberList::SubtotalKey));
    const auto fill = [&](int y, int record) {
        for (int i = 0; i < k; ++i)
            g.setTextMatrix(y + 2, first + i,
                            CrossValue::fromVariant(second.Value(record, columns[i])).text());
    };
    for (int r = 0; r < second.RecordCount(); ++r) {
        const CrossValue key = CrossValue::fromVariant(second.Value(r, keyColumn));
        const int y = s.yMembers.indexOf(key);
        if (y >= 0)
            fill(y, r);
        if (y != nY - 1 && key.sameKey(subtotalKey))
            fill(nY - 1, r);
    }
}

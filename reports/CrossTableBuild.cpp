#include "reports/CrossTableBuild.h"
#include "core/DbError.h"
#include "core/clsMDB.h"
#include "reports/CrossTableError.h"
#include "ui/GridModel.h"

CrossTableBuild::CrossTableBuild(CrossTableState& state) : m_state(state) {
    if (!m_state.grid)
        throw CrossTableError(QStringLiteral("没有设置表格"));
}

CrossTableBuild::~CrossTableBuild() {
    redrawOn();
}

void CrossTableBuild::resetGrid(int rows, int cols, Header header) {
    GridModel& g = grid();
    g.ResetTable();
    g.setFixedRowsInBody(header == Header::Cells);
    g.setRows(rows);
    g.setCols(cols);
}

bool CrossTableBuild::run() {
    if (!m_state.connect)
        throw CrossTableError(QStringLiteral("数据库没有打开"));
    // The last build's result and sums go first, so a rebuild does not hold two tables at once.
    m_state.results.clear();
    m_state.sums.clear();
    try {
        for (Recordset& result : m_state.connect->ExecuteResults(m_state.Sql))
            m_state.results << std::make_shared<const Recordset>(std::move(result));
    } catch (const DbError& error) {
        m_state.results.clear();
        throw CrossTableError(error.description());
    }
    if (m_state.results.first()->RecordCount() > 0)
        return true;
    m_state.results.clear();
    m_state.xMembers.clear();
    m_state.yMembers.clear();
    m_state.zMembers.clear();
    m_state.sums.clear();
    grid().setRows(0);
    grid().setCols(0);
    return false;
}

int CrossTableBuild::column(const Recordset& rs, const QString& name) const {
    const int index = rs.FieldIndex(name);
    if (index < 0)
        throw CrossTableError(QStringLiteral("在对应所需名称或序数的集合中，未找到项目：%1").arg(name));
    return index;
}

int CrossTableBuild::column(const QString& name) const {
    return column(data(), name);
}

QList<int> CrossTableBuild::columns(const QStringList& names) const {
    QList<int> indexes;
    for (const QString& name : names)
        indexes << column(name);
    return indexes;
}

CrossValue CrossTableBuild::keyAt(int record, int column) const {
    const Recordset::CellView view = cell(record, column);
    if (view.kind == Recordset::CellView::Kind::Null)
        return CrossValue(QString());
    return CrossValue::fromCell(view);
}

int CrossTableBuild::collect(AxisMemberList& members, int record, int keyColumn, int titleColumn) const {
    const int found = members.indexOfCell(cell(record, keyColumn));
    if (found >= 0)
        return found;
    const CrossValue key = keyAt(record, keyColumn);
    members.appendNotFound(key, titleColumn == keyColumn ? key : keyAt(record, titleColumn));
    return members.size() - 1;
}

void CrossTableBuild::redrawOff() {
    grid().setRedraw(false);
    m_redrawOff = true;
}

void CrossTableBuild::redrawOn() {
    if (!m_redrawOff)
        return;
    m_redrawOff = false;
    grid().setRedraw(true);
}

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

void CrossTableBuild::resetGrid(int rows, int cols) {
    GridModel& g = grid();
    g.ResetTable();
    g.setFixedRowsInBody(true);
    g.setRows(rows);
    g.setCols(cols);
}

bool CrossTableBuild::run() {
    if (!m_state.connect)
        throw CrossTableError(QStringLiteral("数据库没有打开"));
    try {
        m_state.results = m_state.connect->ExecuteResults(m_state.Sql);
    } catch (const DbError& error) {
        m_state.results.clear();
        throw CrossTableError(error.description());
    }
    if (m_state.results.first().RecordCount() > 0)
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
    const Recordset& rs = data();
    if (rs.IsNull(record, column))
        return CrossValue(QString());
    return CrossValue::fromVariant(rs.Value(record, column));
}

CrossValue CrossTableBuild::valueAt(int record, int column) const {
    return CrossValue::fromVariant(data().Value(record, column));
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

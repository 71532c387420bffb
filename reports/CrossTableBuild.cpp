#include "reports/CrossTableBuild.h"
#include "core/DbError.h"
#include "core/ReadWatch.h"
#include "core/clsMDB.h"
#include "reports/CrossTableError.h"
#include "ui/GridModel.h"

CrossTableBuild::CrossTableBuild(CrossTableState& state) : m_state(state) {
    if (!m_state.grid)
        throw CrossTableError(QStringLiteral("没有设置表格"));
    swapMembers();
    m_earlierAside = true;
}

CrossTableBuild::~CrossTableBuild() {
    // A build that read nothing keeps the members of before; one whose read was stopped, its table too.
    if (m_earlierAside)
        swapMembers();
    if (!m_cancelled)
        applyReset();
    redrawOn();
}

void CrossTableBuild::swapMembers() {
    std::swap(m_state.xMembers, m_xEarlier);
    std::swap(m_state.yMembers, m_yEarlier);
    std::swap(m_state.zMembers, m_zEarlier);
}

void CrossTableBuild::letGoOfEarlier() {
    applyReset();
    m_state.results.clear();
    m_state.sums.clear();
    m_earlierAside = false;
    m_xEarlier.clear();
    m_yEarlier.clear();
    m_zEarlier.clear();
}

void CrossTableBuild::resetGrid(int rows, int cols, Header header) {
    m_reset = Reset{rows, cols, header};
}

void CrossTableBuild::applyReset() {
    if (!m_reset)
        return;
    const Reset reset = *std::exchange(m_reset, std::nullopt);
    GridModel& g = grid();
    g.ResetTable();
    g.setFixedRowsInBody(reset.header == Header::Cells);
    g.setRows(reset.rows);
    g.setCols(reset.cols);
}

bool CrossTableBuild::run() {
    if (!m_state.connect)
        throw CrossTableError(QStringLiteral("数据库没有打开"));
    QList<std::shared_ptr<const Recordset>> results;
    try {
        for (Recordset& result : m_state.connect->ExecuteResults(m_state.Sql))
            results << std::make_shared<const Recordset>(std::move(result));
    } catch (const ReadCancelled&) {
        m_cancelled = true;
        throw;
    } catch (const DbError& error) {
        results.clear();
        letGoOfEarlier();
        throw CrossTableError(error.description());
    }
    letGoOfEarlier();
    m_state.results = std::move(results);
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

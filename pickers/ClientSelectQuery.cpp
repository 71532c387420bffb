#include "pickers/ClientSelectQuery.h"
#include "core/LikePattern.h"
#include "core/clsMDB.h"
#include "ui/GridModel.h"

#include <cmath>

namespace {

const QString SearchFields = QStringLiteral(
    "select cid,spell,name,address,type_name,tel,fax,postcode,linkman,email,wwwsite from client_info_view");

} // namespace

const QStringList ClientSelectQuery::SearchLabels = {QStringLiteral("客户名称"), QStringLiteral("客户简拼"),
                                                     QStringLiteral("客户地址")};

ClientSelectQuery ClientSelectQuery::fullList() {
    ClientSelectQuery query;
    query.m_sql =
        QStringLiteral("select cid,typename,name,address,tel,fax,postcode,linkman,actbank,account,taxnum,"
                       "email,wwwsite,repairtel,remark from client_info_view order by cid desc");
    query.m_header =
        QStringLiteral("编号|头衔|供应商名称|地址|电话|传真|邮编|联系人|开户行|帐号|税号|邮箱|网址|"
                       "维修电话|备注");
    for (const QString& width :
         QStringLiteral("20|100|200|200|130|130|200|200|200|200|200|200|200|120|200").split(QLatin1Char('|')))
        query.m_widths << width.toInt();
    return query;
}

QString ClientSelectQuery::searchColumn(int searchEntry) {
    switch (searchEntry) {
    case 1:
        return QStringLiteral("spell");
    case 2:
        return QStringLiteral("address");
    default:
        return QStringLiteral("name");
    }
}

QString ClientSelectQuery::containsPattern(const QString& text) {
    return LikePattern::contains(text);
}

ClientSelectQuery ClientSelectQuery::search(int searchEntry, const QString& value) {
    ClientSelectQuery query;
    if (value.isEmpty()) {
        query.m_sql = SearchFields;
    } else {
        query.m_sql = SearchFields + QStringLiteral(" where ") + searchColumn(searchEntry) +
                      QStringLiteral(" like ? escape '\\'");
        query.m_params = {containsPattern(value)};
    }
    query.m_header =
        QStringLiteral("编号|客户简拼|客户名称|客户地址|客户类型|电话|传真|邮编|联系人|邮箱|网址");
    query.m_widthFactor = 3.3;
    return query;
}

void ClientSelectQuery::applyWidths(GridModel& grid) const {
    grid.setColWidth(0, 0);
    for (int col = 1; col < grid.Cols(); ++col) {
        if (m_widths.isEmpty())
            grid.setColWidth(col, static_cast<int>(std::lround(grid.ColWidth(col) * m_widthFactor)));
        else if (col < m_widths.size())
            grid.setColWidth(col, m_widths.at(col) * 10);
    }
}

bool ClientSelectQuery::fill(const clsMDB& db, GridModel& grid, QString& errorText) const {
    const auto rs = db.GetRS(m_sql, m_params);
    if (!rs) {
        errorText = db.lastError();
        return false;
    }
    grid.setRedraw(false);
    grid.Clear();
    grid.setRows(1);
    grid.setFormatString(m_header);
    if (rs->RecordCount() > 0)
        grid.loadRecordset(*rs);
    applyWidths(grid);
    grid.setRedraw(true);
    return true;
}

ClientSelectQuery::Confirm ClientSelectQuery::confirm(int rows, int currentRow) {
    if (rows <= 1)
        return Confirm::Nothing;
    return currentRow >= 1 && currentRow < rows ? Confirm::Hide : Confirm::AskForRow;
}

#include "admin/CombinedSearch.h"
#include "core/BlankTrim.h"
#include "core/LikePattern.h"

const QString CombinedSearch::LabelText =
    QStringLiteral("选择|行业编号|自编号|行业类型|行业名称|对方企业名称|对方当事人|开始时间|结束时间|"
                   "签订日期|承办人|负责人|行业标的|"
                   "行业状态|结算方式|货币类型|总金额|登记日期|行业签订地点|备注|行业内容简介|审核标志");

const QString CombinedSearch::ColumnText = QStringLiteral(
    "select,pact_code,selfno,typename, pact_name, first_company, first_linkman, begin_date, end_date, "
    "pact_date,transactor, principal, mark_title, status,settlement, money_type,totalmoney, sign_date, "
    "pact_addr, remark, description, flag");

QStringList CombinedSearch::labels() {
    return LabelText.split(QLatin1Char('|'));
}

QStringList CombinedSearch::columns() {
    return ColumnText.split(QLatin1Char(','));
}

std::optional<CombinedSearch::Condition> CombinedSearch::build(const std::vector<Row>& rows) {
    const QString start = QStringLiteral(" where  ");
    const QStringList names = columns();
    Condition condition{start, {}};
    for (const Row& row : rows) {
        const QString text = trimBlanks(row.text);
        if (row.index <= 0 || row.index >= names.size() || text.isEmpty())
            continue;
        if (condition.sql != start)
            condition.sql += QStringLiteral(" and ");
        condition.sql += QLatin1Char(' ') + names[row.index] + QStringLiteral(" like ? escape '\\'");
        condition.values << LikePattern::contains(text);
    }
    if (condition.values.isEmpty())
        return std::nullopt;
    return condition;
}

#include "reports/StatisticsConditions.h"
#include "core/BlankTrim.h"
#include "reports/ConditionSqlText.h"

using ConditionSqlText::containsLiteral;
using ConditionSqlText::quoted;

bool StatisticsConditions::periodInOrder() const {
    return startDate.isEmpty() || endDate.isEmpty() || startDate <= endDate;
}

QString StatisticsConditions::execCond(Statement statement) const {
    QString sql = statement == Statement::GroupedCount
                      ? QStringLiteral("select parenttypename,typename,epname,status,count(epname) as "
                                       "epname_total From customer_info_view where 0=0  ")
                      : QStringLiteral("select epcode,epname,specs,ephostno,typename,user_dept,installaddr,"
                                       "timelimit,buy_date,produce_date,user_date,buyer,provider,tel,"
                                       "repairtel,produce_company,epmoney,epcheckstatus,status From "
                                       "customer_info_view where 0=0  ");
    if (!startDate.isEmpty() && !endDate.isEmpty())
        sql += QStringLiteral(" and buy_date >= ") + quoted(startDate) + QStringLiteral(" ") +
               QStringLiteral(" and buy_date <=") + quoted(endDate);
    else if (!startDate.isEmpty())
        sql += QStringLiteral(" and buy_date >=") + quoted(startDate);
    else if (!endDate.isEmpty())
        sql += QStringLiteral(" and buy_date <=") + quoted(endDate);
    if (!typeName.isEmpty())
        sql += QStringLiteral(" and parenttypename like ") + containsLiteral(typeName);
    if (!department.isEmpty())
        sql += QStringLiteral(" and user_dept like ") + containsLiteral(department);
    if (!name.isEmpty())
        sql += QStringLiteral(" and epname like ") + containsLiteral(name);
    const QString trimmedStatus = trimBlanks(status);
    if (!trimmedStatus.isEmpty())
        sql += QStringLiteral(" and status =") + quoted(trimmedStatus);
    sql += statement == Statement::GroupedCount
               ? QStringLiteral(" group by parenttypename,typename,epname,status  order by status")
               : QStringLiteral(" order by status");
    return sql;
}

QString StatisticsConditions::showCond() const {
    QString text;
    if (!startDate.isEmpty() && !endDate.isEmpty())
        text += QStringLiteral("采购期间：从") + startDate + QStringLiteral("至") + endDate;
    else if (!startDate.isEmpty())
        text += QStringLiteral("采购期间：大于") + startDate;
    else if (!endDate.isEmpty())
        text += QStringLiteral("采购期间：小于") + endDate;
    if (!typeName.isEmpty())
        text += QStringLiteral("      行业类型：") + typeName;
    if (!department.isEmpty())
        text += QStringLiteral("       使用部门：") + department;
    if (!name.isEmpty())
        text += QStringLiteral("       行业名称：") + name;
    return text;
}

#include "reports/ListConditions.h"
#include "core/BlankTrim.h"
#include "reports/ConditionSqlText.h"

const QStringList ListConditions::Columns =
    trimBlanks(QStringLiteral("select,epcode,epname,specs,ephostno,typename,user_dept,installaddr,timelimit,"
                              "buy_date,produce_date,user_date,buyer,provider,tel,repairtel,produce_company,"
                              "epmoney,epcheckstatus,status"))
        .split(QLatin1Char(','));

const QStringList ListConditions::Captions =
    trimBlanks(
        QStringLiteral("选择|行业编号|行业名称|型号规格|出厂编号|行业类型|使用部门|安装地点|使用年限(年)|"
                       "购置日期|出厂日期|启用日期|采购员|供应商|联系电话|售后电话|制造厂家|行业原值|"
                       "验收状态|行业状态"))
        .split(QLatin1Char('|'));

const QStringList ListConditions::DocCaptions =
    trimBlanks(
        QStringLiteral("选择|分类编号|分类名称|型号规格|出厂编号|行业类型|使用部门|安装地点|使用年限(年)|"
                       "购置日期|出厂日期|启用日期|采购员|供应商|联系电话|售后电话|制造厂家|行业原值|"
                       "验收状态|行业状态"))
        .split(QLatin1Char('|'));

bool ListConditions::Row::inUse() const {
    return index > 0 && index < Columns.size() && !trimBlanks(value).isEmpty();
}

QString ListConditions::execCond() const {
    const QString empty = QStringLiteral(" where  ");
    QString clause = empty;
    const auto like = [](const Row& row) {
        return QStringLiteral(" ") + Columns.at(row.index) + QStringLiteral(" like ") +
               ConditionSqlText::containsLiteral(trimBlanks(row.value));
    };
    if (row1.inUse())
        clause += like(row1);
    if (row2.inUse()) {
        if (clause != empty)
            clause += QStringLiteral(" and ");
        clause += like(row2);
    }
    if (clause != empty)
        return QStringLiteral(" SELECT  * from customer_info_view ") + clause +
               QStringLiteral(" order by typename,epname desc ");
    return QStringLiteral(" SELECT  * from customer_info_view order by typename,epname desc ");
}

QString ListConditions::showCond(const QStringList& captions) const {
    QString text;
    if (row1.inUse())
        text += QStringLiteral("查询方式1：") + captions.value(row1.index) + QStringLiteral("=") + row1.value;
    if (row2.inUse())
        text += QStringLiteral("查询方式2：") + captions.value(row2.index) + QStringLiteral("=") + row2.value;
    return text;
}

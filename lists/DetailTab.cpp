#include "lists/DetailTab.h"

const QList<DetailTab>& DetailTab::all() {
    static const QList<DetailTab> tabs = {
        {QStringLiteral("拜访记录"),
         QStringLiteral("frmadd_info_records"),
         QStringLiteral("frmAdd_info_records"),
         QStringLiteral(
             "select arid,acess_type_name,address,acess_date,linkman,duty_name,linktel,acess_content,"
             "results from  customer_access_records_view where ciid=? order by acess_date desc"),
         QStringLiteral("编号|<拜访方式|<拜访地点|<访问日期|<联系人|<头衔|<联系电话|<拜访内容|<备注"),
         QStringLiteral("20|120|120|120|140|120|120|500|300"),
         QStringLiteral("select * from customer_access_records_view where arid="),
         QStringLiteral("update customer_access_records set isdel=1  where arid in (? )"),
         false,
         {6}},
        {QStringLiteral("交易明细"),
         QStringLiteral("frmadd_info_sales"),
         QStringLiteral("frmAdd_info_sale"),
         QStringLiteral("select siid,productname,amount,price,totalmoney,saledate,remark from "
                        "customer_sales_info_view where ciid=? order by saledate desc "),
         QStringLiteral("编码|<商品名称|<数量|<单价|<金额|<日期|<备注"),
         QStringLiteral("20|200|100|120|200|200|200"),
         QStringLiteral("select * from customer_sales_info_view where siid="),
         QStringLiteral("update customer_sales_info set isdel=1 where siid in (? )"),
         false,
         {}},
        {QStringLiteral("客户投诉"),
         QStringLiteral("frmadd_info_complaints"),
         QStringLiteral("frmAdd_info_complaints"),
         QStringLiteral("select cciid,complainter,content,complaintdate,linkman,linktel,remark from "
                        "customer_complaints_info_view where ciid=? order by complaintdate desc "),
         QStringLiteral("编号|<被投诉人|<投诉内容|<投诉日期|<投诉人|<投诉人电话|<备注"),
         QStringLiteral("20|200|400|120|100|120|400"),
         QStringLiteral("select * from customer_complaints_info_view where cciid="),
         QStringLiteral("update customer_complaints_info set isdel=1 where cciid in (? )"),
         false,
         {5}},
        {QStringLiteral("售后服务"),
         QStringLiteral("frmadd_info_services"),
         QStringLiteral("frmAdd_info_services"),
         QStringLiteral("select siid,service_date,service,content,remark from customer_services_info_view "
                        "where ciid=? order by service_date desc"),
         QStringLiteral("编码|<服务日期|<服务人员|<服务内容|<备注"),
         QStringLiteral("20|160|200|180|200|200|100|100"),
         QStringLiteral("select * from customer_services_info_view where siid="),
         QStringLiteral("update customer_services_info set isdel=1 where siid  in (? )"),
         true,
         {}},
        {QStringLiteral("相关联系人"),
         QStringLiteral("frmadd_info_linkman"),
         QStringLiteral("frmAdd_info_linkman"),
         QStringLiteral("select cilid,linkman,duty_name,linktel,mobile1,mobile2,email,qq,msn,remark from "
                        "customer_info_linkman_view where ciid=? order by cilid desc"),
         QStringLiteral("编码|<姓名|<头衔|<电话|<手机1|<手机2|<email|<QQ|<MSN|<备注"),
         QStringLiteral("20|140|120|120|120|120|160|100|160|300"),
         QStringLiteral("select * from customer_info_linkman_view where cilid="),
         QStringLiteral("update customer_info_linkman set isdel=1 where cilid in (? )"),
         true,
         {3, 4, 5, 6, 7, 8}},
    };
    return tabs;
}

#include "core/NodeCatalogue.h"

#include <array>

const QString NodeCatalogue::CustomerListForm = QStringLiteral("frmDBListPact");
const QString NodeCatalogue::SettingsListForm = QStringLiteral("frmDBList");
const QString NodeCatalogue::QueryListForm = QStringLiteral("frmDBListPrint");
const QString NodeCatalogue::ReportForm = QStringLiteral("frmReport");

namespace {

// One row of the settings and query lists. The texts are the lists' own, blanks included.
struct ListRow {
    const char16_t* nodeText;
    const char16_t* caption;
    const char16_t* title;
    const char16_t* fields;
    const char16_t* labels;
    const char16_t* tableAndKey;
    const char16_t* listSql;
    const char16_t* baseSql;
    const char16_t* header;
    const char16_t* dialog;
};

constexpr std::array<ListRow, 8> settingsLists{{
    {u"分类类型", u"行业类型", u"行业类型设置", u"name,coderole,parentname", u"类型名称|编号规则|父类名称",
     u"customer_type,etid",
     u"select etid,name,coderole,parentname,description from customer_type_view order by parentname",
     u"select * from customer_type_view", u"编号|类型名称|编号规则|父类名称|备注", u"frmAdd_doc_type"},
    {u"头衔", u"头衔", u"头衔", u"name", u"头衔", u"info_parameter,prid",
     u"SELECT prid,name "
     u"FROM info_parameter where pmid=1",
     u"SELECT * FROM info_parameter ", u"编号|头衔", u"frmAdd_client_type"},
    {u"模块名称", u"模块名称", u"模块名称设置", u"name", u"模块名称", u"manage_module,mmid",
     u"SELECT mmid,name from  manage_module order by name", u"SELECT * from  manage_module ",
     u"编号|模块名称", u"frmAdd_Module"},
    {u"权限名称", u"权限名称", u"权限名称设置", u"name", u"权限名称", u"manage_role,mrid",
     u"SELECT mrid,name from  manage_role order by name", u"SELECT * from  manage_role ", u"编号|权限名称",
     u"frmAdd_role"},
    {u"部门设置", u"部门设置", u"部门设置", u"name,parentname", u"部门名称|上级部门", u"manage_dept,mdid",
     u"select mdid,name,parentname,description from manage_dept_view order by parentname",
     u"select * from manage_dept_view", u"编号|部门名称|上级部门|备注", u"frmAdd_Dept"},
    {u"用户管理", u"用户管理", u"用户管理设置", u"userid,name,dptname", u"账号|姓名|部门",
     u"manage_user,muid",
     u"SELECT muid,userid,name,dptname "
     u"FROM  manage_user_view order by name",
     u"SELECT * from  manage_user_view ", u"编号|账号|姓名|部门", u"frmAdd_User"},
    {u"用户权限", u"用户权限", u"用户权限设置", u"userid,name,dptname,rolename", u"帐号|姓名|部门|角色",
     u"manage_user_rolename,muid",
     u"SELECT muid,userid,name,dptname,rolename "
     u"from manage_user_rolename_view order by name ",
     u"SELECT * from  manage_user_rolename_view ", u"编号|帐号|姓名|部门|角色", u"frmAdd_UserRole"},
    {u"角色管理", u"角色管理", u"角色管理", u"name,md_role", u"角色名称|模块权限名称",
     u"manage_module_roleName,pmrid",
     u"SELECT pmrid,name,md_role,remark "
     u"from manage_module_roleName_view order by name ,md_role",
     u"SELECT * from  manage_module_roleName_view  ", u"编号|角色名称|权限名称|备注", u"frmAdd_RoleUser"},
}};

// Caption and title of a query list are its entry text.
constexpr std::array<ListRow, 5> queryLists{{
    {u"分类维修查询", nullptr, nullptr,
     u"typename,epcode,epname,send_date,failurelevel,requester,repair_company,repairer_date,buy_date,user_"
     u"dept,"
     u"epoperator,provider",
     u"分类类型|分类编号|分类名称|送修日期|维修级别|申请人|维修单位|维修日期|购买日期|使用部门|操作员|供应商",
     u"customer_info_repair_view_search,erid",
     u"select "
     u"erid,typename,epcode,epname,send_date,failurelevel,requester,repair_company,repairer_date,feemoney,"
     u"buy_date,user_dept,epoperator,provider from customer_info_repair_view_search  ",
     u"select "
     u"typename,epcode,epname,send_date,failurelevel,requester,repair_company,repairer_date,feemoney,buy_"
     u"date,"
     u"user_dept,epoperator,provider from customer_info_repair_view_search",
     u"编号|分类类型|分类编号|分类名称|送修日期|维修级别|申请人|维修单位|维修日期|维修费用|购买日期|使用部门|"
     u"操作员|供应商",
     u"frmAdd_repair_search_list"},
    {u"分类文档查询", nullptr, nullptr,
     u"typename,epcode,epname,filename,filetype,transactor,gettype,remark ",
     u"分类类型|分类编号|分类名称|文档名称|文档类型|经手人|获取方式|备注",
     u"customer_info_doc_view_search,idid",
     u"select idid,typename,epcode,epname,filename,filetype,transactor,gettype,remark from "
     u"customer_info_doc_view_search  ",
     u"select typename,epcode,epname,filename,filetype,transactor,gettype,remark  from "
     u"customer_info_doc_view_search",
     u"编号|分类类型|分类编号|分类名称|文档名称|文档类型|经手人|获取方式|备注", u"frmAdd_doc_list"},
    {u"分类调拨查询", nullptr, nullptr,
     u"typename,epcode,epname,movedate,olddept,newdept,oldaddress,newaddress,movereason,oldoperator,"
     u"newoperator,"
     u"remark",
     u"分类类型|分类编号|分类名称|调拨日期|原部门|新部门|原地址|新地址|调拨原因|原操作员|新操作员|备注",
     u"customer_info_move_view_search,idid",
     u"select imid,typename, epcode, epname, movedate, "
     u"olddept,newdept,oldaddress,newaddress,movereason,oldoperator,"
     u"newoperator, remark from customer_info_move_view_search  ",
     u"select typename, epcode, epname, movedate, "
     u"olddept,newdept,oldaddress,newaddress,movereason,oldoperator,"
     u"newoperator, remark   from customer_info_move_view_search",
     u"编号|分类类型|分类编号|分类名称|调拨日期|原部门|新部门|原地址|新地址|调拨原因|原操作员|新操作员|备注",
     u"frmAdd_move_list"},
    {u"行业备件查询", nullptr, nullptr,
     u"typename,epcode,epname,sparecode,sparename,sparespec,sparecompany,sparetype,stock,status,remark ",
     u"行业类型|行业编号|行业名称|备件编号|备件名称|备件规格|生产厂家|备件类型|备件库存|状态|备注",
     u"customer_info_spare_view_search,isid",
     u"select "
     u"isid,typename,epcode,epname,sparecode,sparename,sparespec,sparecompany,sparetype,stock,status,remark  "
     u"from customer_info_spare_view_search  ",
     u"select "
     u"typename,epcode,epname,sparecode,sparename,sparespec,sparecompany,sparetype,stock,status,remark    "
     u"from customer_info_spare_view_search",
     u"编号|行业类型|行业编号|行业名称|备件编号|备件名称|备件规格|生产厂家|备件类型|备件库存|状态|备注",
     u"frmAdd_spare_list"},
    {u"行业附件查询", nullptr, nullptr,
     u"typename, epcode, epname, attname, specs,pdtarea,units,att_num,remark ",
     u"行业类型|行业编号|行业名称|附件名称|规格|产地|单位|数量|备注", u"customer_info_att_view_search,isid",
     u"select iaid,typename, epcode, epname, attname, specs,pdtarea,units,att_num,remark   from "
     u"customer_info_att_view_search  ",
     u"select typename, epcode, epname, attname, specs,pdtarea,units,att_num,remark  from "
     u"customer_info_att_view_search",
     u"编号|行业类型|行业编号|行业名称|附件名称|规格|产地|单位|数量|备注", u"frmAdd_att_list"},
}};

struct ReportRow {
    const char16_t* nodeText;
    const char16_t* axis;
    const char16_t* calcFields;
    const char16_t* conditionForm;
    const char16_t* title;
};

constexpr std::array<ReportRow, 2> reports{{
    {u"分类统计", u"typename", u"epname:分类名称,parenttypename:分类,Status:分类状态,epname_total:分类数量",
     u"frmTotal_Rpt", u"分类统计报表"},
    {u"分类清单", u"epcode",
     u"epname:分类名称,specs:型号规格,ephostno:出厂编号,typename:分类类型,user_dept:使用部门,installaddr:"
     u"安装地点,"
     u"timelimit:使用年限(年),buy_date:购置日期,produce_date:出厂日期,user_date:启用日期,buyer:采购员,"
     u"provider:"
     u"供应商,tel:联系电话,repairtel:售后电话,produce_company:制造厂家,epmoney:分类原值,epcheckstatus:"
     u"验收状态,"
     u"status:分类状态",
     u"frmTotal_Rpt_Client", u"分类清单报表"},
}};

QString text(const char16_t* value) {
    return value ? QString::fromUtf16(value) : QString();
}

ListWindowParams paramsOf(const ListRow& row) {
    ListWindowParams params;
    params.caption = row.caption ? text(row.caption) : text(row.nodeText);
    params.lbFormName = row.title ? text(row.title) : text(row.nodeText);
    params.txtFields = text(row.fields);
    params.txtLblFields = text(row.labels);
    params.txtTableNameAndID = text(row.tableAndKey);
    params.txtSQL = text(row.listSql);
    params.txtTableSql = text(row.baseSql);
    params.HeadString = text(row.header);
    params.txtFrmName = text(row.dialog);
    return params;
}

QString isoDay(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

ListWindowParams NodeCatalogue::customerList(const QString& caption, const QString& condition) {
    ListWindowParams params;
    params.caption = caption;
    params.lbFormName = caption;
    params.txtFields = QStringLiteral(
        "company,address,sign_date,nextdate,typename,office_tel1,cardname,duty,mobile_tel1,fax,Status");
    params.txtLblFields =
        QStringLiteral("客户名称|地址|登记日期|回访日期|分类|办公电话1|联系人|职位|手机1|传真|状态");
    params.txtTableNameAndID = QStringLiteral("customer_info_view,ciid");
    params.txtSQL =
        QStringLiteral("SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,"
                       "mobile_tel1,fax,Status from customer_info_view where ") +
        condition;
    params.txtTableSql = QStringLiteral("SELECT * from customer_info_view where 1=1");
    params.HeadString = QStringLiteral(
        "编号|<登记日期|<回访日期|<分类|<客户名称|<地址|<办公电话1|<联系人|<职位|<手机1|<传真|<状态");
    params.txtFieldWidth = QStringLiteral("80|120|140|200|300|500|200|200|120|140|140|120");
    params.txtFrmName = QStringLiteral("frmAdd_client");
    return params;
}

ListWindowParams NodeCatalogue::reminderList(const QDate& today) {
    const QString day = isoDay(today);
    // The registration date counts only for a customer who has no next visit date yet: otherwise a
    // customer registered longer ago than one interval would stay due for ever, visits or not.
    return customerList(QStringLiteral("管理提醒"),
                        QStringLiteral("((Nextdate< '") + day +
                            QStringLiteral("') or ((Nextdate is null or Nextdate='') and "
                                           "dateadd('d',dateday,sign_date)< '") +
                            day + QStringLiteral("')) order by nextdate desc,company"));
}

NodeWindowConfig NodeCatalogue::configFor(const QString& nodeText, const QDate& today) {
    NodeWindowConfig config;
    config.kind = NodeWindowConfig::Kind::List;
    if (nodeText == QStringLiteral("管理提醒")) {
        config.formName = CustomerListForm;
        config.list = reminderList(today);
        return config;
    }
    if (nodeText == QStringLiteral("所有客户")) {
        config.formName = CustomerListForm;
        config.list = customerList(nodeText, QStringLiteral("1=1 order by nextdate desc,company"));
        return config;
    }
    for (const ListRow& row : settingsLists)
        if (nodeText == text(row.nodeText)) {
            config.formName = SettingsListForm;
            config.list = paramsOf(row);
            return config;
        }
    for (const ListRow& row : queryLists)
        if (nodeText == text(row.nodeText)) {
            config.formName = QueryListForm;
            config.list = paramsOf(row);
            return config;
        }
    for (const ReportRow& row : reports)
        if (nodeText == text(row.nodeText)) {
            config.kind = NodeWindowConfig::Kind::Report;
            config.formName = ReportForm;
            ReportNodeParams& report = config.report;
            report.ReportType = 1;
            report.CrossTableType = 1;
            report.XAxisTitle = text(row.axis);
            report.XAxisField = text(row.axis);
            report.CalcFields = text(row.calcFields);
            report.ConditionForm = text(row.conditionForm);
            report.Title = text(row.title);
            return config;
        }
    // Any other entry is a customer type, found by its exact name, bound: a name with a quote, "_" or
    // "%" opens the list of that type alone.
    config.formName = CustomerListForm;
    config.list = customerList(nodeText, QStringLiteral("typename = ? order by nextdate desc,company"));
    config.list.sqlParams = {nodeText};
    return config;
}

QStringList NodeCatalogue::fixedTexts() {
    QStringList texts{QStringLiteral("管理提醒"), QStringLiteral("所有客户")};
    for (const ListRow& row : settingsLists)
        texts << text(row.nodeText);
    for (const ListRow& row : queryLists)
        texts << text(row.nodeText);
    for (const ReportRow& row : reports)
        texts << text(row.nodeText);
    return texts;
}

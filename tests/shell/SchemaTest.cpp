// The database made from db/schema.sql: the views and their columns, soft-deleted rows, and the
// rows a new database starts with.
#include "shell/enCode.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Runs a query that must succeed.
Recordset query(clsMDB& db, const QString& sql, const QVariantList& params = {}) {
    std::optional<Recordset> rs = db.GetRS(sql, params);
    if (!rs) {
        ADD_FAILURE() << sql.toStdString() << ": " << db.lastError().toStdString();
        return Recordset();
    }
    return *rs;
}

// An empty text, not Null.
void expectEmptyText(const QVariant& value, const char* column) {
    EXPECT_FALSE(value.isNull()) << column;
    EXPECT_EQ(value.toString().toStdString(), "") << column;
}

int count(clsMDB& db, const QString& sql, const QVariantList& params = {}) {
    Recordset rs = query(db, sql, params);
    return rs.Eof() ? -1 : rs.Fields(0).toInt();
}

// A customer as the card writes it (every optional text one blank); answers its key.
int addCustomer(clsMDB& db, const QString& company, const QVariant& etid, const QVariant& duty) {
    const bool ok = db.ExecSQL(
        "insert into customer_info (cardname,etid,duty,jp,dateday,nextdate,company,address,office_tel1,"
        "office_tel2,office_tel3,home_tel1,home_tel2,mobile_tel1,mobile_tel2,fax,postcode,mobile_tel3,"
        "email,wwwsite,remark,intro,sign_date,qq,msn) values (?,?,?,?,?,?,?,?,' ',' ',' ',' ',' ',' ',' ',"
        "' ',' ',' ',' ',' ',' ',' ',?,' ',' ')",
        {company + "联系人", etid, duty, "KH", "30", "2024-03-01", company, "成都路1号", "2024-01-31"});
    EXPECT_TRUE(ok) << company.toStdString();
    return count(db, "select max(ciid) from customer_info");
}

// One detail record of each kind for a customer, as the contact-record dialogs write them; with
// deleted = true each is marked deleted afterwards.
void addDetails(clsMDB& db, int ciid, bool deleted, int kind = 21, int duty = 3) {
    const QVariantList values{ciid, kind, duty};
    EXPECT_TRUE(
        db.ExecSQL("insert into customer_access_records (ciid,acess_type,address,acess_date,linkman,"
                   "linktel,duty,acess_content,results) values (?,?,'地点','2024-02-01','王五','123',?,"
                   "'内容','结果')",
                   values));
    EXPECT_TRUE(
        db.ExecSQL("insert into customer_sales_info (ciid,productname,amount,price,totalmoney,saledate,"
                   "remark,saler) values (?,'商品',2,10,20,'2024-02-02',' ','赵六')",
                   {ciid}));
    EXPECT_TRUE(db.ExecSQL("insert into customer_complaints_info (ciid,complainter,content,linkman,linktel,"
                           "complaintdate,remark) values (?,'某人','投诉','孙七','456','2024-02-03',' ')",
                           {ciid}));
    EXPECT_TRUE(db.ExecSQL("insert into customer_services_info (ciid,service,content,service_date,remark) "
                           "values (?,'周八','维修','2024-02-04',' ')",
                           {ciid}));
    EXPECT_TRUE(
        db.ExecSQL("insert into customer_info_linkman (ciid,linkman,linktel,mobile1,mobile2,qq,msn,email,"
                   "duty,remark) values (?,'吴九','789',' ',' ',' ',' ',' ',?,' ')",
                   {ciid, duty}));
    if (!deleted)
        return;
    const QList<QPair<QString, QString>> tables{{"customer_access_records", "arid"},
                                                {"customer_sales_info", "siid"},
                                                {"customer_complaints_info", "cciid"},
                                                {"customer_services_info", "siid"},
                                                {"customer_info_linkman", "cilid"}};
    for (const auto& [table, key] : tables)
        EXPECT_TRUE(db.ExecSQL(
            QStringLiteral("update %1 set isdel=1 where %2 in (select max(%2) from %1)").arg(table, key)));
}

const char* const detailViews[] = {"customer_access_records_view", "customer_sales_info_view",
                                   "customer_complaints_info_view", "customer_services_info_view",
                                   "customer_info_linkman_view"};

} // namespace

TEST(Schema, EveryViewYieldsTheColumnsTheProgramReads) {
    TestDatabase t;
    const QList<QPair<QString, QStringList>> views{
        {"customer_info_view",
         {"ciid",        "cardname",  "company",         "etid",        "duty",         "jp",
          "dateday",     "nextdate",  "sign_date",       "address",     "office_tel1",  "office_tel2",
          "office_tel3", "home_tel1", "home_tel2",       "mobile_tel1", "mobile_tel2",  "mobile_tel3",
          "fax",         "postcode",  "email",           "wwwsite",     "qq",           "msn",
          "intro",       "remark",    "typename",        "dutyname",    "Status",       "parenttypename",
          "epname",      "epcode",    "specs",           "ephostno",    "user_dept",    "installaddr",
          "timelimit",   "buy_date",  "produce_date",    "user_date",   "buyer",        "provider",
          "tel",         "repairtel", "produce_company", "epmoney",     "epcheckstatus"}},
        {"client_info_view",
         {"cid", "spell", "name", "address", "typename", "type_name", "tel", "fax", "postcode", "linkman",
          "actbank", "account", "taxnum", "email", "wwwsite", "repairtel", "remark"}},
        {"customer_type_view", {"etid", "name", "coderole", "parentname", "description"}},
        {"customer_duty_view", {"prid", "name"}},
        {"customer_access_records_view",
         {"arid", "ciid", "acess_type_name", "address", "acess_date", "linkman", "duty_name", "linktel",
          "acess_content", "results"}},
        {"customer_sales_info_view",
         {"siid", "ciid", "productname", "amount", "price", "totalmoney", "saledate", "saler", "remark"}},
        {"customer_complaints_info_view",
         {"cciid", "ciid", "complainter", "content", "linkman", "linktel", "complaintdate", "remark"}},
        {"customer_services_info_view", {"siid", "ciid", "service", "content", "service_date", "remark"}},
        {"customer_info_linkman_view",
         {"cilid", "ciid", "linkman", "duty_name", "linktel", "mobile1", "mobile2", "email", "qq", "msn",
          "remark"}},
        {"manage_dept_view", {"mdid", "name", "parentname", "description"}},
        {"manage_user_view", {"muid", "userid", "name", "dptname", "pwd"}},
        {"manage_user_roleview", {"mdname", "muid", "rolename"}},
        {"manage_user_rolename_view", {"muid", "userid", "name", "dptname", "rolename"}},
        {"manage_module_roleName_view", {"pmrid", "name", "md_role", "remark"}},
    };
    for (const auto& [view, columns] : views) {
        SCOPED_TRACE(view.toStdString());
        const Recordset rs = query(t.db(), "select * from " + view);
        QSet<QString> names;
        for (const QString& name : rs.FieldNames())
            names.insert(name.toLower());
        EXPECT_EQ(names.size(), rs.FieldCount()) << "a column name occurs twice";
        for (const QString& column : columns)
            EXPECT_TRUE(names.contains(column.toLower())) << column.toStdString();
    }

    // The reminder list's query, with the date function it uses on the view's columns.
    EXPECT_TRUE(
        t.db().GetRS("SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,"
                     "mobile_tel1,fax,Status from customer_info_view where ((Nextdate< ?) or "
                     "(dateadd('d',dateday,sign_date)< ?)) order by nextdate desc,company",
                     {"2024-06-01", "2024-06-01"}))
        << t.db().lastError().toStdString();
}

TEST(Schema, ViewsLeaveOutDeletedRows) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB& db = t.db();
    const int live = addCustomer(db, "成都公司", 2, 3);
    const int gone = addCustomer(db, "删除公司", 2, 3);
    addDetails(db, live, false);
    addDetails(db, live, true);
    addDetails(db, gone, false);
    ASSERT_TRUE(db.ExecSQL("update customer_info set isdel=1 where ciid=?", {gone}));

    // A new customer takes the default flag and counts as not deleted.
    EXPECT_EQ(count(db, "select count(*) from customer_info_view"), 1);
    EXPECT_EQ(count(db, "select count(*) from customer_info_view where ciid=?", {live}), 1);
    EXPECT_EQ(count(db, "select count(*) from client_info_view"), 1);
    EXPECT_EQ(count(db, "select count(*) from client_info_view where cid=?", {live}), 1);
    for (const char* view : detailViews) {
        SCOPED_TRACE(view);
        EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1").arg(view)), 1);
        EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1 where ciid=?").arg(view), {live}), 1);
    }

    // The customer list reads the type, the title's text and the report columns from the view.
    Recordset rs = query(db, "SELECT * from customer_info_view where 1=1 and ciid=?", {live});
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Text("typename").toStdString(), "重点客户");
    EXPECT_EQ(rs.Text("parenttypename").toStdString(), "企业客户");
    EXPECT_EQ(rs.Text("dutyname").toStdString(), "经理");
    EXPECT_EQ(rs.Text("epname").toStdString(), "成都公司");
    for (int i = 0; i < rs.FieldCount(); ++i)
        EXPECT_FALSE(rs.Fields(i).isNull()) << rs.FieldName(i).toStdString();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

TEST(Schema, RecordsWithoutTitleOrTypeStayVisible) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB& db = t.db();
    const int ciid = addCustomer(db, "无头衔公司", 999, 0);
    addDetails(db, ciid, false, 0, 0);

    Recordset customer = query(db, "select typename,dutyname from customer_info_view where ciid=?", {ciid});
    ASSERT_FALSE(customer.Eof());
    expectEmptyText(customer.Fields("typename"), "typename");
    expectEmptyText(customer.Fields("dutyname"), "dutyname");

    Recordset visit =
        query(db, "select acess_type_name,duty_name from customer_access_records_view where ciid=?", {ciid});
    ASSERT_FALSE(visit.Eof());
    expectEmptyText(visit.Fields("acess_type_name"), "acess_type_name");
    expectEmptyText(visit.Fields("duty_name"), "duty_name");

    Recordset contact = query(db, "select duty_name from customer_info_linkman_view where ciid=?", {ciid});
    ASSERT_FALSE(contact.Eof());
    expectEmptyText(contact.Fields("duty_name"), "duty_name");

    for (const char* view : detailViews)
        EXPECT_EQ(count(db, QStringLiteral("select count(*) from %1 where ciid=?").arg(view), {ciid}), 1)
            << view;
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

TEST(Schema, NewDatabaseHoldsTheRowsTheProgramNeeds) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB& db = t.db();

    // The built-in account logs in through its department, with the account typed in any case.
    Recordset login =
        query(db,
              "SELECT b.muid,b.name as username,b.userid,b.pwd,a.mdid,a.name as dpt_name"
              "   FROM manage_dept a     INNER JOIN manage_user b ON a.mdid = b.mdid   where b.userid = ?",
              {"VeZiz"});
    ASSERT_EQ(login.RecordCount(), 1);
    EXPECT_EQ(login.Text("username").toStdString(), "veziz");
    EXPECT_EQ(login.Text("dpt_name").toStdString(), "公司部门");
    EXPECT_EQ(login.Text("pwd").toStdString(), enCodeValue("123456").toStdString());
    EXPECT_EQ(count(db, "select pid from manage_dept where name='公司部门'"), 0);

    Recordset roles = query(db, "select name from manage_role order by mrid");
    QStringList roleNames;
    for (; !roles.Eof(); roles.MoveNext())
        roleNames << roles.Text("name");
    EXPECT_EQ(roleNames.join(',').toStdString(), "添加,删除,修改,导出excel,管理");

    // Settings rows.
    Recordset interval = query(db, "select remark from info_parameter where name='回访周期'");
    ASSERT_EQ(interval.RecordCount(), 1);
    EXPECT_EQ(interval.Text("remark").trimmed().toStdString(), "30");
    Recordset reminder = query(db, "select remark from info_parameter where prid=35");
    ASSERT_EQ(reminder.RecordCount(), 1);
    bool numeric = false;
    reminder.Text("remark").trimmed().toDouble(&numeric);
    EXPECT_TRUE(numeric);
    for (int group : {1, 4, 27})
        EXPECT_GE(count(db, "select count(*) from info_parameter where pmid=?", {group}), 2) << group;
    EXPECT_EQ(count(db, "select count(*) from customer_duty_view"),
              count(db, "select count(*) from info_parameter where pmid=1"));
    // A title added later gets a key of its own, after the settings row 35.
    ASSERT_TRUE(db.ExecSQL("insert into info_parameter (name,pmid) values (?,1)", {"顾问"}));
    EXPECT_GT(count(db, "select prid from info_parameter where name='顾问'"), 35);

    // The customer-type tree: one top-level type with two sub-types, each with its rights module.
    Recordset top = query(db, "select * from customer_type  where pid = 0  order by name");
    ASSERT_EQ(top.RecordCount(), 1);
    const int topKey = top.Fields("etid").toInt();
    EXPECT_EQ(count(db, "select count(*) from customer_type where PID=?", {topKey}), 2);
    EXPECT_EQ(count(db, "select count(*) from customer_type_view where parentname=?", {top.Text("name")}), 2);
    EXPECT_EQ(count(db, "select count(*) from customer_type t where not exists "
                        "(select 1 from manage_module m where m.name like t.name)"),
              0);

    // A rights module for every navigation entry and list caption, found without regard to case.
    for (const char* module : {"管理提醒", "所有客户", "分类类型", "行业类型", "头衔", "模块名称", "权限名称",
                               "角色管理", "部门设置", "用户管理", "用户权限"})
        EXPECT_EQ(count(db, "select count(*) from manage_module where name=?", {QString::fromUtf8(module)}),
                  1)
            << module;
}

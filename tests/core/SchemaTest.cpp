// The database made from db/schema.sql: the views and their columns, soft-deleted rows, and the
// rows a new database starts with.
#include "core/enCode.h"
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

namespace {

// The queries and statements the program's windows send, in their own wording with sample values in
// place, in an order in which each finds what it needs. Statements on keys that do not exist still
// prove that the tables and columns they name are there.
const char* const programStatements[] = {
    // Start-up, login, rights, navigation tree.
    "select remark from info_parameter where name='回访周期'",
    "SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,mobile_tel1,fax,"
    "Status from customer_info_view where ((Nextdate< '2024-06-01') or (dateadd('d',dateday,sign_date)< "
    "'2024-06-01')) order by nextdate desc,company",
    " SELECT getdate() ",
    "SELECT b.muid,b.name as username,b.userid,b.pwd,a.mdid,a.name as dpt_name   FROM manage_dept a     "
    "INNER JOIN manage_user b ON a.mdid = b.mdid   where b.userid = 'veziz'",
    "select a.mmid,a.name,c.name as rolename from manage_module a,manage_role c",
    "SELECT d.muid, d.userid, a.name, a.mmid, c.name as rolename  FROM manage_user AS d  INNER JOIN "
    "((manage_role AS c INNER JOIN (manage_module_roleName AS e  INNER JOIN (manage_module AS a INNER JOIN "
    "manage_module_role AS b ON a.mmid = b.mmid)  ON e.pmrid = b.pmrid) ON c.mrid = b.mrid)  INNER JOIN "
    "manage_user_rolename AS f ON e.pmrid = f.pmrid) ON d.muid = f.muid  where d.muid=1",
    "select * from manage_user_roleview where mdname='管理提醒' and muid=1 and rolename like '添加%'",
    "select * from customer_type  where pid = 0  order by name",
    " select *  from customer_type where PID=1     order by name",
    // Customer lists, a search spliced into one, the settings lists with their record queries.
    "SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,mobile_tel1,fax,"
    "Status from customer_info_view where 1=1 order by nextdate desc,company",
    "SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,mobile_tel1,fax,"
    "Status from customer_info_view where typename like '重点客户'  and jp like '%CD%' order by  nextdate "
    "desc,company",
    "SELECT * from customer_info_view where 1=1 and ciid=1",
    "select etid,name,coderole,parentname,description from customer_type_view order by parentname",
    "select * from customer_type_view where etid=1",
    "SELECT prid,name FROM info_parameter where pmid=1",
    "SELECT * FROM info_parameter where prid=1",
    "SELECT mmid,name from  manage_module where name like '%管理%' order by name",
    "SELECT * from  manage_module where mmid=1",
    "SELECT mrid,name from  manage_role order by name",
    "SELECT * from  manage_role where mrid=1",
    "select mdid,name,parentname,description from manage_dept_view order by parentname",
    "select * from manage_dept_view where mdid=1",
    "SELECT muid,userid,name,dptname FROM  manage_user_view order by name",
    "SELECT * from  manage_user_view where muid=1",
    "SELECT muid,userid,name,dptname,rolename from manage_user_rolename_view order by name ",
    "SELECT * from  manage_user_rolename_view where muid=1",
    "SELECT pmrid,name,md_role,remark from manage_module_roleName_view order by name ,md_role",
    "SELECT * from  manage_module_roleName_view where pmrid=1",
    "select * from manage_user_roleview where mdname='头衔' and muid=1 and rolename like '管理%'",
    // Pickers and selection dialogs.
    "select etid,name from customer_type_view ",
    "select prid,name from customer_duty_view ",
    "select prid,name from info_parameter where pmid=27",
    "select prid,name from info_parameter where pmid=1 ",
    "select mdid,name from manage_dept order by name",
    "select prid,name from info_parameter where pmid=4",
    "select * from manage_dept  where pid = 0  order by name",
    " select *  from manage_dept where PID=1     order by name",
    "select cid,typename,name,address,tel,fax,postcode,linkman,actbank,account,taxnum,email,wwwsite,"
    "repairtel,remark from client_info_view order by cid desc",
    "select cid,spell,name,address,type_name,tel,fax,postcode,linkman,email,wwwsite from client_info_view "
    "where address like '%路%'",
    // Customer card and attachments.
    "select remark from info_parameter where name='回访周期'",
    "select ciid from customer_info where cardname like '张三'  and company like '成都公司'",
    "insert into customer_info (cardname,etid,duty,jp,dateday,nextdate,company,address,office_tel1,"
    "office_tel2,office_tel3,home_tel1,home_tel2,mobile_tel1,mobile_tel2,fax,postcode,mobile_tel3,email,"
    "wwwsite,remark,intro,sign_date,qq,msn) values ('张三','2','3','CDGS','30','2024-03-01','成都公司',"
    "'成都路1号',' ',' ',' ',' ',' ',' ',' ',' ',' ',' ',' ',' ',' ',' ','2024-01-31',' ',' ')",
    "select ciid from customer_info where cardname like '张三' and ciid<>1",
    "update  customer_info set cardname='张三',etid='2',duty='3',company='成都公司',address='成都路2号',"
    "office_tel1=' ',office_tel2=' ',office_tel3=' ',home_tel1=' ',home_tel2=' ',mobile_tel1=' ',"
    "mobile_tel2=' ',mobile_tel3=' ',jp='CDGS',dateday='30',fax=' ',postcode=' ',email=' ',wwwsite=' ',"
    "remark=' ',intro=' ',sign_date='2024-01-31',qq=' ',msn=' ' where ciid=1",
    "insert into customer_info_file (ciid,filename) values (1,'合同.doc')",
    "select * from customer_info_file where cifid=1",
    "select cifid,filename from customer_info_file where ciid=1",
    "select content from customer_info_file where cifid =1",
    "delete from customer_info_file where cifid in (1)",
    // Visit, sale, complaint, service and contact-person dialogs.
    "insert into customer_access_records (ciid,acess_type,address,acess_date,linkman,linktel,duty,"
    "acess_content,results  )  values (1,21,' ','2024-02-01','王五',' ',3,' ',' ' )",
    "update  customer_access_records set acess_type=22,address='地点',acess_date='2024-02-02',"
    "linkman='王五',linktel=' ',ciid=1,duty=3,acess_content=' ', results=' '  where arid=1",
    "select * from customer_info_view where ciid= 1",
    "select acess_date from customer_access_records where ciid= 1 order by acess_date desc ",
    "update customer_info set nextdate='2024-03-03' where ciid=1",
    "insert into customer_sales_info (ciid,productname,amount,price,totalmoney,saledate,remark,saler )  "
    "values (1,'商品',2,10,20,'2024-02-02',' ','赵六')",
    "update  customer_sales_info set ciid=1,productname='商品',saler='赵六',price=10,amount=2,"
    "totalmoney=20,saledate='2024-02-02',remark=' ' where siid=1",
    "insert into customer_complaints_info (ciid,complainter,content,linkman,linktel,complaintdate,remark)  "
    "values (1,'某人','投诉','孙七','456','2024-02-03',' ')",
    "update  customer_complaints_info set ciid=1,complainter='某人',content='投诉',linkman='孙七',"
    "linktel='456',complaintdate='2024-02-03',remark=' ' where cciid=1",
    "insert into customer_services_info (ciid ,service,content,service_date,remark)  values (1,'周八',"
    "'维修','2024-02-04',' ')",
    "update  customer_services_info set service='周八',service_date='2024-02-04',content='维修',"
    "remark=' ' where siid=1",
    "insert into customer_info_linkman (ciid,linkman,linktel,mobile1,mobile2,qq,msn,email,duty,remark)  "
    "values (1,'吴九','789',' ',' ',' ',' ',' ',3,' ')",
    "update  customer_info_linkman set ciid=1,linkman='吴九',linktel='789',mobile1=' ',mobile2=' ',"
    "qq=' ',msn=' ',email=' ',duty=0,remark=' ' where cilid=1",
    // Detail tabs: lists and record queries.
    "select arid,acess_type_name,address,acess_date,linkman,duty_name,linktel,acess_content,results from  "
    "customer_access_records_view where ciid=1 order by acess_date desc",
    "select * from customer_access_records_view where arid=1",
    "select siid,productname,amount,price,totalmoney,saledate,remark from customer_sales_info_view where "
    "ciid=1 order by saledate desc ",
    "select * from customer_sales_info_view where siid=1",
    "select cciid,complainter,content,complaintdate,linkman,linktel,remark from "
    "customer_complaints_info_view where ciid=1 order by complaintdate desc ",
    "select * from customer_complaints_info_view where cciid=1",
    "select siid,service_date,service,content,remark from customer_services_info_view where ciid=1 order "
    "by service_date desc",
    "select * from customer_services_info_view where siid=1",
    "select cilid,linkman,duty_name,linktel,mobile1,mobile2,email,qq,msn,remark from "
    "customer_info_linkman_view where ciid=1 order by cilid desc",
    "select * from customer_info_linkman_view where cilid=1",
    // Customer-type editor and job-title dialog.
    "select * from customer_type where etid=1",
    "select etid from customer_type where name like '新类型' ",
    "select etid from customer_type where (name like '新类型') and (etid<>1)",
    "select max(etid) as etid from customer_type ",
    "insert into customer_type (etid,name,description,pid) values (4,'新类型',' ',1)",
    "insert into manage_module (name,isdel,flag) values ('新类型',0,0)",
    "update customer_type Set Name = '新类型',description=' ' where etid=4",
    "update customer_type Set Name = '新类型',pid=0,description=' ' where etid=4",
    "update manage_module Set Name = '新类型' where name=''",
    "select * from customer_info where etid=4",
    "select *  from manage_module where name like '新类型'",
    "delete from manage_module_role where mmid=999",
    "delete from manage_module where name like '新类型'",
    "delete from customer_type where etid=4",
    "select prid from info_parameter where name like '顾问'",
    "select prid from info_parameter where name like '顾问'and prid<>1",
    "insert into info_parameter (name,pmid) values ('顾问',1)",
    "update info_parameter set name='高级顾问' where prid=999",
    // Reports.
    "select parenttypename,typename,epname,status,count(epname) as epname_total From customer_info_view "
    "where 0=0   and buy_date >= '2024-01-01'  and buy_date <='2024-12-31' and parenttypename like '%企业%'"
    " and user_dept like '%部%' and epname like '%公司%' and status ='潜在客户' group by parenttypename,"
    "typename,epname,status  order by status",
    "select epcode,epname,specs,ephostno,typename,user_dept,installaddr,timelimit,buy_date,produce_date,"
    "user_date,buyer,provider,tel,repairtel,produce_company,epmoney,epcheckstatus,status From "
    "customer_info_view where 0=0   order by status",
    " SELECT  * from customer_info_view  where   epcode like '%1%' and  buyer like '%张%' order by "
    "typename,epname desc ",
    // Administration dialogs.
    "select mmid from manage_module where name like '新模块'",
    "select mmid from manage_module where name like '新模块'and mmid<>1",
    "insert into manage_module (name,isdel,flag) values ('新模块',0,0)",
    "update manage_module set name='新模块' where mmid=999",
    "select mrid from manage_role where name like '审核'",
    "select mrid from manage_role where name like '审核' and mrid<>1",
    "insert into manage_role (name,isdel,flag) values ('审核',0,0)",
    "update manage_role set name='审核' where mrid=999",
    "select muid from manage_user where userid like 'zhang' or name like '张三'",
    "select muid from manage_user where (userid like 'zhang' or name like '张三') and muid<>1",
    "insert into manage_user (userid,name,pwd,mdid,isdel,flag) values ('zhang','张三',"
    "'e10adc3949ba59abbe56e057f20f883e',1,0,0)",
    "update manage_user set userid='zhang',name='张三',pwd='e10adc3949ba59abbe56e057f20f883e',mdid=1 "
    "where muid=2",
    "update manage_user set userid='zhang',name='张三',mdid=1 where muid=2",
    "select * from manage_user where userid='zhang' and pwd='e10adc3949ba59abbe56e057f20f883e'",
    "update manage_user set pwd='e10adc3949ba59abbe56e057f20f883e' where userid='zhang'",
    "select * from manage_module",
    "select * from manage_role",
    "select pmrid from manage_module_roleName where name like '角色一'",
    "select pmrid from manage_module_roleName where name like '角色一' and pmrid<>1",
    "insert into manage_module_roleName (name,remark) values ('角色一',' ')",
    "select max(pmrid) as pmrid from manage_module_roleName ",
    "update manage_module_roleName set name='角色一',remark=' ' where  pmrid = 1",
    "select pmrid as pmrid from manage_module_roleName where pmrid=1",
    "delete from manage_module_role where pmrid=1",
    "insert into manage_module_role (mmid,mrid,pmrid) values (1,1,1)",
    "select * from manage_module_rolename_view where pmrid=1",
    "select a.name,a.userid,b.name as dptname from  manage_user a inner join manage_dept b on "
    "a.mdid=b.mdid ",
    "select a.name,a.userid,b.name as dptname,a.muid from  manage_user a inner join manage_dept b on "
    "a.mdid=b.mdid where a.userid='zhang'",
    "select * from manage_module_roleName",
    "select * from manage_user_rolename where muid like 2",
    "delete from manage_user_rolename where muid=2",
    "insert into manage_user_rolename (muid,pmrid) values (2,1)",
    "select * from manage_user_rolename_view where muid=2",
    "select * from manage_dept where mdid=1",
    "select mdid from manage_dept where name like '销售部'",
    "select mdid from manage_dept where (name like '销售部') and (mdid<>1)",
    "select max(mdid) as mdid from manage_dept ",
    "insert into manage_dept (mdid,name,description,pid) values (2,'销售部','销售',1)",
    "update manage_dept Set Name = '销售部',description='销售' where mdid=2",
    "update manage_dept Set Name = '销售部',pid=1,description='销售' where mdid=2",
    "select * from manage_user where mdid=2",
    "delete from manage_dept where mdid=2",
    "select remark from info_parameter where prid=35",
    "update info_parameter set remark='7' where prid=35",
    // Deletes of the list windows.
    "select * from manage_module_role where mmid=999",
    "delete from manage_module where mmid=999",
    "select * from manage_user_rolename where pmrid=999",
    "delete from manage_user_rolename where pmrid=999",
    "delete  from manage_module_role where pmrid=999",
    "delete from manage_module_roleName where pmrid=999",
    "select * from manage_user where muid=999",
    "delete from manage_user_rolename where muid=999",
    "delete from manage_user where muid=999",
    "delete from manage_dept where mdid=999",
    "delete from info_parameter where prid=999",
    "update customer_access_records set isdel=1  where arid in (1 )",
    "update customer_sales_info set isdel=1 where siid in (1 )",
    "update customer_complaints_info set isdel=1 where cciid in (1 )",
    "update customer_services_info set isdel=1 where siid  in (1 )",
    "update customer_info_linkman set isdel=1 where cilid in (1 )",
    "update customer_info set isdel=1 where ciid=1",
};

} // namespace

TEST(Schema, ServesEveryQueryAndStatementOfTheProgram) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB& db = t.db();
    for (const char* text : programStatements) {
        const QString sql = QString::fromUtf8(text);
        if (sql.trimmed().startsWith(QStringLiteral("select"), Qt::CaseInsensitive))
            EXPECT_TRUE(db.GetRS(sql)) << text << "\n" << db.lastError().toStdString();
        else
            EXPECT_TRUE(db.ExecSQL(sql)) << text;
    }
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

// The card writes the type and title keys as quoted texts; the view still finds their names.
TEST(Schema, QuotedKeysMatchTheirRows) {
    TestDatabase t;
    clsMDB& db = t.db();
    ASSERT_TRUE(db.ExecSQL("insert into customer_info (cardname,etid,duty,company,sign_date) values "
                           "('张三','2','3','成都公司','2024-01-31')"));
    Recordset rs = query(db, "select typename,dutyname,duty from customer_info_view");
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Text("typename").toStdString(), "重点客户");
    EXPECT_EQ(rs.Text("dutyname").toStdString(), "经理");
    EXPECT_EQ(count(db, "select count(*) from customer_info where etid=2 and duty=3"), 1);
}

// Accounts and names are found whatever their letter case, with "=" as with "like".
TEST(Schema, ComparisonsOfAccountsAndNamesIgnoreLetterCase) {
    TestDatabase t;
    MessageRecorder messages;
    clsMDB& db = t.db();
    const char* const rows[] = {
        "insert into manage_dept (mdid,name,description,pid) values (2,'Sales','x',1)",
        "insert into manage_user (muid,userid,name,pwd,mdid,isdel,flag) values (2,'Zhang','Li Lei','',2,0,0)",
        "insert into manage_module (name,isdel,flag) values ('VIP',0,0)",
        "insert into manage_role (name,isdel,flag) values ('导出Excel表',0,0)",
        "insert into manage_module_roleName (pmrid,name,remark) values (5,'Sales Role',' ')",
        "insert into manage_module_role (mmid,mrid,pmrid) select m.mmid,r.mrid,5 from manage_module m, "
        "manage_role r where m.name='VIP' and r.name='导出Excel表'",
        "insert into manage_user_rolename (muid,pmrid) values (2,5)",
        "insert into customer_type (etid,name,description,pid) values (9,'Vip',' ',1)",
        "insert into info_parameter (pmid,name) values (1,'CEO')",
        "insert into customer_info (cardname,etid,duty,company) values ('Han Mei',9,1,'ACME')",
    };
    for (const char* row : rows)
        ASSERT_TRUE(db.ExecSQL(QString::fromUtf8(row))) << row;
    const char* const queries[] = {
        "select count(*) from manage_user where userid = 'ZHANG'",
        "select count(*) from manage_user_view where userid='zHANG' and name='LI LEI'",
        "select count(*) from manage_dept a inner join manage_user b on a.mdid = b.mdid where b.userid = "
        "'zhang'",
        "select count(*) from manage_user where userid='ZHANG' and pwd=''",
        "select count(*) from manage_user where userid like 'zhang' or name like 'li lei'",
        "select count(*) from manage_user_roleview where mdname='vip' and muid=2 and rolename like "
        "'导出excel%'",
        "select count(*) from manage_user_rolename_view where userid='ZHANG' and dptname='SALES' and "
        "rolename='sales role'",
        "select count(*) from manage_module where name='vip'",
        "select count(*) from manage_module where name like 'Vip'",
        "select count(*) from manage_module_roleName where name like 'SALES ROLE'",
        "select count(*) from manage_dept where name like 'sales'",
        "select count(*) from manage_dept_view where name='SALES'",
        "select count(*) from customer_type where name like 'VIP'",
        "select count(*) from customer_type_view where name='vIP'",
        "select count(*) from info_parameter where name like 'ceo'",
        "select count(*) from customer_info where cardname like 'han mei'  and company like 'acme'",
        "select count(*) from customer_info_view where typename like 'VIP' and dutyname='总经理'",
    };
    for (const char* sql : queries)
        EXPECT_EQ(count(db, QString::fromUtf8(sql)), 1) << sql;
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
}

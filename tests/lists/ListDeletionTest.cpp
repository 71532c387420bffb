#include "lists/ListDeletion.h"
#include "core/NodeCatalogue.h"
#include "lists/frmDBList.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/lists/ListTestSupport.h"
#include "ui/DataGrid.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace listtests;

namespace {
// Every row of the tables a list delete may touch.
QStringList snapshot(clsMDB& db) {
    QStringList rows;
    for (const char* table :
         {"manage_user", "manage_dept", "manage_module", "manage_role", "manage_module_roleName",
          "manage_module_role", "manage_user_rolename", "customer_type", "customer_info", "info_parameter"}) {
        const auto rs = db.GetRS(QStringLiteral("select * from %1").arg(QLatin1String(table)));
        for (int r = 0; r < rs->RecordCount(); ++r) {
            QStringList cells{QLatin1String(table)};
            for (int c = 0; c < rs->FieldCount(); ++c)
                cells << rs->TextAt(r, c);
            rows << cells.join('|');
        }
    }
    return rows;
}

int count(clsMDB& db, const QString& sql) {
    return db.GetRS(sql)->RecordCount();
}

// Selects the rows whose column 1 reads one of the names.
void selectNamed(frmDBList& w, const QStringList& names) {
    w.dbView->clearSelection();
    auto* selection = w.dbView->selectionModel();
    for (int r = 1; r < w.dbView->Rows(); ++r)
        if (names.contains(w.dbView->TextMatrix(r, 1)))
            selection->select(w.dbView->model()->index(r - 1, 1),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Extra rows: a department with a user and one with a sub-department, a free role with a grant, a type
// of its own with its module and a grant, and a module whose name the type's would match with LIKE.
void addFixtureRows(clsMDB& db) {
    for (const char* sql : {
             "insert into manage_dept (mdid,name,description,pid) values "
             "(2,'销售部','卖',1),(3,'技术部','研',1),"
             "(4,'开发组','码',3),(5,'空部门','无',1)",
             "update manage_user set mdid=2 where userid='clerk'",
             "insert into manage_module_roleName (name,remark) values ('空角色',' ')",
             "insert into manage_module_role (mmid,mrid,pmrid) select m.mmid,1,n.pmrid from manage_module m, "
             "manage_module_roleName n where m.name='头衔' and n.name='空角色'",
             "insert into customer_type (etid,name,description,pid) values (9,'新_型','x',1)",
             "insert into manage_module (name,isdel,flag) values ('新_型',0,0),('新A型',0,0)",
             "insert into manage_module_role (mmid,mrid,pmrid) select m.mmid,2,n.pmrid from manage_module m, "
             "manage_module_roleName n where m.name in ('新_型','新A型') and n.name='文员角色'",
             // A type with two sub-types, one of which has a sub-type of its own; no customers.
             "insert into customer_type (etid,name,description,pid) values (10,'零售客户','r',0),"
             "(11,'门店','s',10),(12,'网店','w',10),(13,'旗舰店','f',11)",
         })
        ASSERT_TRUE(db.ExecSQL(QString::fromUtf8(sql))) << sql;
}
} // namespace

TEST(ListDeletion, GuardsRefuseBeforeAnythingIsWrittenAndAllowedRowsGoWithTheirCompanions) {
    const struct {
        const char* list;
        QStringList names;      // selected by column 1
        const QString* refusal; // null: allowed
        const char* goneCheck;  // allowed: a count that must be 0 afterwards
    } cases[] = {
        {"角色管理", {"空角色", "文员角色"}, &ListDeletion::RoleHeldText, nullptr},
        {"角色管理",
         {"空角色"},
         nullptr,
         "select * from manage_module_role where pmrid not in (select pmrid from manage_module_roleName)"},
        {"用户管理", {"clerk", "veziz"}, &ListDeletion::SuperUserText, nullptr},
        {"用户管理", {"clerk"}, nullptr, "select * from manage_user_rolename"},
        {"权限名称", {"管理"}, &ListDeletion::PermissionText, nullptr},
        {"模块名称", {"部门设置", "模块名称"}, &ListDeletion::ModuleGrantedText, nullptr},
        {"部门设置", {"空部门", "销售部"}, &ListDeletion::DeptUsersText, nullptr},
        {"部门设置", {"技术部"}, &ListDeletion::DeptChildrenText, nullptr},
        {"部门设置", {"空部门", "开发组"}, nullptr, "select * from manage_dept where mdid in (4,5)"},
        {"分类类型", {"新_型", "重点客户"}, &ListDeletion::TypeCustomersText, nullptr},
        {"分类类型", {"企业客户"}, &ListDeletion::TypeChildrenText, nullptr},
        // The type's module is the one of exactly its name: "新A型" stays.
        {"分类类型",
         {"新_型"},
         nullptr,
         "select * from manage_module m where m.name='新_型' or not exists (select 1 from manage_module_role "
         "g, "
         "manage_module a where g.mmid=a.mmid and a.name='新A型')"},
        // A type goes with all its sub-types selected in the same delete, down to the last level.
        {"分类类型",
         {"零售客户", "门店", "网店", "旗舰店"},
         nullptr,
         "select * from customer_type where etid between 10 and 13"},
        {"分类类型", {"零售客户", "门店", "网店"}, &ListDeletion::TypeChildrenText, nullptr},
        {"分类类型", {"旗舰店", "门店"}, nullptr, "select * from customer_type where etid in (11,13)"},
        // ... but not while a customer is of one of them.
        {"分类类型",
         {"企业客户", "重点客户", "普通客户", "新_型"},
         &ListDeletion::TypeCustomersText,
         nullptr},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(k.list, k.names.join(',')).toStdString());
        TestDatabase tdb;
        clsMDB& db = tdb.db();
        addClerk(db, {"添加"});
        addFixtureRows(db);
        addCustomer(db, QStringLiteral("成都华信"), QStringLiteral("2024-01-01"),
                    QStringLiteral("2024-01-01"));
        MessageRecorder messages;
        CurrentOperator op(db, QStringLiteral("veziz"), QStringLiteral("123456"));
        frmDBList w;
        w.setListParams(NodeCatalogue::configFor(QString::fromUtf8(k.list)).list);
        w.loadList();
        selectNamed(w, k.names);
        ASSERT_GE(w.dbView->SelectedRows(), k.names.size()); // a role shows once per grant
        const QStringList before = snapshot(db);
        w.deleteRecords();
        ASSERT_GE(messages.messages().size(), 1);
        EXPECT_EQ(messages.messages()[0].text, QStringLiteral("是否真的要删除选定记录？Y/N"));
        if (k.refusal) {
            ASSERT_EQ(messages.messages().size(), 2);
            EXPECT_EQ(messages.last().text, *k.refusal);
            EXPECT_EQ(messages.last().icon, MsgIcon::Information);
            EXPECT_EQ(snapshot(db), before);
        } else {
            EXPECT_EQ(messages.messages().size(), 1) << messages.texts().join('|').toStdString();
            EXPECT_EQ(count(db, QString::fromUtf8(k.goneCheck)), 0);
            for (int r = 1; r < w.dbView->Rows(); ++r)
                EXPECT_FALSE(k.names.contains(w.dbView->TextMatrix(r, 1)));
        }
    }
}

// A job title stays while a row that a window shows still names it: a customer, a further contact person
// or a visit; a selection that holds one such title deletes none. Rows deleted softly, and the rows of a
// deleted customer, are shown nowhere and do not hold a title.
TEST(ListDeletion, AJobTitleStaysWhileACustomerAContactOrAVisitNamesIt) {
    const struct {
        QStringList names;
        bool refused;
    } cases[] = {
        {{"总经理"}, true},             // the customer's title
        {{"副总经理"}, true},           // a contact person's only
        {{"经理"}, true},               // a visit's only
        {{"业务员", "副总经理"}, true}, // with an unused title: nothing goes
        {{"经理", "业务员", "职员"}, true},
        {{"业务员"}, false}, // unused
        {{"业务员", "职员"}, false},
        {{"主管"}, false},             // a deleted contact person's and a deleted visit's only
        {{"采购员", "工程师"}, false}, // a deleted customer's, and its contact's and visit's
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.names.join(',').toStdString());
        TestDatabase tdb;
        clsMDB& db = tdb.db();
        const qint64 shown = addCustomer(db, QStringLiteral("成都华信"), QStringLiteral("2024-01-01"),
                                         QStringLiteral("2024-01-01")); // 总经理
        const qint64 gone = addCustomer(db, QStringLiteral("已删客户"), QStringLiteral("2024-01-01"),
                                        QStringLiteral("2024-01-01"));
        for (const QString& sql : {
                 QStringLiteral("update customer_info set duty=6, isdel=1 where ciid=%2"),
                 QStringLiteral("insert into customer_info_linkman (ciid,linkman,linktel,duty,isdel) values "
                                "(%1,'李明','1',2,0),(%1,'赵强','2',4,1),(%2,'钱进','3',7,0)"),
                 QStringLiteral(
                     "insert into customer_access_records (ciid,acess_type,acess_date,linkman,duty,"
                     "isdel) values (%1,21,'2024-01-02','李明',3,0),(%1,21,'2024-01-03','赵强',4,1),"
                     "(%2,21,'2024-01-04','钱进',7,0)"),
             })
            ASSERT_TRUE(db.ExecSQL(
                QString(sql).replace("%1", QString::number(shown)).replace("%2", QString::number(gone))))
                << sql.toStdString();
        MessageRecorder messages;
        CurrentOperator op(db, QStringLiteral("veziz"), QStringLiteral("123456"));
        frmDBList w;
        w.setListParams(NodeCatalogue::configFor(QStringLiteral("头衔")).list);
        w.loadList();
        selectNamed(w, k.names);
        ASSERT_EQ(w.dbView->SelectedRows(), k.names.size());
        const QStringList before = snapshot(db);
        w.deleteRecords();
        if (k.refused) {
            EXPECT_EQ(messages.texts(),
                      (QStringList{"是否真的要删除选定记录？Y/N", ListDeletion::JobTitleInUseText}));
            EXPECT_EQ(messages.last().icon, MsgIcon::Information);
            EXPECT_EQ(snapshot(db), before);
        } else {
            EXPECT_EQ(messages.texts(), QStringList{"是否真的要删除选定记录？Y/N"});
            for (const QString& name : k.names)
                EXPECT_EQ(count(db, "select * from info_parameter where name='" + name + "'"), 0)
                    << name.toStdString();
            EXPECT_EQ(count(db, "select * from info_parameter where pmid=1"), 8 - k.names.size());
        }
    }
}

TEST(ListDeletion, TheCompanyDepartmentStaysAndTheOtherSelectedRowsGo) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    ASSERT_TRUE(db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (2,'销售部','卖',1)"));
    MessageRecorder messages;
    // Even in the user-role list a row named "公司部门" is kept.
    const QList<DeletionRow> rows = {{"1", "公司部门"}, {"2", "销售部"}};
    const DeletionResult result =
        ListDeletion::run(db, QStringLiteral("manage_dept"), QStringLiteral("mdid"), rows);
    EXPECT_EQ(result.kind, DeletionResult::Kind::Deleted);
    EXPECT_EQ(result.notices, QStringList{ListDeletion::CompanyDeptText});
    EXPECT_EQ(result.deleted, 1);
    EXPECT_EQ(count(db, "select * from manage_dept where mdid=1"), 1);
    EXPECT_EQ(count(db, "select * from manage_dept where mdid=2"), 0);
}

TEST(ListDeletion, AFailingStatementRollsTheWholeDeleteBack) {
    TestDatabase tdb;
    clsMDB& db = tdb.db();
    addClerk(db, {"添加"});
    addFixtureRows(db);
    ASSERT_TRUE(db.ExecSQL("create trigger fail_role before delete on manage_module_roleName begin "
                           "select raise(abort, 'injected'); end"));
    MessageRecorder messages;
    CurrentOperator op(db, QStringLiteral("veziz"), QStringLiteral("123456"));
    frmDBList w;
    w.setListParams(NodeCatalogue::configFor(QStringLiteral("角色管理")).list);
    w.loadList();
    selectNamed(w, {"空角色"});
    const int rows = w.dbView->Rows();
    const QStringList before = snapshot(db);
    w.deleteRecords();
    EXPECT_EQ(snapshot(db), before); // the grants deleted first are back
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.last().text, QStringLiteral("删除失败，错误描述:【injected】."));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(w.dbView->Rows(), rows);

    // Refused by the question, or with nothing selected: nothing happens.
    messages.clear();
    messages.script({MsgAnswer::No});
    w.deleteRecords();
    EXPECT_EQ(messages.texts(), QStringList{"是否真的要删除选定记录？Y/N"});
    w.dbView->clearSelection();
    messages.clear();
    w.deleteRecords();
    EXPECT_EQ(messages.texts(), QStringList{"请选择删除记录！"});
    EXPECT_EQ(snapshot(db), before);
}

TEST(ListDeletion, AfterADeleteTheListKeepsItsSearch) {
    const struct {
        const char* typed;      // in the search box when the user deletes
        QStringList shownAfter; // column 1 afterwards, sorted
        const char* boxAfter;
    } cases[] = {
        {"报表", {"报表二"}, "报表"}, {"  ", {}, ""}, // blanks: the full list, the box emptied
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        TestDatabase tdb;
        clsMDB& db = tdb.db();
        ASSERT_TRUE(
            db.ExecSQL("insert into manage_module (name,isdel,flag) values ('报表一',0,0),('报表二',0,0)"));
        MessageRecorder messages;
        CurrentOperator op(db, QStringLiteral("veziz"), QStringLiteral("123456"));
        frmDBList w;
        w.setListParams(NodeCatalogue::configFor(QStringLiteral("模块名称")).list);
        w.loadList();
        w.txtSearchValue->setText(QStringLiteral("报表"));
        w.searchList();
        ASSERT_EQ(w.dbView->Rows(), 3);
        w.txtSearchValue->setText(QString::fromUtf8(k.typed));
        selectNamed(w, {"报表一"});
        w.deleteRecords();
        ASSERT_EQ(messages.texts(), QStringList{"是否真的要删除选定记录？Y/N"});
        QStringList shown;
        for (int r = 1; r < w.dbView->Rows(); ++r)
            shown << w.dbView->TextMatrix(r, 1);
        if (k.shownAfter.isEmpty())
            EXPECT_EQ(shown.size(), count(db, "select * from manage_module"));
        else
            EXPECT_EQ(shown, k.shownAfter);
        EXPECT_EQ(w.txtSearchValue->text(), QString::fromUtf8(k.boxAfter));
    }
}

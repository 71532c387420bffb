#include "core/Globals.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"
#include "core/enCode.h"
#include "lists/ListForms.h"
#include "lists/frmDBList.h"
#include "lists/frmDBListPact.h"
#include "lists/frmDBListPrint.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/FormFactory.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {
ListWindowParams moduleList() {
    ListWindowParams p;
    p.caption = QStringLiteral("模块名称");
    p.lbFormName = QStringLiteral("模块名称设置");
    p.txtFields = QStringLiteral("name");
    p.txtLblFields = QStringLiteral("模块名称");
    p.txtTableNameAndID = QStringLiteral("manage_module,mmid");
    p.txtSQL = QStringLiteral("SELECT mmid,name from  manage_module order by name");
    p.txtTableSql = QStringLiteral("SELECT * from  manage_module ");
    p.HeadString = QStringLiteral("编号|模块名称");
    p.txtFieldWidth = QStringLiteral("80|300");
    p.txtFrmName = QStringLiteral("frmAdd_Module");
    return p;
}

int moduleCount(clsMDB& db) {
    return db.GetRS(QStringLiteral("select mmid from manage_module"))->RecordCount();
}

// A user "clerk" (password "pw") holding the given permissions on the module "模块名称".
void addClerk(clsMDB& db, const QStringList& permissions) {
    ASSERT_TRUE(db.ExecSQL("insert into manage_user (userid,name,pwd,mdid) values ('clerk','文员',?,1)",
                           {enCodeValue(QStringLiteral("pw"))}));
    ASSERT_TRUE(db.ExecSQL("insert into manage_module_roleName (name,remark) values ('文员角色',' ')"));
    for (const QString& permission : permissions)
        ASSERT_TRUE(db.ExecSQL("insert into manage_module_role (mmid,mrid,pmrid) select "
                               "m.mmid,r.mrid,n.pmrid from manage_module "
                               "m, manage_role r, manage_module_roleName n where m.name='模块名称' and "
                               "r.name=? and n.name='文员角色'",
                               {permission}));
    ASSERT_TRUE(
        db.ExecSQL("insert into manage_user_rolename (muid,pmrid) select u.muid,n.pmrid from "
                   "manage_user u, manage_module_roleName n where u.userid='clerk' and n.name='文员角色'"));
}

// The operator of the run, for the rights checks of the windows.
struct CurrentOperator {
    CurrentOperator(clsMDB& db, const QString& userId, const QString& password) : app(db) {
        EXPECT_TRUE(app.CheckUserPassword(userId, password));
        gMDB = &db;
        gApp = &app;
    }
    ~CurrentOperator() {
        gApp = nullptr;
        gMDB = nullptr;
    }
    clsApp app;
};

template <typename Window> void expectLoaded(Window& w, clsMDB& db) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("模块名称"));
    EXPECT_EQ(w.lbFormName->text(), QStringLiteral("模块名称设置"));
    ASSERT_EQ(w.cmbSearch->count(), 1);
    EXPECT_EQ(w.cmbSearch->currentText(), QStringLiteral("模块名称"));
    EXPECT_EQ(w.dbView->Rows(), moduleCount(db) + 1);
    EXPECT_EQ(w.dbView->TextMatrix(0, 1), QStringLiteral("模块名称"));
    EXPECT_TRUE(w.dbView->isColumnHidden(0));
}
} // namespace

TEST(ListWindows, RegisteredWindowsStartWithTheirDesignCaptions) {
    registerListForms();
    for (const char* name : {"frmDBList", "frmDBListPrint", "frmDBListPact"}) {
        std::unique_ptr<QWidget> w(FormFactory::create(QString::fromLatin1(name).toLower()));
        ASSERT_TRUE(w) << name;
        EXPECT_NE(dynamic_cast<IListWindow*>(w.get()), nullptr) << name;
        EXPECT_EQ(w->windowTitle(), QStringLiteral("数据浏览"));
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lbFormName"))->text(),
                  QStringLiteral("数据显示窗口"));
        EXPECT_NE(w->findChild<DataGrid*>(QStringLiteral("dbView")), nullptr);
    }
}

TEST(ListWindows, EachWindowLoadsWhenShown) {
    TestDatabase tdb;
    frmDBList list;
    frmDBListPrint print;
    frmDBListPact pact;
    for (IListWindow* w : std::initializer_list<IListWindow*>{&list, &print, &pact})
        w->setListParams(moduleList());
    for (QWidget* w : std::initializer_list<QWidget*>{&list, &print, &pact})
        w->show();
    QApplication::processEvents();
    expectLoaded(list, tdb.db());
    expectLoaded(print, tdb.db());
    expectLoaded(pact, tdb.db());

    // The caption rule of the generic lists, the width list of the customer list.
    EXPECT_EQ(list.dbView->ColWidth(1), qRound(list.dbView->grid().captionWidth(1) * 2.8));
    EXPECT_EQ(pact.dbView->ColWidth(1), 3000);
    // The customer list puts the cursor on its first row and selects it.
    EXPECT_EQ(pact.dbView->Row(), 1);
    EXPECT_TRUE(pact.dbView->IsSelected(1));
}

TEST(ListWindows, ActivationAmongChildWindowsReloads) {
    TestDatabase tdb;
    QMdiArea area;
    auto* list = new frmDBList;
    list->setListParams(moduleList());
    QMdiSubWindow* listSub = area.addSubWindow(list);
    auto* other = new frmDBListPrint;
    other->setListParams(moduleList());
    QMdiSubWindow* otherSub = area.addSubWindow(other);
    area.show();
    listSub->show();
    otherSub->show();
    QApplication::setActiveWindow(&area);
    area.setActiveSubWindow(listSub);
    QApplication::processEvents();
    const int before = list->dbView->Rows();
    ASSERT_EQ(before, moduleCount(tdb.db()) + 1);

    ASSERT_TRUE(tdb.db().ExecSQL(
        QStringLiteral("insert into manage_module (name, isdel, flag) values ('新模块', 0, 0)")));
    list->cmbSearch->setCurrentIndex(-1);
    area.setActiveSubWindow(otherSub);
    QApplication::processEvents();
    EXPECT_EQ(list->dbView->Rows(), before);
    area.setActiveSubWindow(listSub);
    QApplication::processEvents();
    EXPECT_EQ(list->dbView->Rows(), before + 1);
    EXPECT_EQ(list->cmbSearch->currentIndex(), 0);
}

TEST(ListWindows, ButtonsFollowTheOperatorsRightsOnTheCaptionAtEveryLoad) {
    struct Case {
        const char* who;
        QStringList permissions; // on "模块名称", for the clerk
        bool add, del, edit, exportExcel;
    };
    const QList<Case> cases = {
        {"veziz", {}, true, true, true, true},
        {"clerk", {"添加", "导出excel"}, true, false, false, true},
        {"clerk", {"删除", "修改"}, false, true, true, false},
        {"clerk", {"管理"}, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.who, c.permissions.join(',')).toStdString());
        TestDatabase tdb;
        MessageRecorder messages;
        const bool builtIn = QLatin1String(c.who) == QLatin1String("veziz");
        if (!builtIn)
            addClerk(tdb.db(), c.permissions);
        CurrentOperator op(tdb.db(), QString::fromLatin1(c.who), builtIn ? "123456" : "pw");
        frmDBList list;
        frmDBListPrint print;
        frmDBListPact pact;
        for (ListWindowBase* w : std::initializer_list<ListWindowBase*>{&list, &print, &pact}) {
            w->setListParams(moduleList());
            w->loadList();
            EXPECT_FALSE(w->btnSearch->isHidden());
        }
        for (auto [add, del, edit, browse] :
             {std::tuple{list.btnAdd, list.btnDel, list.btnEdit, list.btnList},
              std::tuple{pact.btnAdd, pact.btnDel, pact.btnEdit, pact.btnList}}) {
            EXPECT_EQ(!add->isHidden(), c.add);
            EXPECT_EQ(!del->isHidden(), c.del);
            EXPECT_EQ(!edit->isHidden(), c.edit);
            EXPECT_FALSE(browse->isHidden());
        }
        EXPECT_EQ(!pact.btnExport->isHidden(), c.exportExcel);
        EXPECT_FALSE(print.btnExport->isHidden()); // the query list consults no rights
    }

    // The rights are asked again at each load, under the caption the window has then.
    TestDatabase tdb;
    MessageRecorder messages;
    addClerk(tdb.db(), {"添加"});
    CurrentOperator op(tdb.db(), QStringLiteral("clerk"), QStringLiteral("pw"));
    frmDBList list;
    list.setListParams(moduleList());
    list.loadList();
    EXPECT_FALSE(list.btnAdd->isHidden());
    ListWindowParams other = moduleList();
    other.caption = QStringLiteral("部门设置");
    list.setListParams(other);
    list.loadList();
    EXPECT_TRUE(list.btnAdd->isHidden());
}

// A list whose query or rights query fails says so with the description, and the window stays usable:
// the next load after the cause has gone fills the grid.
TEST(ListWindows, AFailingLoadIsReportedAndTheWindowStaysUsable) {
    struct Case {
        const char* what;
        const char* breakSql;   // makes the load fail
        const char* repairSql;  // undoes it
        const char16_t* reason; // in the message
    };
    const Case cases[] = {
        {"list query", "alter table manage_module rename to manage_module_gone",
         "alter table manage_module_gone rename to manage_module", u"no such table: manage_module"},
        {"rights query", "drop view manage_user_roleview", nullptr, u"no such table: manage_user_roleview"},
    };
    for (const Case& c : cases) {
        TestDatabase tdb;
        MessageRecorder messages;
        addClerk(tdb.db(), {"添加"});
        CurrentOperator op(tdb.db(), QStringLiteral("clerk"), QStringLiteral("pw"));
        frmDBList list;
        frmDBListPrint print;
        frmDBListPact pact;
        ASSERT_TRUE(tdb.db().ExecSQL(QString::fromUtf8(c.breakSql)));
        for (ListWindowBase* w : std::initializer_list<ListWindowBase*>{&list, &print, &pact}) {
            SCOPED_TRACE(std::string(c.what) + " in " + w->objectName().toStdString());
            auto* add = w->findChild<QPushButton*>(QStringLiteral("btnAdd"));
            const bool asksRights = add != nullptr; // the query list consults no rights
            if (!c.repairSql && !asksRights)
                continue;
            messages.clear();
            w->setListParams(moduleList());
            w->loadList();
            ASSERT_EQ(messages.messages().size(), 1);
            EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("数据提取失败！（")))
                << messages.last().text.toStdString();
            EXPECT_TRUE(messages.last().text.contains(QString::fromUtf16(c.reason)))
                << messages.last().text.toStdString();
            EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
            if (!c.repairSql) {
                // A right that cannot be read is neither granted nor taken for refused: the button
                // stands disabled, and the message says why.
                EXPECT_FALSE(add->isHidden());
                EXPECT_FALSE(add->isEnabled());
                EXPECT_TRUE(messages.last().text.contains(QStringLiteral("不能读取您的操作权限")));
            }
        }
        if (!c.repairSql)
            continue;
        ASSERT_TRUE(tdb.db().ExecSQL(QString::fromUtf8(c.repairSql)));
        for (ListWindowBase* w : std::initializer_list<ListWindowBase*>{&list, &print, &pact}) {
            messages.clear();
            w->loadList();
            EXPECT_TRUE(messages.empty()) << messages.texts().join(u'|').toStdString();
            EXPECT_EQ(w->dbView->Rows(), moduleCount(tdb.db()) + 1);
        }
        EXPECT_FALSE(list.btnAdd->isHidden());
    }
}

// The database file gone while the program runs: a list opened then reports it and makes no new file.
TEST(ListWindows, AMissingDatabaseFileIsReportedAndNotMadeAnew) {
    TestDatabase tdb;
    MessageRecorder messages;
    tdb.db().CloseDatabase();
    ASSERT_TRUE(QFile::remove(tdb.file()));
    frmDBListPact pact;
    pact.setListParams(moduleList());
    pact.loadList();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("不存在")))
        << messages.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(tdb.file()));
    EXPECT_EQ(pact.dbView->Rows(), 1);
}

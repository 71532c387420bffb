// The main window: menus, the navigation panel, child windows, log-off and exit.
#include "shell/MDIMain.h"
#include "core/AppInfo.h"
#include "core/Globals.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "shell/ApplicationShell.h"
#include "shell/CloseAllChildForms.h"
#include "shell/frmBBS.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// A child window that refuses to close.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

class MDIMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMDB = &m_db.db();
        m_app = std::make_unique<clsApp>(m_db.db());
        gApp = m_app.get();
        ASSERT_TRUE(m_app->CheckUserPassword(QStringLiteral("veziz"), QStringLiteral("123456")));
        m_main = std::make_unique<MDIMain>();
        gMDIMain = m_main.get();
    }
    void TearDown() override {
        m_main.reset();
        gMDIMain = nullptr;
        gApp = nullptr;
        gMDB = nullptr;
    }

    QMdiSubWindow* openChild(const QString& caption) {
        auto* window = new QWidget;
        window->setWindowTitle(caption);
        m_main->showChild(window);
        return m_main->mdiArea()->subWindowList(QMdiArea::CreationOrder).last();
    }
    qsizetype childCount() const { return m_main->mdiArea()->subWindowList().size(); }

    TestDatabase m_db;
    std::unique_ptr<clsApp> m_app;
    std::unique_ptr<MDIMain> m_main;
};

TEST_F(MDIMainTest, MenusCarryTheirCaptionsAndStates) {
    const struct {
        const char* name;
        const char* caption;
        bool visible;
    } items[] = {
        {"mnu_parm", "操作", true},
        {"mnu_parm_user", "注销用户", true},
        {"mnu_system_ll", "", true},
        {"mnu_parm_con", "修改密码", true},
        {"mnu_system_l", "", true},
        {"mnu_parm_bak", "备份数据", true},
        {"mnu_system_lll", "", true},
        {"mnu_system_exit", "退出系统", true},
        {"mnu_report", "菜单", true},
        {"mnu_report_List", "菜单目录", true},
        {"menu_clear_tempfile", "删除临时文件", false},
        {"mnu_Sync", "辅助", false},
        {"mnu_Sync_DownLoad", "数据下载", true},
        {"mnu_Sync_UpLoad", "数据上传", true},
        {"mnu_Sync_structure", "同步数据结构", true},
        {"mnu_Sync_Log", "数据同步日志", true},
        {"mnu_Windows", "窗口", true},
        {"mnu_Windows_LayH", "水平平铺", true},
        {"mnu_Windows_LayV", "垂直平铺", true},
        {"mnu_Windows_LayC", "层叠", true},
        {"mnu_Windows_LayA", "排列图标", true},
        {"mnu_Windows_bar1", "", true},
        {"mnu_Windows_CloseAll", "全部关闭", true},
        {"mnu_Help", "帮助", true},
        {"mnu_About", "关于", true},
        {"mnu_question", "意见反馈", true},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.name);
        QAction* action = m_main->menuAction(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(action->isVisible(), item.visible);
        EXPECT_EQ(action->isSeparator(), *item.caption == 0);
    }
    EXPECT_TRUE(m_main->menuAction("mnu_report_List")->isChecked());
    // The menu bar's order: 操作, 菜单, 辅助 (hidden), 窗口, 帮助, then 意见反馈 as an item of its own.
    QStringList bar;
    for (QAction* action : m_main->menuBar()->actions())
        bar << action->text();
    EXPECT_EQ(bar, (QStringList{"操作", "菜单", "辅助", "窗口", "帮助", "意见反馈"}));
    EXPECT_EQ(m_main->menuAction("mnu_question")->menu(), nullptr);
}

TEST_F(MDIMainTest, ToolbarButtonsActOnTheTree) {
    QStringList keys, texts;
    for (QAction* action : m_main->tblReportHead()->actions()) {
        keys << action->objectName();
        texts << action->text();
    }
    EXPECT_EQ(keys, (QStringList{"EXEC", "ADD", "MINUS", "REFREASH", "EXITSYS"}));
    EXPECT_EQ(texts, (QStringList{"执行报表", "展开", "收缩", "", ""}));
    // The captions stand under their pictures, and at the panel's design width every button is there
    // to click: the row wraps rather than hiding buttons.
    m_main->show();
    QCoreApplication::processEvents();
    const QList<QToolButton*> tools = m_main->tblReportHead()->findChildren<QToolButton*>();
    ASSERT_EQ(tools.size(), 5);
    for (QToolButton* tool : tools) {
        EXPECT_TRUE(tool->isVisible()) << tool->objectName().toStdString();
        EXPECT_TRUE(m_main->tblReportHead()->rect().contains(tool->geometry()))
            << tool->objectName().toStdString();
        EXPECT_EQ(tool->toolButtonStyle(),
                  tool->text().isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    }

    QTreeWidget& tree = *m_main->trvReport();
    m_main->tblReportHead_ButtonClick(QStringLiteral("REFREASH"));
    ASSERT_GT(tree.topLevelItemCount(), 0);
    QList<QTreeWidgetItem*> all;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        all << *it;
    m_main->tblReportHead_ButtonClick(QStringLiteral("ADD"));
    for (QTreeWidgetItem* item : all)
        EXPECT_TRUE(item->isExpanded()) << item->text(0).toStdString();
    m_main->tblReportHead_ButtonClick(QStringLiteral("MINUS"));
    for (QTreeWidgetItem* item : all)
        EXPECT_FALSE(item->isExpanded()) << item->text(0).toStdString();
    m_main->tblReportHead_ButtonClick(QStringLiteral("NONE"));
}

TEST_F(MDIMainTest, PanelKeepsItsWidthBoundsAndToggles) {
    m_main->setWindowState(Qt::WindowNoState);
    m_main->resize(1200, 800);
    m_main->show();
    QSplitter& splitter = *m_main->splitter();
    QWidget& panel = *m_main->panReportList();
    EXPECT_EQ(panel.width(), 159); // 2385 twips
    splitter.setSizes({5000, 100});
    EXPECT_EQ(panel.width(), 354); // 5310 twips
    splitter.setSizes({10, 5000});
    EXPECT_EQ(panel.width(), 107); // 1600 twips, to the next pixel
    splitter.setSizes({200, 800});

    m_main->menuAction("mnu_report_List")->trigger(); // the user's click
    EXPECT_FALSE(m_main->menuAction("mnu_report_List")->isChecked());
    EXPECT_FALSE(m_main->panReportList()->isVisible());
    EXPECT_FALSE(m_main->trvReport()->isVisible());
    m_main->mnu_report_List_Click();
    EXPECT_TRUE(m_main->menuAction("mnu_report_List")->isChecked());
    EXPECT_TRUE(m_main->tblReportHead()->isVisible());
    EXPECT_EQ(panel.width(), 200);
}

TEST_F(MDIMainTest, WindowsMenuListsAndArrangesTheChildren) {
    m_main->show();
    openChild(QStringLiteral("管理提醒"));
    QMdiSubWindow* second = openChild(QStringLiteral("头衔"));
    QMenu* windows = m_main->menuAction("mnu_Windows")->menu();
    auto listed = [&] {
        emit windows->aboutToShow();
        QStringList texts;
        for (QAction* action : windows->actions())
            if (action->objectName() == "mnu_Windows_List")
                texts << action->text() + (action->isChecked() ? "*" : "");
        return texts;
    };
    EXPECT_EQ(listed(), (QStringList{"&1 管理提醒", "&2 头衔*"}));
    second->close();
    EXPECT_EQ(listed(), (QStringList{"&1 管理提醒*"}));

    openChild(QStringLiteral("用户管理"));
    const QRect area = m_main->mdiArea()->viewport()->rect();
    m_main->Arrange(1);
    QList<QMdiSubWindow*> shown = m_main->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0]->width(), area.width());
    EXPECT_EQ(shown[1]->width(), area.width());
    EXPECT_NE(shown[0]->y(), shown[1]->y());
    m_main->Arrange(2);
    EXPECT_EQ(shown[0]->height(), area.height());
    EXPECT_NE(shown[0]->x(), shown[1]->x());
}

TEST_F(MDIMainTest, CloseAllChildFormsLeavesTheMainWindow) {
    m_main->show();
    CloseAllChildForms();
    EXPECT_TRUE(m_main->isVisible());

    openChild(QStringLiteral("管理提醒"));
    auto* stubborn = new StubbornWindow;
    stubborn->setWindowTitle(QStringLiteral("头衔"));
    m_main->showChild(stubborn);
    openChild(QStringLiteral("用户管理"));
    m_main->mnu_Windows_CloseAll_Click();
    // The window that refuses stays; the others are gone.
    const QList<QMdiSubWindow*> left = m_main->mdiArea()->subWindowList();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first()->widget(), stubborn);
    EXPECT_TRUE(m_main->isVisible());
}

TEST_F(MDIMainTest, LogOffClosesChildrenAndRebuildsForTheNewOperator) {
    clsMDB& db = m_db.db();
    ASSERT_TRUE(db.ExecSQL(
        "INSERT INTO manage_user (muid,userid,name,pwd,mdid,isdel,flag) VALUES (2,'zhang','张三',?,"
        "1,0,0)",
        {enCodeValue(QStringLiteral("pw"))}));
    ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_module_roleName (pmrid,name) VALUES (7,'头衔维护')"));
    ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_module_role (mmid,mrid,pmrid) SELECT m.mmid,r.mrid,7 FROM "
                           "manage_module m, manage_role r WHERE m.name='头衔' AND r.name='添加'"));
    ASSERT_TRUE(db.ExecSQL("INSERT INTO manage_user_rolename (muid,pmrid) VALUES (2,7)"));
    ApplicationShell::LoadReportList(*m_app, *m_main->trvReport());
    ApplicationShell::InitStatusBar(*m_app, *m_main->statusBar());
    openChild(QStringLiteral("管理提醒"));
    openChild(QStringLiteral("头衔"));

    int logins = 0;
    ScopedHook<int(QDialog&)> login(ModalRunner::handler(), [&](QDialog& dialog) {
        auto* form = qobject_cast<frmLogin*>(&dialog);
        if (!form)
            return int(QDialog::Rejected);
        ++logins;
        // Children are closed before the login dialog comes.
        EXPECT_EQ(childCount(), 0);
        form->txtUserName()->setText(QStringLiteral("zhang"));
        form->txtPassWord()->setText(QStringLiteral("pw"));
        form->cmdOK_Click(0);
        return int(QDialog::Accepted);
    });
    MessageRecorder messages;
    m_main->mnu_parm_user_Click();
    EXPECT_EQ(logins, 1);
    EXPECT_TRUE(messages.empty()) << messages.texts().join(" / ").toStdString();
    EXPECT_EQ(childCount(), 0);
    QTreeWidget& tree = *m_main->trvReport();
    EXPECT_EQ(tree.findItems(QStringLiteral("头衔"), Qt::MatchExactly | Qt::MatchRecursive).size(), 1);
    EXPECT_TRUE(tree.findItems(QStringLiteral("用户管理"), Qt::MatchExactly | Qt::MatchRecursive).isEmpty());
    auto* panel = m_main->statusBar()->findChild<QLabel*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), "用户：张三");
}

TEST_F(MDIMainTest, PasswordAndBackupOpenTheirDialogsModally) {
    MessageRecorder messages;
    m_main->mnu_parm_con_Click();
    m_main->mnu_parm_bak_Click();
    EXPECT_EQ(messages.texts(), (QStringList{"窗口“frmAdd_UserPwd”尚未安装，暂时不能打开。",
                                             "窗口“frmBackData”尚未安装，暂时不能打开。"}));

    QStringList ran;
    ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& dialog) {
        ran << dialog.objectName();
        return int(QDialog::Accepted);
    });
    for (const QString& name : {QStringLiteral("frmAdd_UserPwd"), QStringLiteral("frmBackData")})
        FormFactory::registerForm(name, [name] {
            auto* dialog = new QDialog;
            dialog->setObjectName(name);
            return dialog;
        });
    m_main->mnu_parm_con_Click();
    m_main->mnu_parm_bak_Click();
    // The feedback window is one instance, shown modally each time.
    m_main->mnu_question_Click();
    m_main->mnu_question_Click();
    for (const QString& name : {QStringLiteral("frmAdd_UserPwd"), QStringLiteral("frmBackData")})
        FormFactory::registerForm(name, [] { return nullptr; });
    EXPECT_EQ(ran, (QStringList{"frmAdd_UserPwd", "frmBackData", "frmBBS", "frmBBS"}));
    EXPECT_EQ(messages.messages().size(), 2);
}

TEST_F(MDIMainTest, ExitAndCloseEmptyTheTemporaryFolder) {
    const QString temp = AppInfo::tempFolder();
    ASSERT_TRUE(QDir().mkpath(temp));
    auto makeFile = [&](const QString& name) {
        QFile file(QDir(temp).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        file.setPermissions(QFileDevice::ReadOwner); // read-only goes too
    };
    makeFile(QStringLiteral("a.doc"));
    makeFile(QStringLiteral("b.xls"));
    m_main->show();
    openChild(QStringLiteral("管理提醒"));
    m_main->mnu_system_exit_Click();
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(childCount(), 0);
    EXPECT_FALSE(m_main->isVisible());

    // Closing the window by its close box does the same.
    auto second = std::make_unique<MDIMain>();
    gMDIMain = second.get();
    second->show();
    makeFile(QStringLiteral("c.txt"));
    second->close();
    EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
    gMDIMain = m_main.get();
}

} // namespace

namespace {

// An exit whose clean-up cannot run says why and still ends.
TEST_F(MDIMainTest, ExitTellsWhyTheTemporaryFolderCouldNotBeEmptied) {
    QFile notAFolder(AppInfo::tempFolder());
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    MessageRecorder messages;
    m_main->show();
    openChild(QStringLiteral("管理提醒"));
    m_main->mnu_system_exit_Click();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QDir::toNativeSeparators(AppInfo::tempFolder())));
    EXPECT_EQ(messages.last().icon, MsgIcon::Information);
    EXPECT_EQ(messages.last().title, AppInfo::AppTitle); // the program's default title
    EXPECT_EQ(childCount(), 0);
    EXPECT_FALSE(m_main->isVisible());
}

} // namespace

// A failing query during the tree toolbar's reload, a log-off or a tree rebuild is shown with its
// description; the program goes on and the window stays usable.
#include "core/Globals.h"
#include "core/ProgramEnd.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "shell/ApplicationShell.h"
#include "shell/MDIMain.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/ModalRunner.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

QStringList treeTexts(const QTreeWidget& tree) {
    QStringList texts;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

// Breaks the database as a case says: a statement on the shared connection, or the file overwritten in
// place.
void breakDatabase(TestDatabase& t, const char* statement) {
    if (statement) {
        ASSERT_TRUE(t.db().ExecSQL(QString::fromUtf8(statement)));
        return;
    }
    QFile file(t.file());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(8192, '\x5a'));
    file.close();
}

class ErrorGuardsTest : public ::testing::Test {
protected:
    void SetUp() override {
        gMDB = &m_db.db();
        m_app = std::make_unique<clsApp>(m_db.db());
        gApp = m_app.get();
        ASSERT_TRUE(m_app->CheckUserPassword(QStringLiteral("veziz"), QStringLiteral("123456")));
        m_main = std::make_unique<MDIMain>();
        gMDIMain = m_main.get();
        ApplicationShell::LoadReportList(*m_app, *m_main->trvReport());
        m_before = treeTexts(*m_main->trvReport());
        ASSERT_GT(m_before.size(), 10);
    }
    void TearDown() override {
        m_main.reset();
        gMDIMain = nullptr;
        gApp = nullptr;
        gMDB = nullptr;
    }

    TestDatabase m_db;
    std::unique_ptr<clsApp> m_app;
    std::unique_ptr<MDIMain> m_main;
    QStringList m_before;
};

const struct BreakCase {
    const char* what;
    const char* statement; // null: the file overwritten with other bytes
    const char16_t* reason;
} breakCases[] = {
    {"customer types gone", "alter table customer_type rename to customer_type_gone",
     u"数据表不存在：no such table: customer_type"},
    {"permissions gone", "alter table manage_role rename to manage_role_gone",
     u"数据表不存在：no such table: manage_role"},
    {"file overwritten", nullptr, u"文件不是数据库，或者已经损坏"},
};

TEST_F(ErrorGuardsTest, AFailingReloadKeepsTheTreeAndSaysWhy) {
    for (const BreakCase& c : breakCases) {
        SCOPED_TRACE(c.what);
        TestDatabase t;
        gMDB = &t.db();
        clsApp app(t.db());
        gApp = &app;
        ASSERT_TRUE(app.CheckUserPassword(QStringLiteral("veziz"), QStringLiteral("123456")));
        ApplicationShell::LoadReportList(app, *m_main->trvReport());
        MessageRecorder messages;
        breakDatabase(t, c.statement);
        for (const std::function<void()>& reload :
             {std::function<void()>([&] { m_main->tblReportHead_ButtonClick(QStringLiteral("REFREASH")); }),
              std::function<void()>(RebuildNavigationTree)}) {
            messages.clear();
            reload();
            ASSERT_EQ(messages.messages().size(), 1);
            EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("数据提取失败！（")));
            EXPECT_TRUE(messages.last().text.contains(QString::fromUtf16(c.reason)))
                << messages.last().text.toStdString();
            EXPECT_EQ(treeTexts(*m_main->trvReport()), m_before);
            EXPECT_TRUE(app.HaveReportRight(QStringLiteral("头衔")));
        }
        // Still usable: the toolbar's other buttons work on the tree.
        m_main->tblReportHead_ButtonClick(QStringLiteral("MINUS"));
        EXPECT_FALSE(m_main->trvReport()->topLevelItem(0)->isExpanded());
        gMDB = &m_db.db();
        gApp = m_app.get();
    }
}

// Log-off: the new operator never keeps the previous operator's tree or rights when they cannot be read.
TEST_F(ErrorGuardsTest, ALogOffWhoseTreeCannotBeReadLeavesNoTreeAndNoRights) {
    ASSERT_TRUE(m_db.db().ExecSQL(
        "INSERT INTO manage_user (muid,userid,name,pwd,mdid,isdel,flag) VALUES (2,'zhang','张三',?,1,0,0)",
        {enCodeValue(QStringLiteral("pw"))}));
    int logins = 0;
    ScopedHook<int(QDialog&)> login(ModalRunner::handler(), [&](QDialog& dialog) {
        auto* form = qobject_cast<frmLogin*>(&dialog);
        if (!form)
            return int(QDialog::Rejected);
        ++logins;
        form->txtUserName()->setText(QStringLiteral("zhang"));
        form->txtPassWord()->setText(QStringLiteral("pw"));
        form->cmdOK_Click(0);
        return int(QDialog::Accepted);
    });
    MessageRecorder messages;
    ASSERT_TRUE(m_db.db().ExecSQL("alter table manage_module_role rename to manage_module_role_gone"));
    m_main->mnu_parm_user_Click();
    EXPECT_EQ(logins, 1);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("no such table: manage_module_role")))
        << messages.last().text.toStdString();
    EXPECT_EQ(m_main->trvReport()->topLevelItemCount(), 0);
    EXPECT_FALSE(m_app->HaveReportRight(QStringLiteral("头衔")));
    auto* panel = m_main->statusBar()->findChild<QLabel*>(QStringLiteral("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), QStringLiteral("用户：张三"));
}

// A login check that the database cannot answer is shown, and the dialog comes again.
TEST_F(ErrorGuardsTest, ALoginCheckThatFailsIsShownAndTheDialogComesAgain) {
    int logins = 0;
    ScopedHook<int(QDialog&)> login(ModalRunner::handler(), [&](QDialog& dialog) {
        auto* form = qobject_cast<frmLogin*>(&dialog);
        if (!form)
            return int(QDialog::Rejected);
        if (++logins == 2) { // the cause has gone by the second try
            EXPECT_TRUE(m_db.db().ExecSQL("alter table manage_user_gone rename to manage_user"));
        }
        form->txtUserName()->setText(QStringLiteral("veziz"));
        form->txtPassWord()->setText(QStringLiteral("123456"));
        form->cmdOK_Click(0);
        return int(QDialog::Accepted);
    });
    MessageRecorder messages;
    ASSERT_TRUE(m_db.db().ExecSQL("alter table manage_user rename to manage_user_gone"));
    m_main->mnu_parm_user_Click();
    EXPECT_EQ(logins, 2);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("数据提取失败！（数据表不存在：no such table: manage_user）"));
    EXPECT_EQ(treeTexts(*m_main->trvReport()), m_before);
}

} // namespace

// Login: the dialog's keys and buttons, the user lookup and the operator's identity.
#include "core/Globals.h"
#include "core/ProgramEnd.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "shell/ApplicationShell.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/ModalRunner.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QString WrongEntry = QStringLiteral("你的“账号”或者“密码”输入错误，请重新输入！");

// Drives each showing of the login dialog with the next step; once the steps run out it cancels.
class LoginScript {
public:
    using Step = std::function<void(frmLogin&)>;

    explicit LoginScript(std::vector<Step> steps)
        : m_steps(std::move(steps)), m_hook(ModalRunner::handler(), [this](QDialog& dialog) {
              auto& login = static_cast<frmLogin&>(dialog);
              login.setResult(0);
              login.show();
              login.activateWindow();
              QCoreApplication::processEvents();
              if (m_shown < m_steps.size())
                  m_steps[m_shown](login);
              else
                  QTest::mouseClick(login.cmdOK(1), Qt::LeftButton);
              ++m_shown;
              return login.result();
          }) {}

    std::size_t shown() const { return m_shown; }

private:
    std::vector<Step> m_steps;
    std::size_t m_shown = 0;
    ScopedHook<int(QDialog&)> m_hook;
};

LoginScript::Step typeAndClickOK(const QString& userId, const QString& password) {
    return [=](frmLogin& login) {
        login.txtUserName()->setText(userId);
        login.txtPassWord()->setText(password);
        QTest::mouseClick(login.cmdOK(0), Qt::LeftButton);
    };
}

class LoginTest : public ::testing::Test {
protected:
    TestDatabase database;
    MessageRecorder messages;
    clsApp app{database.db()};
    std::vector<int> programEnds;
    ScopedHook<void(int)> endHook{ProgramEnd::handler(), [this](int code) { programEnds.push_back(code); }};

    void SetUp() override { gLoginName.clear(); }
};

TEST_F(LoginTest, UserIdInOtherLetterCaseLogsInAndSetsTheIdentity) {
    LoginScript script({typeAndClickOK(QStringLiteral("  VeZiz "), QStringLiteral(" 123456 "))});
    ASSERT_TRUE(ApplicationShell::UserLogin(app));
    EXPECT_EQ(script.shown(), 1u);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
    EXPECT_TRUE(programEnds.empty());
    EXPECT_EQ(app.operatorID(), 1);
    EXPECT_EQ(app.OperatorName(), QStringLiteral("veziz"));
    EXPECT_EQ(app.LoginName(), QStringLiteral("VeZiz")); // as typed, trimmed
    EXPECT_EQ(gLoginName, QStringLiteral("VeZiz"));
    EXPECT_EQ(app.DepartmentID(), 1);
    EXPECT_EQ(app.DepartmentName(), QStringLiteral("公司部门"));
    EXPECT_EQ(app.AreaID(), 0);
    EXPECT_TRUE(app.AreaName().isEmpty());
}

TEST_F(LoginTest, WrongPasswordShowsTheDialogAgainWithTheEntriesKept) {
    LoginScript script({
        [](frmLogin& login) {
            EXPECT_TRUE(login.txtUserName()->text().isEmpty());
            EXPECT_TRUE(login.txtPassWord()->text().isEmpty());
            EXPECT_EQ(login.focusWidget(), login.txtUserName());
            QTest::keyClicks(login.txtUserName(), QStringLiteral("veziz"));
            QTest::keyClick(login.txtUserName(), Qt::Key_Return); // moves on, does not confirm
            EXPECT_TRUE(login.isVisible());
            EXPECT_EQ(login.focusWidget(), login.txtPassWord());
            QTest::keyClicks(login.txtPassWord(), QStringLiteral("654321"));
            QTest::keyClick(login.txtPassWord(), Qt::Key_Return); // confirms
        },
        [this](frmLogin& login) {
            EXPECT_EQ(messages.texts(), QStringList{WrongEntry});
            EXPECT_EQ(messages.last().icon, MsgIcon::Information);
            EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
            EXPECT_EQ(login.txtUserName()->text(), QStringLiteral("veziz"));
            EXPECT_EQ(login.txtPassWord()->text(), QStringLiteral("654321"));
            EXPECT_EQ(login.focusWidget(), login.txtUserName());
            login.txtPassWord()->setText(QStringLiteral("123456"));
            QTest::keyClick(login.txtPassWord(), Qt::Key_Enter);
        },
    });
    ASSERT_TRUE(ApplicationShell::UserLogin(app));
    EXPECT_EQ(script.shown(), 2u);
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(app.operatorID(), 1);
}

TEST_F(LoginTest, BlankUserIdIsRefusedAndAnEmptyPasswordIsComparedLikeAnyOther) {
    ASSERT_TRUE(
        database.db().ExecSQL("insert into manage_user (userid,name,pwd,mdid) values ('nopass',NULL,?,1)",
                              {enCodeValue(QString())}));
    LoginScript script({[this](frmLogin& login) {
        login.txtUserName()->setText(QStringLiteral("   "));
        QTest::mouseClick(login.cmdOK(0), Qt::LeftButton);
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("请输入账号和密码！")});
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_TRUE(login.isVisible());
        EXPECT_EQ(login.result(), 0);
        EXPECT_EQ(login.focusWidget(), login.txtUserName());
        login.txtUserName()->setText(QStringLiteral("nopass"));
        QTest::mouseClick(login.cmdOK(0), Qt::LeftButton);
    }});
    ASSERT_TRUE(ApplicationShell::UserLogin(app));
    EXPECT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(app.OperatorName(), QStringLiteral(" ")); // name is Null
    EXPECT_EQ(app.LoginName(), QStringLiteral("nopass"));
}

TEST_F(LoginTest, CancelAndEscapeEndTheProgram) {
    struct Case {
        const char* what;
        std::function<void(frmLogin&)> step;
    };
    const std::vector<Case> cases{
        {"Cancel button", [](frmLogin& l) { QTest::mouseClick(l.cmdOK(1), Qt::LeftButton); }},
        {"Escape in the user id", [](frmLogin& l) { QTest::keyClick(l.txtUserName(), Qt::Key_Escape); }},
        {"Escape in the password", [](frmLogin& l) { QTest::keyClick(l.txtPassWord(), Qt::Key_Escape); }},
        {"Escape on OK", [](frmLogin& l) { QTest::keyClick(l.cmdOK(0), Qt::Key_Escape); }},
        {"Escape on Cancel", [](frmLogin& l) { QTest::keyClick(l.cmdOK(1), Qt::Key_Escape); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        programEnds.clear();
        qint16 flag = -1;
        LoginScript script({[&](frmLogin& login) {
            login.txtUserName()->setText(QStringLiteral("veziz"));
            login.txtPassWord()->setText(QStringLiteral("123456"));
            c.step(login);
            flag = login.flag();
            EXPECT_FALSE(login.isVisible());
        }});
        EXPECT_FALSE(ApplicationShell::UserLogin(app));
        EXPECT_EQ(script.shown(), 1u);
        EXPECT_EQ(flag, 0);
        EXPECT_EQ(programEnds, std::vector<int>{0});
        EXPECT_EQ(app.operatorID(), 0); // nobody logged in
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(LoginTest, CraftedUserIdsLogNobodyIn) {
    const QString ids[] = {QStringLiteral("veziz'"), QStringLiteral("x' or '1'='1"),
                           QStringLiteral("' or 1=1 --"), QStringLiteral("veziz' --")};
    for (const QString& id : ids) {
        SCOPED_TRACE(id.toStdString());
        messages.clear();
        bool answer = true;
        EXPECT_NO_THROW(answer = app.CheckUserPassword(id, QStringLiteral("123456")));
        EXPECT_FALSE(answer);
        EXPECT_EQ(messages.texts(), QStringList{WrongEntry});
        EXPECT_EQ(app.operatorID(), 0);
    }
    EXPECT_TRUE(programEnds.empty());
}

} // namespace

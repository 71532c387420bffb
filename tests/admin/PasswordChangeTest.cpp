#include "admin/frmAdd_UserPwd.h"
#include "core/Globals.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "tests/admin/AdminTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PasswordChangeTest : public AdminTest {
protected:
    void SetUp() override {
        gLoginName = QStringLiteral("zhang");
        insert("insert into manage_user (userid,name,pwd,mdid,isdel,flag) values ('zhang','张三',?,1,0,0)",
               {enCodeValue("old")});
    }
    void TearDown() override { gLoginName.clear(); }

    std::unique_ptr<frmAdd_UserPwd> open() {
        auto dialog = std::make_unique<frmAdd_UserPwd>();
        dialog->show();
        dialog->activateWindow();
        QApplication::processEvents();
        return dialog;
    }
    static void fill(frmAdd_UserPwd& dialog, const QString& old, const QString& new1, const QString& new2) {
        dialog.txtOldPwd()->setText(old);
        dialog.txtNewPwd1()->setText(new1);
        dialog.txtNewPwd2()->setText(new2);
    }
};

TEST_F(PasswordChangeTest, ChecksTellWhatIsWrongAndWhereToType) {
    struct Case {
        QString old, new1, new2, message, focus;
    };
    const QList<Case> cases{
        {" ", "a", "a", "请输入以前的密码!", "txtOldPwd"},
        {"old", "  ", "a", "请输入新密码!", "txtNewPwd1"},
        {"old", "a", "", "请输入确认新密码!", "txtNewPwd2"},
        {"old", "123456789", "123456789", "密码长度不能超过8位,请重新输入!", "txtNewPwd2"},
        {"old", "abc", "abd", "新密码两次输入不正确!请重新输入!", "txtNewPwd1"},
        {"wrong", "abc", "abc", "旧密码错误!请重新输入!", "txtNewPwd2"},
    };
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("修改个人密码"));
    EXPECT_EQ(dialog->txtUserName()->text(), QStringLiteral("zhang"));
    EXPECT_TRUE(dialog->txtUserName()->isReadOnly());
    EXPECT_TRUE(dialog->btnSave()->isDefault());
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("txtOldPwd"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        fill(*dialog, c.old, c.new1, c.new2);
        dialog->txtNewPwd2()->setFocus(); // where the user typed last
        dialog->btnSave_Click();
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        ASSERT_TRUE(QApplication::focusWidget());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), c.focus);
        EXPECT_TRUE(dialog->isVisible());
        messages.clear();
    }
    EXPECT_EQ(value("select pwd from manage_user where userid='zhang'"), enCodeValue("old"));
}

TEST_F(PasswordChangeTest, EnterSavesAndTheNewPasswordLogsIn) {
    // Eight characters with blanks around them; the built-in account has a row of its own.
    auto dialog = open();
    fill(*dialog, " old ", " 12345678", "12345678 ");
    // Escape does not close it.
    QTest::keyClick(dialog->txtNewPwd2(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages.empty());
    QTest::keyClick(dialog->txtNewPwd2(), Qt::Key_Return);
    EXPECT_EQ(takeMessages(), QStringList{"修改密码成功!"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(value("select pwd from manage_user where userid='veziz'"), enCodeValue("123456"));

    clsApp app(db);
    EXPECT_TRUE(app.CheckUserPassword("zhang", "12345678"));
    EXPECT_FALSE(app.CheckUserPassword("zhang", "old"));
}

TEST_F(PasswordChangeTest, AFailedUpdateKeepsTheOldPasswordAndTheDialog) {
    failWhen("UPDATE", "manage_user", "OLD.userid = 'zhang'");
    auto dialog = open();
    fill(*dialog, "old", "new", "new");
    dialog->btnSave_Click();
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误提示"));
    EXPECT_EQ(messages.last().text, QStringLiteral("修改密码失败请重新修改!"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->txtNewPwd1()->text(), QStringLiteral("new"));
    EXPECT_EQ(value("select pwd from manage_user where userid='zhang'"), enCodeValue("old"));

    // An account whose row is gone: the lookup finds nothing.
    messages.clear();
    gLoginName = QStringLiteral("gone");
    auto other = open();
    fill(*other, "old", "new", "new");
    other->btnSave_Click();
    EXPECT_EQ(takeMessages(), QStringList{"旧密码错误!请重新输入!"});

    // A failing lookup.
    ASSERT_TRUE(db.ExecSQL("alter table manage_user rename to manage_user_moved"));
    other->btnSave_Click();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("添加失败！错误描述:【数据表不存在：no such table")));
    EXPECT_TRUE(messages.last().text.endsWith(QStringLiteral("】")));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(other->isVisible());
}

} // namespace

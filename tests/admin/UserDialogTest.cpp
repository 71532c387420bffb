#include "admin/frmAdd_User.h"
#include "core/AppInfo.h"
#include "core/enCode.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/admin/AdminTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class UserDialogTest : public AdminTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (2,'销售部','',1)"));
        zhang = QString::number(insert("insert into manage_user (userid,name,pwd,mdid,isdel,flag) values "
                                       "('zhang','张三',?,2,0,0)",
                                       {enCodeValue("secret")}));
    }

    std::unique_ptr<frmAdd_User> editing(const QString& muid, RecordMode mode = RecordMode::Edit) {
        return shown<frmAdd_User>(mode, QStringLiteral("SELECT * from manage_user_view where muid=") + muid);
    }
    static void fill(frmAdd_User& dialog, const QString& name, const QString& department,
                     const QString& account, const QString& password, const QString& confirmation) {
        dialog.txtUser()->setText(name);
        if (!department.isEmpty())
            dialog.cmb_dptName()->locate(department);
        dialog.txtUserid()->setText(account);
        dialog.txtPwd()->setText(password);
        dialog.txtPwd1()->setText(confirmation);
    }
    QString row(const QString& muid) {
        return column("select userid||'|'||name||'|'||coalesce(pwd,'<null>')||'|'||mdid from manage_user "
                      "where muid=?",
                      {muid.toLongLong()})
            .value(0);
    }

    QString zhang;
};

TEST_F(UserDialogTest, ChecksStopAtTheFirstFailure) {
    struct Case {
        QString name, department, account, password, confirmation, message;
    };
    const QString nine = QStringLiteral("123456789");
    const QList<Case> cases{
        {" ", "销售部", "li", "1", "1", "请输入用户名称!"},
        {"李四", "", "li", "1", "1", "请选择部门名称!"},
        {"李四", "请选择", "", "", "", "请选择部门名称!"},
        {"李四", "销售部", "  ", "1", "1", "请输入帐号!"},
        {"李四", "销售部", "li", "   ", "1", "请输入密码!"},
        {"李四", "销售部", "li", nine, nine, "密码长度不能超过8位,请重新输入!"},
        {"李四", "销售部", "li", "12345678", "1234567", "两次输入的密码不正确!"},
        {"李四", "销售部", "ZHANG", "1", "1", "帐号或姓名已经存在!请重新输入!"},
        {"张三", "销售部", "li", "1", "1", "帐号或姓名已经存在!请重新输入!"},
    };
    const QString users = value("select count(*) from manage_user");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        auto dialog = shown<frmAdd_User>(RecordMode::Add);
        fill(*dialog, c.name, c.department, c.account, c.password, c.confirmation);
        dialog->btnSave_Click();
        ASSERT_EQ(messages.messages().size(), 1);
        EXPECT_EQ(messages.last().text, c.message);
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_TRUE(dialog->isVisible());
        messages.clear();
    }
    EXPECT_EQ(value("select count(*) from manage_user"), users);
}

TEST_F(UserDialogTest, AddStoresTheDigestOfTheTrimmedPassword) {
    struct Case {
        QString account, name, password;
    };
    // Eight characters are accepted; an account equal to another user's name is no duplicate.
    const QList<Case> cases{{"li", "李四", " abc "},
                            {"wang", "王五", "12345678"},
                            {"张三", "赵六", "x"},
                            {"o'neil", "O'Neil 😀", "p'q"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.account.toStdString());
        auto dialog = shown<frmAdd_User>(RecordMode::Add);
        fill(*dialog, c.name, "销售部", c.account, c.password, c.password.trimmed());
        dialog->btnSave_Click();
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(value("select name||'|'||pwd||'|'||mdid from manage_user where userid=?", {c.account}),
                  c.name + "|" + enCodeValue(c.password.trimmed()) + "|2");
    }
}

TEST_F(UserDialogTest, EditShowsTheDigestAndWritesAPasswordOnlyWhenItChanged) {
    auto dialog = editing(zhang);
    EXPECT_EQ(dialog->txtUser()->text(), QStringLiteral("张三"));
    EXPECT_EQ(dialog->txtUserid()->text(), QStringLiteral("zhang"));
    EXPECT_EQ(dialog->txtPwd()->text(), enCodeValue("secret"));
    EXPECT_EQ(dialog->txtPwd1()->text(), enCodeValue("secret"));
    EXPECT_EQ(dialog->txtPwd()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog->cmb_dptName()->GetValues(), QStringLiteral("2"));
    EXPECT_EQ(dialog->loadedKey(), zhang);
    EXPECT_FALSE(dialog->txtUserid()->isReadOnly());

    // Only the confirmation changed: refused.
    dialog->txtPwd1()->setText("other");
    dialog->btnSave_Click();
    EXPECT_EQ(takeMessages(), QStringList{"两次输入的密码不正确!"});

    // Untouched passwords (the 32-character digest) keep the stored digest; the own row is no duplicate.
    dialog->txtPwd1()->setText(dialog->txtPwd()->text());
    dialog->txtUser()->setText("张三丰");
    dialog->cmb_dptName()->locate("公司部门");
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(row(zhang), "zhang|张三丰|" + enCodeValue("secret") + "|1");

    // A changed password is stored as its digest.
    auto again = editing(zhang);
    again->txtPwd()->setText("new1");
    again->txtPwd1()->setText("new1");
    again->btnSave_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(row(zhang), "zhang|张三丰|" + enCodeValue("new1") + "|1");
}

TEST_F(UserDialogTest, ANullPasswordMustBeReplaced) {
    ASSERT_TRUE(db.ExecSQL("update manage_user set pwd=null, name=null where muid=?", {zhang.toLongLong()}));
    auto dialog = editing(zhang);
    EXPECT_EQ(dialog->txtPwd()->text(), QStringLiteral(" "));
    EXPECT_EQ(dialog->txtUser()->text(), QStringLiteral(" "));
    dialog->txtUser()->setText("张三");
    dialog->btnSave_Click();
    EXPECT_EQ(takeMessages(), QStringList{"请输入密码!"});
    dialog->txtPwd()->setText("abc");
    dialog->txtPwd1()->setText("abc");
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(row(zhang), "zhang|张三|" + enCodeValue("abc") + "|2");
}

TEST_F(UserDialogTest, TheBuiltInAccountKeepsItsAccountAndBrowseLocksEverything) {
    auto builtIn = editing("1");
    EXPECT_TRUE(builtIn->txtUserid()->isReadOnly());
    EXPECT_FALSE(builtIn->txtUser()->isReadOnly());
    EXPECT_FALSE(builtIn->txtPwd()->isReadOnly());
    EXPECT_TRUE(builtIn->btnSave()->isEnabled());
    // In any letter case.
    ASSERT_TRUE(db.ExecSQL("update manage_user set userid='VeZiZ' where muid=1"));
    EXPECT_TRUE(editing("1")->txtUserid()->isReadOnly());

    auto browsing = editing(zhang, RecordMode::Browse);
    for (QLineEdit* box :
         {browsing->txtUser(), browsing->txtUserid(), browsing->txtPwd(), browsing->txtPwd1()})
        EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(browsing->cmb_dptName()->Enabled());
    EXPECT_FALSE(browsing->btnSave()->isEnabled());
    EXPECT_TRUE(browsing->loadedKey().isEmpty());
}

TEST_F(UserDialogTest, AFailedWriteShowsBothMessagesAndKeepsTheDialogOpen) {
    failWhen("INSERT", "manage_user", "NEW.userid = 'boom'");
    failWhen("UPDATE", "manage_user", "NEW.userid = 'boom'");
    const QString before = row(zhang);
    for (RecordMode mode : {RecordMode::Add, RecordMode::Edit}) {
        auto dialog = mode == RecordMode::Add ? shown<frmAdd_User>(mode) : editing(zhang);
        fill(*dialog, "李四", "销售部", "boom", "1", "1");
        dialog->btnSave_Click();
        ASSERT_EQ(messages.messages().size(), 2);
        EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误提示"));
        EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！"));
        EXPECT_EQ(messages.last().icon, MsgIcon::None);
        EXPECT_EQ(messages.last().title, AppInfo::AppTitle);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->txtUserid()->text(), QStringLiteral("boom"));
        messages.clear();
    }
    EXPECT_EQ(row(zhang), before);
    EXPECT_EQ(value("select count(*) from manage_user where userid='boom'"), "0");
}

} // namespace

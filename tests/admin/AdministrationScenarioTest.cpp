#include "admin/frmAdd_Module.h"
#include "admin/frmAdd_RoleUser.h"
#include "admin/frmAdd_User.h"
#include "admin/frmAdd_UserPwd.h"
#include "admin/frmAdd_UserRole.h"
#include "admin/frmAdd_role.h"
#include "core/Globals.h"
#include "core/HasModuleRole.h"
#include "core/clsApp.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/admin/AdminTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

class AdministrationScenarioTest : public AdminTest {
protected:
    void TearDown() override { gLoginName.clear(); }

    void addName(NamedItemDialog& dialog, const QString& name) {
        dialog.setMode(RecordMode::Add);
        dialog.show();
        dialog.txtDptName()->setText(name);
        dialog.btnSave_Click();
        EXPECT_FALSE(dialog.isVisible()) << name.toStdString();
    }
};

TEST_F(AdministrationScenarioTest, AGrantMadeThroughTheDialogsShowsInTheUsersRights) {
    gLoginName = QStringLiteral("veziz");
    ASSERT_TRUE(db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (2,'人事部','',1)"));
    {
        frmAdd_Module module;
        addName(module, "审计");
        frmAdd_role permission;
        addName(permission, "添加审计");
    }
    {
        auto role = shown<frmAdd_RoleUser>(RecordMode::Add);
        role->txtDptName()->setText("用户管理员");
        const auto found = role->lvRole()->findItems("用户管理-->添加", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(role->lvRole()->findItems("审计-->添加审计", Qt::MatchExactly).size(), 1);
        found[0]->setSelected(true);
        role->btnAdd_Click();
        role->btnSave_Click();
        EXPECT_FALSE(role->isVisible());
    }
    {
        auto user = shown<frmAdd_User>(RecordMode::Add);
        user->txtUser()->setText("李四");
        user->cmb_dptName()->locate("人事部");
        user->txtUserid()->setText("li");
        user->txtPwd()->setText("pw1");
        user->txtPwd1()->setText("pw1");
        user->btnSave_Click();
        EXPECT_FALSE(user->isVisible());
    }
    {
        auto assignment = shown<frmAdd_UserRole>(RecordMode::Add);
        assignment->cmbUserid()->setCurrentIndex(assignment->cmbUserid()->findText("li"));
        const auto found = assignment->lvModule()->findItems("用户管理员", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        found[0]->setCheckState(0, Qt::Checked);
        assignment->btnSave_Click();
        EXPECT_FALSE(assignment->isVisible());
    }
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();

    // The user logs in and sees the user list with its add button only.
    clsApp app(db);
    ASSERT_TRUE(app.CheckUserPassword("li", "pw1"));
    app.ReadRightList();
    EXPECT_TRUE(app.HaveReportRight("用户管理"));
    EXPECT_FALSE(app.HaveReportRight("审计"));
    const qint64 li = app.operatorID();
    EXPECT_TRUE(HasModuleRole(db, "用户管理", "添加", "li", li));
    EXPECT_FALSE(HasModuleRole(db, "用户管理", "删除", "li", li));

    // The user changes the own password.
    gLoginName = QStringLiteral("li");
    {
        frmAdd_UserPwd password;
        password.show();
        password.txtOldPwd()->setText("pw1");
        password.txtNewPwd1()->setText("pw2");
        password.txtNewPwd2()->setText("pw2");
        password.btnSave_Click();
        EXPECT_EQ(takeMessages(), QStringList{"修改密码成功!"});
    }
    EXPECT_TRUE(app.CheckUserPassword("li", "pw2"));

    // Taking the role away takes the rights with it.
    {
        auto assignment = shown<frmAdd_UserRole>(
            RecordMode::Edit, "SELECT * from manage_user_rolename_view where muid=" + QString::number(li));
        assignment->lvModule()->findItems("用户管理员", Qt::MatchExactly)[0]->setCheckState(0, Qt::Unchecked);
        assignment->btnSave_Click();
        EXPECT_FALSE(assignment->isVisible());
    }
    app.ReadRightList();
    EXPECT_FALSE(app.HaveReportRight("用户管理"));
    EXPECT_FALSE(HasModuleRole(db, "用户管理", "添加", "li", li));
}

} // namespace

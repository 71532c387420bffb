#include "admin/AdminForms.h"
#include "admin/frmAdd_DeptManage.h"
#include "admin/frmAdd_Module.h"
#include "admin/frmAdd_RoleUser.h"
#include "admin/frmAdd_User.h"
#include "admin/frmAdd_UserPwd.h"
#include "admin/frmAdd_UserRole.h"
#include "admin/frmAdd_role.h"
#include "admin/frmAdd_search.h"
#include "admin/frmAdd_setup.h"
#include "admin/frmBackData.h"
#include "ui/FormFactory.h"

void registerAdminForms() {
    FormFactory::registerForm(QStringLiteral("frmAdd_Dept"), [] { return new frmAdd_DeptManage; });
    FormFactory::registerForm(QStringLiteral("frmAdd_DeptManage"), [] { return new frmAdd_DeptManage; });
    FormFactory::registerForm(QStringLiteral("frmAdd_Module"), [] { return new frmAdd_Module; });
    FormFactory::registerForm(QStringLiteral("frmAdd_role"), [] { return new frmAdd_role; });
    FormFactory::registerForm(QStringLiteral("frmAdd_User"), [] { return new frmAdd_User; });
    FormFactory::registerForm(QStringLiteral("frmAdd_UserPwd"), [] { return new frmAdd_UserPwd; });
    FormFactory::registerForm(QStringLiteral("frmAdd_RoleUser"), [] { return new frmAdd_RoleUser; });
    FormFactory::registerForm(QStringLiteral("frmAdd_UserRole"), [] { return new frmAdd_UserRole; });
    FormFactory::registerForm(QStringLiteral("frmBackData"), [] { return new frmBackData; });
    FormFactory::registerForm(QStringLiteral("frmAdd_search"), [] { return new frmAdd_search; });
    FormFactory::registerForm(QStringLiteral("frmAdd_setup"), [] { return new frmAdd_setup; });
}

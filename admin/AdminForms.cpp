#include "admin/AdminForms.h"
#include "admin/frmAdd_DeptManage.h"
#include "ui/FormFactory.h"

void registerAdminForms() {
    FormFactory::registerForm(QStringLiteral("frmAdd_Dept"), [] { return new frmAdd_DeptManage; });
    FormFactory::registerForm(QStringLiteral("frmAdd_DeptManage"), [] { return new frmAdd_DeptManage; });
}

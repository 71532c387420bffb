#include "admin/AdminForms.h"
#include "admin/frmAdd_Module.h"
#include "admin/frmAdd_RoleUser.h"
#include "admin/frmAdd_User.h"
#include "admin/frmAdd_UserPwd.h"
#include "admin/frmAdd_UserRole.h"
#include "admin/frmAdd_role.h"
#include "core/NodeCatalogue.h"
#include "tests/admin/AdminTestSupport.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <functional>

namespace {

class AdminFormsTest : public AdminTest {};

TEST_F(AdminFormsTest, EachListOpensItsDialogWithTheListCaption) {
    registerAdminForms();
    struct Case {
        QString entry;
        QString caption; // edit mode
        std::function<bool(QDialog&)> isExpected;
    };
    const QList<Case> cases{
        {"模块名称", "修改模块名称设置",
         [](QDialog& d) { return dynamic_cast<frmAdd_Module*>(&d) != nullptr; }},
        {"权限名称", "修改权限名称设置",
         [](QDialog& d) { return dynamic_cast<frmAdd_role*>(&d) != nullptr; }},
        {"用户管理", "修改用户管理设置",
         [](QDialog& d) { return dynamic_cast<frmAdd_User*>(&d) != nullptr; }},
        {"角色管理", "修改角色管理",
         [](QDialog& d) { return dynamic_cast<frmAdd_RoleUser*>(&d) != nullptr; }},
        {"用户权限", "修改用户权限设置",
         [](QDialog& d) { return dynamic_cast<frmAdd_UserRole*>(&d) != nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        const ListWindowParams list = NodeCatalogue::configFor(c.entry).list;
        QString caption;
        bool expected = false;
        ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [&](QDialog& dialog) {
            caption = dialog.windowTitle();
            expected = c.isExpected(dialog);
            return int(QDialog::Rejected);
        });
        RecordDialogRequest request;
        request.formName = list.txtFrmName;
        request.mode = RecordMode::Edit;
        request.listTitle = list.lbFormName;
        request.rowQuery = recordRowQuery(list.txtTableSql, list.txtTableNameAndID.section(',', 1), "1");
        EXPECT_TRUE(openRecordDialog(request).opened);
        EXPECT_EQ(caption, c.caption);
        EXPECT_TRUE(expected);
    }
    std::unique_ptr<QWidget> password(FormFactory::create("FRMADD_USERPWD"));
    EXPECT_NE(dynamic_cast<frmAdd_UserPwd*>(password.get()), nullptr);
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
}

} // namespace

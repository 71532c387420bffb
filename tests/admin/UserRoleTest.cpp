#include "admin/frmAdd_UserRole.h"
#include "tests/admin/AdminTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Users "li" (held role 甲) and "wang" (none) in 销售部, "ghost" in a department that is gone; roles
// listed 乙, 甲, 丙 in their table's order.
class UserRoleTest : public AdminTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (2,'销售部','',1)"));
        li = insert("insert into manage_user (userid,name,pwd,mdid) values ('li','李四','',2)");
        wang = insert("insert into manage_user (userid,name,pwd,mdid) values ('wang','王五','',2)");
        insert("insert into manage_user (userid,name,pwd,mdid) values ('ghost','鬼','',77)");
        yi = insert("insert into manage_module_roleName (name,remark) values ('乙',' ')");
        jia = insert("insert into manage_module_roleName (name,remark) values ('甲 ',' ')");
        bing = insert("insert into manage_module_roleName (name,remark) values ('丙',' ')");
        insert("insert into manage_user_rolename (muid,pmrid) values (?,?)", {li, jia});
    }
    std::unique_ptr<frmAdd_UserRole> user(qint64 muid, RecordMode mode = RecordMode::Edit) {
        return shown<frmAdd_UserRole>(mode, "SELECT * from manage_user_rolename_view where muid=" +
                                                QString::number(muid));
    }
    static void tick(frmAdd_UserRole& dialog, const QStringList& names) {
        for (int i = 0; i < dialog.lvModule()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = dialog.lvModule()->topLevelItem(i);
            item->setCheckState(0, names.contains(item->text(0).trimmed()) ? Qt::Checked : Qt::Unchecked);
        }
    }
    QStringList rolesOf(qint64 muid) {
        return column(
            "select r.name from manage_user_rolename u join manage_module_roleName r on r.pmrid=u.pmrid "
            "where u.muid=? order by r.pmrid",
            {muid});
    }
    qint64 li = 0, wang = 0, yi = 0, jia = 0, bing = 0;
};

TEST_F(UserRoleTest, AddOffersAccountsWithADepartmentAndRefusesOneThatHasRoles) {
    auto dialog = shown<frmAdd_UserRole>(RecordMode::Add);
    QStringList accounts;
    for (int i = 0; i < dialog->cmbUserid()->count(); ++i)
        accounts << dialog->cmbUserid()->itemText(i);
    EXPECT_EQ(accounts, (QStringList{"veziz", "li", "wang"}));
    EXPECT_EQ(dialog->cmbUserid()->currentIndex(), -1);
    EXPECT_FALSE(dialog->cmbUserid()->isEditable());
    EXPECT_EQ(dialog->lvModule()->headerItem()->text(0), QStringLiteral("pid"));
    EXPECT_EQ(dialog->tickedRoles(), QStringList{});
    EXPECT_EQ(dialog->lvModule()->topLevelItemCount(), 3);

    struct Case {
        QString account;
        QStringList ticked;
        QString message; // empty: saved
        QString name, department;
    };
    const QList<Case> cases{
        {"", {"乙"}, "请选择帐号名称!", "", ""},
        {"li", {"乙"}, "帐号已经设置权限!!", "李四", "销售部"},
        {"wang", {"乙", "丙"}, "", "王五", "销售部"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.account.toStdString());
        dialog->cmbUserid()->setCurrentIndex(dialog->cmbUserid()->findText(c.account));
        tick(*dialog, c.ticked);
        EXPECT_EQ(dialog->txtUserName()->text(), c.name);
        EXPECT_EQ(dialog->txtDptName()->text(), c.department);
        EXPECT_EQ(dialog->tickedRoles().size(), c.ticked.size()); // choosing an account keeps the ticks
        dialog->btnSave_Click();
        EXPECT_EQ(takeMessages(), c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(dialog->isVisible(), !c.message.isEmpty());
    }
    EXPECT_EQ(rolesOf(li), QStringList{"甲 "});
    EXPECT_EQ(rolesOf(wang), (QStringList{"乙", "丙"}));

    // No role ticked: nothing is written and the dialog closes.
    auto none = shown<frmAdd_UserRole>(RecordMode::Add);
    none->cmbUserid()->setCurrentIndex(none->cmbUserid()->findText("veziz"));
    none->btnSave_Click();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(none->isVisible());
    EXPECT_EQ(rolesOf(1), QStringList{});
}

TEST_F(UserRoleTest, EditTicksExactlyTheHeldRolesAndReplacesThem) {
    insert("insert into manage_user_rolename (muid,pmrid) values (?,?)", {li, bing});
    auto browsing = user(li, RecordMode::Browse);
    EXPECT_EQ(browsing->cmbUserid()->currentText(), "li");
    EXPECT_EQ(browsing->txtUserName()->text(), "李四");
    EXPECT_EQ(browsing->tickedRoles(), (QStringList{"甲 ", "丙"}));
    EXPECT_FALSE(browsing->cmbUserid()->isEnabled());
    EXPECT_FALSE(browsing->lvModule()->isEnabled());
    EXPECT_FALSE(browsing->btnSave()->isEnabled());

    auto editing = user(li);
    EXPECT_EQ(editing->tickedRoles(), (QStringList{"甲 ", "丙"}));
    EXPECT_FALSE(editing->cmbUserid()->isEnabled());
    EXPECT_TRUE(editing->lvModule()->isEnabled());
    EXPECT_TRUE(editing->btnSave()->isEnabled());
    EXPECT_EQ(editing->loadedKey(), QString::number(li));
    tick(*editing, {"乙"});
    editing->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(rolesOf(li), QStringList{"乙"});

    // No role ticked in edit: the user keeps none.
    auto clearing = user(li);
    tick(*clearing, {});
    clearing->btnSave_Click();
    EXPECT_EQ(rolesOf(li), QStringList{});
}

TEST_F(UserRoleTest, AFailedEditKeepsTheOldRolesAndAGoneAccountIsRefused) {
    insert("insert into manage_user_rolename (muid,pmrid) values (?,?)", {li, yi});
    failWhen("INSERT", "manage_user_rolename", "NEW.pmrid = " + QString::number(bing));
    auto editing = user(li);
    tick(*editing, {"乙", "丙"});
    editing->btnSave_Click();
    ASSERT_EQ(messages.messages().size(), 2);
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误提示"));
    EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！错误描述:【injected】."));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(editing->isVisible());
    EXPECT_EQ(editing->tickedRoles(), (QStringList{"乙", "丙"}));
    EXPECT_EQ(rolesOf(li), (QStringList{"乙", "甲 "}));
    messages.clear();

    // The account's user is deleted while the dialog is open.
    ASSERT_TRUE(db.ExecSQL("delete from manage_user where muid=?", {li}));
    tick(*editing, {"乙"});
    editing->btnSave_Click();
    EXPECT_EQ(takeMessages(), QStringList{"请选择帐号名称!"});
    EXPECT_EQ(rolesOf(li), (QStringList{"乙", "甲 "}));

    // A row query that finds nothing: nothing shown, no account to save.
    auto gone = user(99999);
    EXPECT_TRUE(gone->txtUserName()->text().isEmpty());
    EXPECT_TRUE(gone->btnSave()->isEnabled());
    gone->btnSave_Click();
    EXPECT_EQ(takeMessages(), QStringList{"请选择帐号名称!"});
}

} // namespace

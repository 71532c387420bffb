#include "admin/frmAdd_RoleUser.h"
#include "tests/admin/AdminTestSupport.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Two modules and two permissions of their own, so that the lists stay small.
class RoleEditorTest : public AdminTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.ExecSQL("delete from manage_module"));
        ASSERT_TRUE(db.ExecSQL("delete from manage_role"));
        ASSERT_TRUE(db.ExecSQL("insert into manage_module (mmid,name) values (10,'用户管理'),(11,'客户')"));
        ASSERT_TRUE(db.ExecSQL("insert into manage_role (mrid,name) values (20,'添加'),(21,'删除')"));
    }
    std::unique_ptr<frmAdd_RoleUser> role(const QString& pmrid, RecordMode mode = RecordMode::Edit) {
        return shown<frmAdd_RoleUser>(mode, "SELECT * from manage_module_roleName_view where pmrid=" + pmrid);
    }
    QString makeRole(const QString& name, const QList<std::pair<int, int>>& grants) {
        const QString key = QString::number(
            insert("insert into manage_module_roleName (name,remark) values (?,'备')", {name}));
        for (auto [mmid, mrid] : grants)
            insert("insert into manage_module_role (mmid,mrid,pmrid) values (?,?,?)",
                   {mmid, mrid, key.toLongLong()});
        return key;
    }
    QStringList grantsOf(const QString& pmrid) {
        return column("select md_role from manage_module_roleName_view where pmrid=? order by md_role",
                      {pmrid.toLongLong()});
    }
    static void selectTexts(QTreeWidget& list, const QStringList& texts) {
        list.clearSelection();
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            list.topLevelItem(i)->setSelected(texts.contains(list.topLevelItem(i)->text(0)));
    }
    static void select(QTreeWidget& list, const QList<int>& rows) {
        list.clearSelection();
        for (int row : rows)
            list.topLevelItem(row)->setSelected(true);
    }
};

const QStringList AllPairs{"用户管理-->添加", "用户管理-->删除", "客户-->添加", "客户-->删除"};

TEST_F(RoleEditorTest, LoadListsEveryPairGhostedAndMovesKeepTheirOrder) {
    auto dialog = shown<frmAdd_RoleUser>(RecordMode::Add);
    QTreeWidget& all = *dialog->lvRole();
    QTreeWidget& held = *dialog->lvModule();
    EXPECT_EQ(frmAdd_RoleUser::pairTexts(all), AllPairs);
    EXPECT_EQ(all.topLevelItem(2)->data(0, frmAdd_RoleUser::TagRole).toString(), "11,20");
    for (int i = 0; i < all.topLevelItemCount(); ++i)
        EXPECT_TRUE(frmAdd_RoleUser::isGhosted(*all.topLevelItem(i)));
    EXPECT_EQ(all.headerItem()->text(0), QStringLiteral("名称"));
    EXPECT_EQ(all.columnWidth(0), 1900 / 15);
    EXPECT_EQ(dialog->size(), QSize(7170 / 15, 5295 / 15));

    struct Move {
        bool toHeld;
        QList<int> selected;
        QStringList all, held;
    };
    const QList<Move> moves{
        {true, {}, AllPairs, {}},
        {false, {}, AllPairs, {}},
        {true, {3, 0}, {"用户管理-->删除", "客户-->添加"}, {"用户管理-->添加", "客户-->删除"}},
        {true, {1}, {"用户管理-->删除"}, {"用户管理-->添加", "客户-->删除", "客户-->添加"}},
        {false, {0, 2}, {"用户管理-->删除", "用户管理-->添加", "客户-->添加"}, {"客户-->删除"}},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(m.held.join(',').toStdString());
        select(m.toHeld ? all : held, m.selected);
        m.toHeld ? dialog->btnAdd_Click() : dialog->btnRemove_Click();
        EXPECT_EQ(frmAdd_RoleUser::pairTexts(all), m.all);
        EXPECT_EQ(frmAdd_RoleUser::pairTexts(held), m.held);
    }
    // Pairs moved back are no longer ghosted; the one never moved still is.
    EXPECT_TRUE(frmAdd_RoleUser::isGhosted(*all.topLevelItem(0)));
    EXPECT_FALSE(frmAdd_RoleUser::isGhosted(*all.topLevelItem(1)));
    EXPECT_FALSE(frmAdd_RoleUser::isGhosted(*held.topLevelItem(0)));
    // A double-click moves the selection too.
    select(held, {0});
    dialog->lvModule_DblClick();
    EXPECT_TRUE(frmAdd_RoleUser::pairTexts(held).isEmpty());
}

// Every pair shows whole, "导出excel" too, and tells its full text in a tool tip.
TEST_F(RoleEditorTest, PairsShowWholeWithTheirTextAsToolTip) {
    ASSERT_TRUE(db.ExecSQL("insert into manage_module (mmid,name) values (12,'重点跟进的企业客户类型')"));
    ASSERT_TRUE(db.ExecSQL("insert into manage_role (mrid,name) values (22,'导出excel')"));
    auto dialog = shown<frmAdd_RoleUser>(RecordMode::Add);
    // As loaded, then moved into the other list.
    for (QTreeWidget* list : {dialog->lvRole(), dialog->lvModule()}) {
        if (list == dialog->lvModule()) {
            dialog->lvRole()->selectAll();
            dialog->btnAdd_Click();
        }
        SCOPED_TRACE(list->objectName().toStdString());
        QTreeWidgetItem* longest = nullptr;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            EXPECT_EQ(item->toolTip(0), item->text(0));
            if (item->text(0) == "重点跟进的企业客户类型-->导出excel")
                longest = item;
        }
        ASSERT_TRUE(longest);
        const QRect cell = list->visualItemRect(longest);
        EXPECT_GE(list->columnWidth(0), 1900 / 15);
        EXPECT_GT(list->columnWidth(0), list->fontMetrics().horizontalAdvance(longest->text(0)));
        EXPECT_GE(cell.width(), list->fontMetrics().horizontalAdvance(longest->text(0)));
    }
}

TEST_F(RoleEditorTest, AddSavesNameRemarkAndGrantsUnderTheNewKey) {
    auto dialog = shown<frmAdd_RoleUser>(RecordMode::Add);
    struct Check {
        QString name;
        bool withGrant;
        QString message;
    };
    makeRole("Sales_1", {});
    const QList<Check> checks{{"  ", true, "请输入角色名称!"},
                              {"新角色", false, "请给角色添加权限!"},
                              {" sales_1 ", true, "角色已经存在!请重新输入!"}};
    for (const Check& c : checks) {
        SCOPED_TRACE(c.message.toStdString());
        dialog->txtDptName()->setText(c.name);
        select(*dialog->lvModule(), {});
        if (c.withGrant && dialog->lvModule()->topLevelItemCount() == 0) {
            select(*dialog->lvRole(), {0});
            dialog->btnAdd_Click();
        }
        if (!c.withGrant && dialog->lvModule()->topLevelItemCount() > 0) {
            select(*dialog->lvModule(), {0});
            dialog->btnRemove_Click();
        }
        dialog->btnSave_Click();
        EXPECT_EQ(takeMessages(), QStringList{c.message});
        EXPECT_TRUE(dialog->isVisible());
    }
    // "Sales-1" differs from "Sales_1" by the character "_" stands for: no duplicate.
    dialog->txtDptName()->setText(" Sales-1 ");
    QStringList held = frmAdd_RoleUser::pairTexts(*dialog->lvModule());
    held.sort();
    ASSERT_FALSE(held.isEmpty());
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_FALSE(dialog->isVisible());
    const QString key = value("select pmrid from manage_module_roleName where name='Sales-1'");
    EXPECT_EQ(value("select remark from manage_module_roleName where pmrid=?", {key.toLongLong()}), " ");
    EXPECT_EQ(grantsOf(key), held);
}

TEST_F(RoleEditorTest, TheGrantsGoToTheRoleTheInsertMade) {
    // Another role appears with a higher key while the new one is written.
    ASSERT_TRUE(
        db.ExecSQL("CREATE TRIGGER shadow AFTER INSERT ON manage_module_roleName WHEN NEW.name <> '影子' "
                   "BEGIN INSERT INTO manage_module_roleName (name,remark) VALUES ('影子',' '); END"));
    auto dialog = shown<frmAdd_RoleUser>(RecordMode::Add);
    dialog->txtDptName()->setText("O'Brien 😀");
    dialog->txtRemark()->setPlainText(" 50% _备注_ ");
    select(*dialog->lvRole(), {0});
    dialog->btnAdd_Click();
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    const QString key = value("select pmrid from manage_module_roleName where name=?", {"O'Brien 😀"});
    const QString shadow = value("select pmrid from manage_module_roleName where name='影子'");
    EXPECT_GT(shadow.toLongLong(), key.toLongLong());
    EXPECT_EQ(grantsOf(key), QStringList{"用户管理-->添加"});
    EXPECT_EQ(grantsOf(shadow), QStringList{""});
    EXPECT_EQ(value("select remark from manage_module_roleName where pmrid=?", {key.toLongLong()}),
              "50% _备注_");
}

TEST_F(RoleEditorTest, EditReplacesTheGrantsAndBrowseShowsThem) {
    const QString key = makeRole("经理", {{11, 21}, {10, 20}});
    const QString bare = makeRole("空角色", {});
    // A grant whose permission is gone matches no pair and is left out.
    insert("insert into manage_module_role (mmid,mrid,pmrid) values (10,99,?)", {key.toLongLong()});

    auto browsing = role(key, RecordMode::Browse);
    EXPECT_EQ(browsing->txtDptName()->text(), "经理");
    EXPECT_EQ(browsing->txtRemark()->toPlainText(), "备");
    EXPECT_EQ(frmAdd_RoleUser::pairTexts(*browsing->lvModule()),
              (QStringList{"客户-->删除", "用户管理-->添加"}));
    EXPECT_EQ(frmAdd_RoleUser::pairTexts(*browsing->lvRole()),
              (QStringList{"用户管理-->删除", "客户-->添加"}));
    EXPECT_TRUE(browsing->txtDptName()->isReadOnly());
    EXPECT_TRUE(browsing->txtRemark()->isReadOnly());
    for (QWidget* control :
         std::initializer_list<QWidget*>{browsing->lvRole(), browsing->lvModule(), browsing->btnAdd(),
                                         browsing->btnRemove(), browsing->btnSave()})
        EXPECT_FALSE(control->isEnabled());
    EXPECT_TRUE(browsing->loadedKey().isEmpty());

    auto editing = role(key);
    EXPECT_EQ(editing->loadedKey(), key);
    EXPECT_TRUE(editing->lvModule()->selectedItems().isEmpty());
    select(*editing->lvModule(), {0});
    editing->btnRemove_Click();
    select(*editing->lvRole(), {0});
    editing->btnAdd_Click();
    editing->txtRemark()->setPlainText("  ");
    editing->btnSave_Click(); // the own name is no duplicate
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(grantsOf(key), (QStringList{"用户管理-->删除", "用户管理-->添加"}));
    EXPECT_EQ(value("select remark from manage_module_roleName where pmrid=?", {key.toLongLong()}), " ");

    // A role without grants opens with its name and nothing held.
    auto empty = role(bare);
    EXPECT_EQ(empty->txtDptName()->text(), "空角色");
    EXPECT_TRUE(frmAdd_RoleUser::pairTexts(*empty->lvModule()).isEmpty());
    EXPECT_EQ(frmAdd_RoleUser::pairTexts(*empty->lvRole()), AllPairs);
}

TEST_F(RoleEditorTest, AFailedSaveRollsBackEverything) {
    const QString other = makeRole("其他", {{10, 21}});
    const QString key = makeRole("经理", {{10, 20}});
    failWhen("INSERT", "manage_module_role", "NEW.mrid = 21 AND NEW.mmid = 11");
    const QString roles = value("select count(*) from manage_module_roleName");
    const QString grants = value("select count(*) from manage_module_role");
    for (RecordMode mode : {RecordMode::Add, RecordMode::Edit}) {
        auto dialog = mode == RecordMode::Add ? shown<frmAdd_RoleUser>(mode) : role(key);
        dialog->txtDptName()->setText("新名");
        selectTexts(*dialog->lvRole(), QStringList{"客户-->添加", "客户-->删除"}); // the second fails
        dialog->btnAdd_Click();
        dialog->btnSave_Click();
        ASSERT_EQ(messages.messages().size(), 2);
        EXPECT_EQ(messages.messages()[0].title, QStringLiteral("错误提示"));
        EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！错误描述:【injected】."));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->txtDptName()->text(), "新名");
        messages.clear();
    }
    EXPECT_EQ(value("select count(*) from manage_module_roleName"), roles);
    EXPECT_EQ(value("select count(*) from manage_module_role"), grants);
    EXPECT_EQ(grantsOf(other), QStringList{"用户管理-->删除"});
    EXPECT_EQ(grantsOf(key), QStringList{"用户管理-->添加"});
    EXPECT_EQ(value("select name from manage_module_roleName where pmrid=?", {key.toLongLong()}), "经理");
}

} // namespace

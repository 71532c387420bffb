// Rights: the rights list, the tree filter and the button rights, for the built-in name "veziz" as
// account and as person's name, for an operator without grants and for a module granted three times.
#include "core/Globals.h"
#include "core/HasModuleRole.h"
#include "core/NavigationTree.h"
#include "core/clsApp.h"
#include "core/enCode.h"
#include "shell/ApplicationShell.h"
#include "shell/NavigationTreeRenderer.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

qint64 lastKey(clsMDB& db, const QString& sql) {
    const std::optional<Recordset> rs = db.GetRS(sql);
    return rs && !rs->Eof() ? rs->Fields(0).toLongLong() : -1;
}

// A user with the password "pw" in the company department.
qint64 addUser(clsMDB& db, const QString& userId, const QString& name) {
    EXPECT_TRUE(db.ExecSQL("insert into manage_user (userid,name,pwd,mdid) values (?,?,?,1)",
                           {userId, name, enCodeValue(QStringLiteral("pw"))}));
    return lastKey(db, "select max(muid) from manage_user");
}

// A role of (module, permission) grants, held by the user.
void grantRole(clsMDB& db, qint64 muid, const std::vector<std::pair<QString, QString>>& grants) {
    ASSERT_TRUE(db.ExecSQL("insert into manage_module_roleName (name,remark) values (?,' ')",
                           {QStringLiteral("角色%1").arg(muid)}));
    const qint64 pmrid = lastKey(db, "select max(pmrid) from manage_module_roleName");
    for (const auto& [module, permission] : grants)
        ASSERT_TRUE(db.ExecSQL("insert into manage_module_role (mmid,mrid,pmrid) select m.mmid,r.mrid,? "
                               "from manage_module m, manage_role r where m.name=? and r.name=?",
                               {pmrid, module, permission}));
    ASSERT_TRUE(db.ExecSQL("insert into manage_user_rolename (muid,pmrid) values (?,?)", {muid, pmrid}));
}

// The tree's texts in order, one ">" per level below the top.
QStringList treeTexts(const QTreeWidget& tree) {
    QStringList texts;
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        texts << QString(depth, QLatin1Char('>')) + item->text(0);
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return texts;
}

// The statistics group and the settings group that close the tree.
QStringList settingsBranch() {
    QStringList texts{QStringLiteral("统计分析")};
    for (const QString& entry : NavigationTree::statisticsEntries())
        texts << ">" + entry;
    texts << QStringLiteral("参数设置");
    for (const QString& entry : NavigationTree::settingsEntries())
        texts << ">" + entry;
    return texts;
}

TEST(RightsTest, BuiltInNameNoGrantsAndRepeatedGrants) {
    const QStringList fixedEntries{"管理提示", ">管理提醒", "所有客户", ">所有客户"};
    const QStringList everything =
        // Types in pinyin order: 空 (kong) before 企 (qi); 普 (pu), 无 (wu), 重 (zhong).
        fixedEntries + QStringList{"空类型", "企业客户", ">VIP", ">普通客户", ">无模块", ">重点客户"} +
        settingsBranch();
    const QStringList moduleEntries =
        fixedEntries + QStringList{"企业客户", ">VIP", ">普通客户", ">重点客户"} + settingsBranch();
    constexpr int AllPairs = 18 * 5; // every module with every permission

    struct Case {
        const char* what;
        std::function<QString(clsMDB&)> setUp; // answers the account to log in with
        int rightCount;
        QStringList rights; // sorted; checked when the count is small
        bool reportRight;   // 所有客户
        bool addButton;     // 所有客户 / 添加
        bool deleteButton;  // 所有客户 / 删除
        QStringList tree;
    };
    const std::vector<Case> cases{
        {"account and name veziz",
         [](clsMDB&) { return QStringLiteral("veziz"); },
         AllPairs,
         {},
         true,
         true,
         true,
         everything},
        {"account veziz in other case, another name",
         [](clsMDB& db) {
             EXPECT_TRUE(db.ExecSQL("update manage_user set name='张三' where muid=1"));
             return QStringLiteral("VEZIZ");
         },
         AllPairs,
         {},
         true,
         true,
         true,
         moduleEntries},
        {"name veziz, account boss",
         [](clsMDB& db) {
             grantRole(db, addUser(db, "boss", "VeZiz"), {{"所有客户", "添加"}});
             return QStringLiteral("boss");
         },
         1,
         {"所有客户"},
         true,
         true,
         false,
         everything},
        {"no grants",
         [](clsMDB& db) {
             addUser(db, "nobody", "无权限");
             return QStringLiteral("nobody");
         },
         0,
         {},
         false,
         false,
         false,
         {}},
        {"one module with three permissions",
         [](clsMDB& db) {
             grantRole(
                 db, addUser(db, "clerk", "文员"),
                 {{"管理提醒", "添加"}, {"管理提醒", "删除"}, {"管理提醒", "修改"}, {"vip", "导出excel"}});
             return QStringLiteral("clerk");
         },
         4,
         {"vip", "管理提醒", "管理提醒", "管理提醒"},
         false,
         false,
         false,
         {"管理提示", ">管理提醒", "企业客户", ">VIP"}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase database;
        MessageRecorder messages;
        clsMDB& db = database.db();
        // A sub-type with a module whose name differs in letter case, one without a module, and a
        // top-level type without sub-types.
        ASSERT_TRUE(db.ExecSQL("insert into customer_type (etid,name,description,pid) values "
                               "(10,'VIP',' ',1),(11,'无模块',' ',1),(12,'空类型',' ',0)"));
        ASSERT_TRUE(
            db.ExecSQL("insert into manage_module (name,isdel,flag) values ('vip',0,0),('空类型',0,0)"));
        clsApp app(db);
        const QString account = c.setUp(db);
        ASSERT_TRUE(
            app.CheckUserPassword(account, account == "veziz" || account == "VEZIZ" ? "123456" : "pw"));

        QTreeWidget tree;
        ApplicationShell::LoadReportList(app, tree);
        EXPECT_EQ(app.rightList().modules().size(), c.rightCount);
        if (c.rightCount < 10) {
            QStringList rights = app.rightList().modules();
            rights.sort();
            EXPECT_EQ(rights, c.rights);
        }
        EXPECT_EQ(app.HaveReportRight("所有客户"), c.reportRight);
        EXPECT_EQ(HasModuleRole(db, "所有客户", "添加", app.LoginName(), app.operatorID()), c.addButton);
        EXPECT_EQ(HasModuleRole(db, "所有客户", "删除", app.LoginName(), app.operatorID()), c.deleteButton);
        EXPECT_EQ(treeTexts(tree), c.tree);

        // The filter run on a tree widget that holds the whole tree gives the same tree.
        NavigationTree whole;
        whole.build(db);
        QTreeWidget unfiltered;
        NavigationTreeRenderer::render(whole, unfiltered);
        ApplicationShell::HideNotRightNode(app, unfiltered);
        EXPECT_EQ(treeTexts(unfiltered), c.tree);

        // The global check asks the current operator.
        gMDB = &db;
        gApp = &app;
        EXPECT_EQ(HasModuleRole("所有客户", "添加"), c.addButton);
        gMDB = nullptr;
        gApp = nullptr;

        if (c.rightCount == 4) {
            EXPECT_TRUE(app.HaveReportRight("VIP"));
            EXPECT_TRUE(HasModuleRole(db, " 管理提醒  ", "删除", app.LoginName(), app.operatorID()));
            EXPECT_FALSE(HasModuleRole(db, "管理提醒", " 删除", app.LoginName(), app.operatorID()));
            EXPECT_FALSE(HasModuleRole(db, "管理提醒", "导出excel", app.LoginName(), app.operatorID()));
        }
        EXPECT_FALSE(app.HaveRight("管理提醒,所有客户"));
        EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString();
    }
}

} // namespace

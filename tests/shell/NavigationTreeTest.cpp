// The navigation tree (fixed entries, customer types, rights filter, expansion) and the status bar.
#include "core/NavigationTree.h"
#include "core/clsApp.h"
#include "shell/ApplicationShell.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QLabel>
#include <QSet>
#include <QStatusBar>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

// One node as "parent text/text key image tag variant".
QStringList describe(const NavigationTree& tree) {
    QStringList rows;
    for (const NavigationNode& node : tree.nodes()) {
        const QString parent = node.parent >= 0 ? tree.nodes()[node.parent].text : QStringLiteral("-");
        rows << QStringLiteral("%1/%2 %3 %4 %5 %6")
                    .arg(parent, node.text, node.key, node.image, node.textTag, node.variantTag)
                    .trimmed();
    }
    return rows;
}

// The two groups after the customer types: the statistics reports and the settings.
QStringList settingsRows() {
    QStringList rows{"-/统计分析 a_2 IMG_ROOT 0"};
    for (const QString& entry : NavigationTree::statisticsEntries())
        rows << QStringLiteral("统计分析/%1 %1 IMG_REPORT 1").arg(entry);
    rows << "-/参数设置 a_3 IMG_ROOT 0";
    for (const QString& entry : NavigationTree::settingsEntries())
        rows << QStringLiteral("参数设置/%1 %1 IMG_REPORT 1").arg(entry);
    return rows;
}

const QStringList FixedRows{"-/管理提示 a_0 IMG_ROOT 0", "管理提示/管理提醒 管理提醒 IMG_REPORT 1",
                            "-/所有客户 a_1 IMG_ROOT 0", "所有客户/所有客户 所有客户 IMG_REPORT 1"};

class NavigationTreeTest : public ::testing::Test {
protected:
    TestDatabase database;
    MessageRecorder messages;
    clsMDB& db = database.db();

    void setTypes(const char* values) {
        ASSERT_TRUE(db.ExecSQL("delete from customer_type"));
        if (*values) {
            ASSERT_TRUE(
                db.ExecSQL(QStringLiteral("insert into customer_type (etid,name,description,pid) values ") +
                           QString::fromUtf8(values)));
        }
    }
    void TearDown() override { EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString(); }
};

TEST_F(NavigationTreeTest, EmptyTypeTableGivesTheFixedEntries) {
    setTypes("");
    NavigationTree tree;
    tree.build(db);
    EXPECT_EQ(describe(tree), FixedRows + settingsRows());
}

// Sub-types in the order of their names, a whole level before the next; expansion after the build;
// blue text for entries with right.
TEST_F(NavigationTreeTest, NestedTypesAreListedLevelByLevel) {
    setTypes("(10,'Beta',' ',0),(11,'Alpha',' ',0),(12,'Zed',' ',11),(13,'Mid',' ',11),(14,'Leaf',' ',13),"
             "(15,'Deep',' ',12)");
    NavigationTree nodes;
    nodes.build(db);
    const QStringList types{"-/Alpha c_11 IMG_ROOT 0 c_11",    "Alpha/Mid Mid IMG_REPORT 1 c_13",
                            "Alpha/Zed Zed IMG_REPORT 1 c_12", "Mid/Leaf Leaf IMG_REPORT 1 c_14",
                            "Zed/Deep Deep IMG_REPORT 1 c_15", "-/Beta c_10 IMG_ROOT 0 c_10"};
    EXPECT_EQ(describe(nodes), FixedRows + types + settingsRows());

    // As the built-in operator (who keeps every node), with a module for Mid only.
    ASSERT_TRUE(db.ExecSQL("insert into manage_module (name,isdel,flag) values ('Mid',0,0)"));
    clsApp app(db);
    ASSERT_TRUE(app.CheckUserPassword("veziz", "123456"));
    QTreeWidget widget;
    ApplicationShell::LoadReportList(app, widget);
    const auto item = [&](const QString& text) {
        const QList<QTreeWidgetItem*> found = widget.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    };
    ASSERT_EQ(widget.topLevelItemCount(), 6);
    for (const char* group : {"管理提示", "所有客户", "Alpha", "Beta", "统计分析"})
        EXPECT_TRUE(item(group)->isExpanded()) << group;
    EXPECT_FALSE(item("参数设置")->isExpanded());
    EXPECT_FALSE(item("Mid")->isExpanded()); // an entry with sub-types of its own
    EXPECT_EQ(item("Mid")->child(0)->text(0), QStringLiteral("Leaf"));
    EXPECT_EQ(item("Mid")->data(0, NodeRole::TextTag).toString(), QStringLiteral("1"));
    EXPECT_EQ(item("Mid")->data(0, NodeRole::VariantTag).toString(), QStringLiteral("c_13"));
    EXPECT_EQ(item("Alpha")->data(0, NodeRole::TextTag).toString(), QStringLiteral("0"));
    EXPECT_EQ(item("Mid")->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_EQ(item("管理提醒")->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_NE(item("Zed")->foreground(0).color(), QColor(0, 0, 255)); // no module: no right
    EXPECT_FALSE(item("Zed")->font(0).bold());
}

// A type keyed 0 is listed under itself, with the other top-level types, by its sub-type query: it
// gets no sub-types, and the types that sort after it keep their own place and sub-types.
TEST_F(NavigationTreeTest, TypeKeyedZeroTakesNoOtherTypes) {
    setTypes("(0,'Aaa',' ',0),(5,'Five',' ',0),(6,'Six',' ',5)");
    NavigationTree tree;
    ASSERT_NO_THROW(tree.build(db));
    const QStringList types{"-/Aaa c_0 IMG_ROOT 0 c_0", "-/Five c_5 IMG_ROOT 0 c_5",
                            "Five/Six Six IMG_REPORT 1 c_6"};
    EXPECT_EQ(describe(tree).join('\n').toStdString(),
              (FixedRows + types + settingsRows()).join('\n').toStdString());
}

// Type names equal to fixed keys, to fixed entries or to one another no longer make the build fail;
// every key stays unique and every node keeps its text.
TEST_F(NavigationTreeTest, TypeNamesLikeOtherKeysStillBuild) {
    setTypes("(1,'甲',' ',0),(2,'乙',' ',0),(3,'Same',' ',1),(4,'Same',' ',2),(5,'头衔',' ',1),"
             "(6,'a_3',' ',2),(7,'管理提醒',' ',1),(8,'c_2',' ',1)");
    NavigationTree tree;
    ASSERT_NO_THROW(tree.build(db));
    QSet<QString> keys;
    for (const NavigationNode& node : tree.nodes())
        keys.insert(node.key);
    EXPECT_EQ(keys.size(), static_cast<qsizetype>(tree.nodes().size()));
    EXPECT_EQ(tree.nodes().size(), 4u + 2u + 6u + 3u + 9u);
    const auto count = [&](const QString& text) {
        return std::count_if(tree.nodes().begin(), tree.nodes().end(),
                             [&](const NavigationNode& n) { return n.text == text; });
    };
    EXPECT_EQ(count("Same"), 2);
    EXPECT_EQ(count("头衔"), 2);
    EXPECT_EQ(count("管理提醒"), 2);
    EXPECT_EQ(tree.nodes()[tree.find("参数设置")].key, QStringLiteral("a_3"));
    EXPECT_EQ(tree.nodes()[tree.find("乙")].key, QStringLiteral("c_2"));
    // The fixed entries keep their own keys; the sub-types yield.
    const int settings = tree.find("参数设置");
    for (const NavigationNode& node : tree.nodes()) {
        if (node.text == "头衔") {
            EXPECT_EQ(node.key, node.parent == settings ? QStringLiteral("头衔") : QStringLiteral("头衔#2"));
        }
    }

    clsApp app(db);
    ASSERT_TRUE(app.CheckUserPassword("veziz", "123456"));
    QTreeWidget widget;
    ASSERT_NO_THROW(ApplicationShell::LoadReportList(app, widget));
    EXPECT_EQ(widget.topLevelItemCount(), 6);
}

// Entries without right go with what lies below them; groups left empty go too; the built-in
// operator keeps everything.
TEST_F(NavigationTreeTest, EntriesWithoutRightAndEmptyGroupsAreRemoved) {
    setTypes("(10,'Beta',' ',0),(11,'Alpha',' ',0),(12,'Zed',' ',11),(13,'Mid',' ',11),(14,'Leaf',' ',13),"
             "(15,'Deep',' ',12),(16,'Gamma',' ',0),(17,'Off',' ',16)");
    const QSet<QString> granted{"管理提醒", "Mid", "Leaf", "Deep", "头衔"};
    const auto haveRight = [&](const QString& text) { return granted.contains(text); };
    const auto texts = [](const NavigationTree& tree) {
        QStringList result;
        for (const NavigationNode& node : tree.nodes())
            result << (node.parent >= 0 ? ">" : "") + node.text + (node.hasRight ? "*" : "");
        return result;
    };

    NavigationTree tree;
    tree.build(db);
    tree.hideNotRightNode(haveRight, false);
    EXPECT_EQ(texts(tree),
              (QStringList{"管理提示", ">管理提醒*", "Alpha", ">Mid*", ">Leaf*", "参数设置", ">头衔*"}));

    NavigationTree all;
    all.build(db);
    const std::size_t count = all.nodes().size();
    all.hideNotRightNode(haveRight, true);
    EXPECT_EQ(all.nodes().size(), count);
    EXPECT_TRUE(all.nodes()[all.find("Deep")].hasRight);
    EXPECT_FALSE(all.nodes()[all.find("Zed")].hasRight);
}

TEST_F(NavigationTreeTest, StatusBarHasFourPanels) {
    clsApp app(db);
    ASSERT_TRUE(app.CheckUserPassword("veziz", "123456"));
    QStatusBar bar;
    ApplicationShell::InitStatusBar(app, bar);
    ApplicationShell::InitStatusBar(app, bar); // a new operator after log-off: the same four panels
    const QList<QLabel*> panels = bar.findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 4);
    const QStringList expected{"用户：veziz", "登录名称：veziz", "所在部门：公司部门", " "};
    for (int i = 0; i < 4; ++i) {
        const auto* panel = bar.findChild<QLabel*>(QStringLiteral("Panel%1").arg(i + 1));
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->text(), expected[i]);
    }
}

} // namespace

#include "pickers/ctrl_SelectValue.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class TreeValuePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.ExecSQL("create table picks (k integer, name text, grp integer)");
        db.ExecSQL(
            "insert into picks values (3, 'A', 1), (5, 'B', 1), (7, 'C', 1), (8, 'X', 2), (9, NULL, 2)");
        load(0);
    }
    void load(int selectMode) {
        picker.setReadOnly(false);
        picker.Reset();
        picker.setTitle(QStringLiteral("头衔"));
        picker.setConnection(&db);
        picker.setBaseSql("select k,name from picks where grp=1 order by k");
        picker.setReturnField("k");
        picker.setShowField("name");
        picker.setSelectMode(selectMode);
        ASSERT_TRUE(picker.LoadData());
    }
    QTreeWidgetItem* root() { return picker.trv()->topLevelItem(0); }
    QTreeWidgetItem* leaf(int i) { return root()->child(i); }
    void click(std::initializer_list<int> leaves) {
        for (int i : leaves)
            picker.clickNode(leaf(i));
    }

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    ctrl_SelectValue picker;
};

TEST_F(TreeValuePickerTest, TreeShapeAndClicks) {
    ASSERT_EQ(picker.trv()->topLevelItemCount(), 1);
    EXPECT_EQ(root()->text(0), QStringLiteral("头衔"));
    EXPECT_TRUE(root()->isExpanded());
    ASSERT_EQ(root()->childCount(), 3);
    EXPECT_EQ(leaf(2)->text(0), QStringLiteral("C"));

    int nodeClicks = 0;
    QObject::connect(&picker, &ctrl_SelectValue::NodeClick, [&] { ++nodeClicks; });
    // Single choice: the last leaf clicked is the one ticked; clicking it again clears the choice.
    click({0, 1});
    EXPECT_EQ(picker.GetValues(), QStringLiteral("5"));
    click({1});
    EXPECT_EQ(picker.GetValues(), QString());
    picker.clickNode(root());
    EXPECT_EQ(nodeClicks, 4);

    // Multiple choice: A, B, A leaves B; then C too.
    load(1);
    click({0, 1, 0, 2});
    EXPECT_EQ(picker.GetValues(), QStringLiteral("5,7"));
    EXPECT_EQ(picker.GetValuesText(), QStringLiteral("B,C"));
    EXPECT_EQ(picker.list().leaves().at(1).picture, TreeValueList::Picture::MultiCheck);
    picker.SelectAllNode(false);
    EXPECT_EQ(picker.GetValues(), QString());
    EXPECT_TRUE(messages.empty());
}

TEST_F(TreeValuePickerTest, SetvaluesTicksListedKeys) {
    // Single-choice mode still ticks every listed key.
    EXPECT_TRUE(picker.Setvalues("3,7", ","));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("3,7"));
    EXPECT_EQ(picker.list().leaves().at(0).picture, TreeValueList::Picture::SingleCheck);
    EXPECT_TRUE(picker.Setvalues("9,5", ","));
    EXPECT_EQ(picker.GetValues(), QStringLiteral("5"));
    EXPECT_FALSE(picker.Setvalues("", ","));
    EXPECT_EQ(picker.GetValues(), QString());
}

TEST_F(TreeValuePickerTest, ReadOnlyRefusesEveryChange) {
    picker.Setvalues("3", ",");
    picker.setReadOnly(true);
    EXPECT_TRUE(picker.ReadOnly());
    int nodeClicks = 0;
    QObject::connect(&picker, &ctrl_SelectValue::NodeClick, [&] { ++nodeClicks; });
    picker.clickNode(leaf(1));
    EXPECT_EQ(nodeClicks, 0);
    EXPECT_TRUE(messages.empty()); // clicks are refused silently

    EXPECT_FALSE(picker.Setvalues("5", ","));
    EXPECT_FALSE(picker.LoadData());
    picker.setTitle(QStringLiteral("别的"));
    picker.Reset();
    EXPECT_EQ(messages.messages().size(), 4);
    EXPECT_EQ(messages.last().text, QStringLiteral("控件只读，不能进行操作！"));
    EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(picker.GetValues(), QStringLiteral("3"));
    EXPECT_EQ(picker.Title(), QStringLiteral("头衔"));
    EXPECT_EQ(root()->childCount(), 3);
}

TEST_F(TreeValuePickerTest, LoadFailureKeepsTheNodesBeforeIt) {
    picker.setBaseSql("select k,name from picks where grp=2 order by k");
    EXPECT_FALSE(picker.LoadData());
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("错误提示"));
    ASSERT_EQ(picker.trv()->topLevelItemCount(), 1);
    EXPECT_EQ(root()->childCount(), 1);
}

} // namespace

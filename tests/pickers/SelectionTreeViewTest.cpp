// A selection tree in a tree widget: filled from the table, nodes found by key, a failing read shown.
#include "pickers/SelectionTreeView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(SelectionTreeView, LoadsFindsNodesByKeyAndShowsAFailedRead) {
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
    db.ExecSQL("delete from customer_type");
    db.ExecSQL("insert into customer_type (etid, name, pid) values (1, 'B', 0), (2, 'A', 0), (3, 'Y', 1), "
               "(17, 'Deep', 3)");
    QTreeWidget tree;
    ASSERT_TRUE(SelectionTreeView::load(tree, SelectionTree::customerTypes()));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(tree.topLevelItemCount(), 2);

    QTreeWidgetItem* deep = SelectionTreeView::findNode(tree, 17);
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->text(0), QStringLiteral("Deep"));
    EXPECT_EQ(SelectionTreeView::idOfNode(deep), 17);
    EXPECT_EQ(SelectionTreeView::findNode(tree, 99), nullptr);
    EXPECT_EQ(SelectionTreeView::idOfNode(nullptr), std::nullopt);
    QTreeWidgetItem odd(QStringList{"odd"});
    odd.setData(0, SelectionTreeView::KeyRole, QStringLiteral("c_x"));
    EXPECT_EQ(SelectionTreeView::idOfNode(&odd), std::nullopt);

    // A read that fails is shown and leaves the widget as it was.
    ASSERT_TRUE(db.ExecSQL("drop table customer_type"));
    EXPECT_FALSE(SelectionTreeView::load(tree, SelectionTree::customerTypes()));
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("错误提示"));
    EXPECT_FALSE(messages.last().text.isEmpty());
    EXPECT_EQ(tree.topLevelItemCount(), 2);
}

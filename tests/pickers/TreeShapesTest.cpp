// The selection trees and the navigation tree over rows whose parents loop or point at themselves:
// every row reachable from the top shown once, nothing recursing without end; siblings, and the value
// picker's items, in pinyin order.
#include "core/NavigationTree.h"
#include "pickers/SelectionTree.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

// The tree as indented lines, one per node.
void flatten(const std::vector<SelectionTree::Node>& nodes, int depth, QStringList& lines) {
    for (const SelectionTree::Node& node : nodes) {
        lines << QString(depth, u'>') + node.text;
        flatten(node.children, depth + 1, lines);
    }
}

// The customer types of the navigation tree as indented lines, depth first.
void flatten(const NavigationTree& tree, int node, int depth, QStringList& lines) {
    lines << QString(depth, u'>') + tree.nodes()[node].text;
    for (int child : tree.children(node))
        flatten(tree, child, depth + 1, lines);
}

QStringList navigationTypes(const NavigationTree& tree) {
    QStringList lines;
    for (int i = 0; i < int(tree.nodes().size()); ++i)
        if (tree.nodes()[i].parent < 0 && tree.nodes()[i].variantTag.startsWith(QLatin1String("c_")))
            flatten(tree, i, 0, lines);
    return lines;
}

// Rows (key, name, parent) for the type and department tables alike.
struct Row {
    int key;
    const char* name;
    int parent;
};

void fill(clsMDB& db, const QString& table, const QString& keyColumn, std::initializer_list<Row> rows) {
    ASSERT_TRUE(db.ExecSQL(QStringLiteral("delete from ") + table));
    for (const Row& row : rows)
        ASSERT_TRUE(db.ExecSQL(
            QStringLiteral("insert into %1 (%2, name, pid) values (?, ?, ?)").arg(table, keyColumn),
            {row.key, QString::fromUtf8(row.name), row.parent}));
}

} // namespace

TEST(TreeShapes, LoopsAndSelfParentsAreLeftOutAndEveryOtherRowShowsOnce) {
    const struct {
        const char* what;
        std::initializer_list<Row> rows;
        QStringList expected; // the selection tree; the navigation tree shows the same types
    } cases[] = {
        {"a top-level row keyed 0",
         {{0, "北京", 0}, {1, "安徽", 0}, {2, "成都", 0}, {3, "合肥", 1}},
         {"安徽", ">合肥", "北京", "成都"}},
        {"a row that is its own parent", {{1, "北京", 0}, {2, "自己", 2}, {3, "海淀", 1}}, {"北京", ">海淀"}},
        {"two rows that are each other's parent",
         {{1, "北京", 0}, {2, "甲", 3}, {3, "乙", 2}, {4, "朝阳", 1}},
         {"北京", ">朝阳"}},
        {"a loop through a row keyed 0",
         {{5, "重庆", 0}, {0, "渝中", 5}, {6, "长沙", 0}},
         {"长沙", "重庆", ">渝中"}},
        {"siblings in pinyin order at every depth",
         {{1, "中国", 0},
          {2, "重庆", 1},
          {3, "北京", 1},
          {4, "安徽", 1},
          {5, "成都", 1},
          {6, "长沙", 1},
          {7, "鑫区", 3},
          {8, "啊区", 3}},
         {"中国", ">安徽", ">北京", ">>啊区", ">>鑫区", ">成都", ">长沙", ">重庆"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestDatabase t;
        for (const SelectionTree& source : {SelectionTree::customerTypes(), SelectionTree::departments()}) {
            fill(t.db(), source.table(), source.keyColumn(), c.rows);
            QString error;
            const auto nodes = source.load(t.db(), error);
            ASSERT_TRUE(nodes) << error.toStdString();
            QStringList lines;
            flatten(*nodes, 0, lines);
            EXPECT_EQ(lines, c.expected) << source.table().toStdString();
        }
        NavigationTree navigation;
        navigation.build(t.db());
        EXPECT_EQ(navigationTypes(navigation), c.expected);
    }
}

TEST(TreeShapes, AValuePickerListsNamesInPinyinOrder) {
    TestDatabase t;
    MessageRecorder messages;
    fill(t.db(), QStringLiteral("customer_type"), QStringLiteral("etid"),
         {{1, "重庆", 0},
          {2, "鑫", 0},
          {3, "长沙", 0},
          {4, "ASCII", 0},
          {5, "", 0},
          {6, "北京", 0},
          {7, "啊", 0},
          {8, "安徽", 0},
          {9, "成都", 0},
          {10, "abc", 0},
          {11, "A公司", 0}});
    ctrl_SelectValue_Single picker;
    picker.Reset();
    picker.setBaseSql(QStringLiteral("select etid,name from customer_type order by name"));
    picker.setConnection(&t.db());
    picker.setShowField(QStringLiteral("name"));
    picker.setReturnField(QStringLiteral("etid"));
    ASSERT_TRUE(picker.LoadData());
    QStringList shown;
    for (int i = 1; i < picker.ImgCombo()->count(); ++i) // after "请选择"
        shown << picker.ImgCombo()->itemText(i);
    EXPECT_EQ(shown,
              QStringList({"", "abc", "ASCII", "A公司", "啊", "安徽", "北京", "成都", "鑫", "长沙", "重庆"}));
}

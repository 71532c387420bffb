#include "core/NavigationTree.h"
#include "customers/CustomerTypeStore.h"
#include "customers/frmAdd_doc_type.h"
#include "pickers/PickerServices.h"
#include "pickers/SelectionTreeView.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The editor as a user drives it: a node made current, an option clicked (a disabled one takes no
// click).
struct Editor {
    frmAdd_doc_type& dialog;

    void select(qint64 etid) {
        QTreeWidgetItem* node = SelectionTreeView::findNode(*dialog.trvReport(), etid);
        ASSERT_TRUE(node) << etid;
        dialog.trvReport()->setCurrentItem(node);
    }
    void add(qint64 at, const QString& name, bool beneath) {
        select(at);
        dialog.btnAdd_Click();
        dialog.txtName()->setText(name);
        dialog.txtRemark()->setPlainText(QStringLiteral("说明"));
        (beneath ? dialog.Option2() : dialog.Option1())->click();
        dialog.btnSave_Click();
    }
    void rename(qint64 etid, const QString& name) {
        select(etid);
        dialog.btnEdit_Click();
        dialog.txtName()->setText(name);
        dialog.btnSave_Click();
    }
    void move(qint64 etid, qint64 reference, bool beneath) {
        select(etid);
        dialog.btnEdit_Click();
        select(reference);
        (beneath ? dialog.Option2() : dialog.Option1())->click();
        dialog.btnSave_Click();
    }
    void remove(qint64 etid) {
        select(etid);
        dialog.btnDel_Click();
    }
};

class CustomerTypeEditorTest : public ::testing::Test {
protected:
    void SetUp() override { seed(); }

    void seed() {
        // A small tree: A; B > B1 > B11; C (used by a deleted customer). Each type has its rights
        // module; the role 1 holds grants on B1, B11 and the settings list "行业类型".
        db.BeginTrans();
        for (const char* sql : {
                 "delete from customer_type",
                 "delete from customer_info",
                 "delete from manage_module",
                 "delete from manage_module_role",
                 "insert into customer_type (etid, name, description, pid) values (1, 'A', ' ', 0), (2, 'B', "
                 "' ', 0), "
                 "(3, 'B1', ' ', 2), (4, 'B11', ' ', 3), (5, 'C', ' ', 0)",
                 "insert into manage_module (mmid, name) values (1, 'A'), (2, 'B'), (3, 'B1'), (4, 'B11'), "
                 "(5, 'C'), "
                 "(6, '行业类型')",
                 "insert into manage_module_role (mmid, mrid, pmrid) values (3, 1, 1), (4, 1, 1), (6, 1, 1)",
                 "insert into customer_info (company, etid, isdel) values ('已删客户', 5, 1)",
             })
            ASSERT_TRUE(db.ExecSQL(sql)) << sql;
        db.CommitTrans();
    }

    QString snapshot(const QString& sql) {
        auto rs = db.GetRS(sql);
        QStringList items;
        for (; rs && !rs->Eof(); rs->MoveNext())
            items << rs->Fields(0).toString();
        return items.join(' ');
    }
    QString types() { return snapshot("select etid||':'||name||':'||pid from customer_type order by etid"); }
    QString modules() { return snapshot("select name from manage_module order by mmid"); }
    QString grants() {
        return snapshot("select m.name||':'||g.pmrid from manage_module_role g "
                        "left join manage_module m on m.mmid = g.mmid order by g.mmid");
    }

    std::unique_ptr<frmAdd_doc_type> openEditor() {
        auto dialog = std::make_unique<frmAdd_doc_type>();
        dialog->setMode(RecordMode::Add);
        dialog->show();
        return dialog;
    }
    // The editor opened on the small tree again, after moving through it with `steps` (see walk).
    std::unique_ptr<frmAdd_doc_type> openAfter(const QStringList& steps);

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
};

TEST_F(CustomerTypeEditorTest, Operations) {
    // A type in use is refused for the customers it holds.
    EXPECT_EQ(CustomerTypeStore::HasCustomers,
              "不能删除此类型，因为此类别已经有客户信息，如果要删除此类别请先删除此类别的客户信息!");
    const QString tree = "1:A:0 2:B:0 3:B1:2 4:B11:3 5:C:0";
    const QString mods = "A B B1 B11 C 行业类型";
    const QString held = "B1:1 B11:1 行业类型:1";
    struct Case {
        const char* name;
        std::function<void(Editor&)> operation;
        QString message; // empty: saved without a message
        QString types, modules, grants;
    };
    const Case cases[] = {
        {"add beside a sub-type", [](Editor& e) { e.add(3, "B2", false); }, "", tree + " 6:B2:2",
         mods + " B2", held},
        {"add beneath", [](Editor& e) { e.add(3, "B12", true); }, "", tree + " 6:B12:3", mods + " B12", held},
        {"add beside a top-level type", [](Editor& e) { e.add(2, "D", false); }, "", tree + " 6:D:0",
         mods + " D", held},
        {"add at the first node goes beneath it", [](Editor& e) { e.add(1, "Z", false); }, "",
         tree + " 6:Z:1", mods + " Z", held},
        {"wildcards are plain text", [](Editor& e) { e.add(2, "B_", false); }, "", tree + " 6:B_:0",
         mods + " B_", held},
        {"rename keeps the grants", [](Editor& e) { e.rename(3, "B1'x"); }, "",
         "1:A:0 2:B:0 3:B1'x:2 4:B11:3 5:C:0", "A B B1'x B11 C 行业类型", "B1'x:1 B11:1 行业类型:1"},
        {"rename to its own name", [](Editor& e) { e.rename(3, " B1 "); }, "", tree, mods, held},
        {"move beneath another type", [](Editor& e) { e.move(4, 5, true); }, "",
         "1:A:0 2:B:0 3:B1:2 4:B11:5 5:C:0", mods, held},
        {"move beside a top-level type", [](Editor& e) { e.move(3, 5, false); }, "",
         "1:A:0 2:B:0 3:B1:0 4:B11:3 5:C:0", mods, held},
        {"move beneath a descendant", [](Editor& e) { e.move(2, 4, true); },
         CustomerTypeStore::MoveBelowItself, tree, mods, held},
        {"move beneath itself", [](Editor& e) { e.move(3, 4, false); }, CustomerTypeStore::MoveBelowItself,
         tree, mods, held},
        {"duplicate name", [](Editor& e) { e.add(2, "c", false); }, CustomerTypeStore::NameTaken, tree, mods,
         held},
        {"rename to another's name", [](Editor& e) { e.rename(3, "B11"); }, CustomerTypeStore::NameTaken,
         tree, mods, held},
        {"fixed entry name", [](Editor& e) { e.add(2, "所有客户", true); }, CustomerTypeStore::NameTaken,
         tree, mods, held},
        {"settings window name", [](Editor& e) { e.rename(3, "行业类型"); }, CustomerTypeStore::NameTaken,
         tree, mods, held},
        {"navigation group name", [](Editor& e) { e.add(2, "参数设置", false); },
         CustomerTypeStore::NameTaken, tree, mods, held},
        {"report entry name", [](Editor& e) { e.add(2, "分类统计", false); }, CustomerTypeStore::NameTaken,
         tree, mods, held},
        {"empty name", [](Editor& e) { e.add(2, "   ", false); }, CustomerTypeStore::NameMissing, tree, mods,
         held},
        {"delete with customers", [](Editor& e) { e.remove(5); }, CustomerTypeStore::HasCustomers, tree, mods,
         held},
        {"delete with sub-types", [](Editor& e) { e.remove(3); }, CustomerTypeStore::HasSubTypes, tree, mods,
         held},
        {"delete a leaf", [](Editor& e) { e.remove(4); }, "", "1:A:0 2:B:0 3:B1:2 5:C:0", "A B B1 C 行业类型",
         "B1:1 行业类型:1"},
        {"first node cannot be edited", [](Editor& e) { e.rename(1, "A2"); }, "不能修改此信息", tree, mods,
         held},
        {"first node cannot be deleted", [](Editor& e) { e.remove(1); }, "不能删除此信息", tree, mods, held},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        seed();
        messages.clear();
        auto dialog = openEditor();
        Editor editor{*dialog};
        c.operation(editor);
        QStringList expected;
        if (QString(c.name).startsWith("delete"))
            expected << "是否真的要删除选定记录？Y/N";
        if (!c.message.isEmpty())
            expected << c.message;
        EXPECT_EQ(messages.texts(), expected);
        EXPECT_EQ(types(), c.types);
        EXPECT_EQ(modules(), c.modules);
        EXPECT_EQ(grants(), c.grants);
        // The dialog stays open; after a change it is idle again with the first node shown.
        EXPECT_TRUE(dialog->isVisible());
        if (c.message.isEmpty()) {
            EXPECT_EQ(dialog->state(), frmAdd_doc_type::State::Idle);
            EXPECT_EQ(dialog->txtName()->text(), "A");
            EXPECT_FALSE(dialog->btnSave()->isEnabled());
            EXPECT_TRUE(dialog->txtName()->isReadOnly());
        }
    }
}

// Moves through the editor's tree as a user does: "down", "up", "right" with the arrow keys, "mouse:<etid>"
// with a click on the shown node.
void walk(frmAdd_doc_type& dialog, const QStringList& steps) {
    QTreeWidget* tree = dialog.trvReport();
    for (const QString& step : steps) {
        if (step.startsWith("mouse:")) {
            QTreeWidgetItem* node = SelectionTreeView::findNode(*tree, step.section(':', 1).toLongLong());
            ASSERT_TRUE(node) << step.toStdString();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
        } else {
            const Qt::Key key = step == "down" ? Qt::Key_Down : step == "up" ? Qt::Key_Up : Qt::Key_Right;
            QTest::keyClick(tree, key);
        }
    }
}

std::unique_ptr<frmAdd_doc_type> CustomerTypeEditorTest::openAfter(const QStringList& steps) {
    seed();
    messages.clear();
    auto dialog = openEditor();
    walk(*dialog, steps);
    return dialog;
}

// The first node of the tree takes new types only beneath it, however it became current: its click
// leaves "同级类型" disabled with "下级类型" chosen, and so does Add, which saves the new type beneath it.
// Any other node offers both, "同级类型" chosen.
TEST_F(CustomerTypeEditorTest, AtTheFirstNodeOnlyASubTypeCanBeAdded) {
    const struct {
        QStringList steps;
        qint64 current;
        QString stored; // the added type "新类型" as etid:name:pid
    } cases[] = {
        {{}, 1, "6:新类型:1"}, // as the editor opens
        {{"down", "up"}, 1, "6:新类型:1"},
        {{"mouse:2", "mouse:1"}, 1, "6:新类型:1"},
        {{"down"}, 2, "6:新类型:0"},
        {{"mouse:5"}, 5, "6:新类型:0"},
        {{"down", "down"}, 3, "6:新类型:2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.join(',').toStdString());
        auto dialog = openAfter(c.steps);
        ASSERT_EQ(SelectionTreeView::idOfNode(dialog->trvReport()->currentItem()), c.current);
        const bool first = c.current == 1;
        if (!c.steps.isEmpty()) {
            EXPECT_EQ(dialog->Option1()->isEnabled(), !first);
            EXPECT_EQ(dialog->Option2()->isChecked(), first);
        }
        dialog->btnAdd_Click();
        EXPECT_EQ(dialog->Option1()->isEnabled(), !first);
        EXPECT_TRUE(dialog->Option2()->isEnabled());
        EXPECT_EQ(dialog->Option2()->isChecked(), first);
        EXPECT_EQ(dialog->Option1()->isChecked(), !first);
        dialog->Option1()->click(); // refused while disabled
        dialog->txtName()->setText("新类型");
        dialog->btnSave_Click();
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        EXPECT_EQ(snapshot("select etid||':'||name||':'||pid from customer_type where name='新类型'"),
                  c.stored);
    }
}

// However a type became current (the arrow keys, a click, expanding with the arrow key), the fields
// show it and Delete acts on it; while editing, the node the keys made current is the one the edited
// type moves beside.
TEST_F(CustomerTypeEditorTest, TheFieldsFollowTheCurrentType) {
    const struct {
        QStringList steps;
        qint64 shown;
        const char* name;
    } cases[] = {
        {{"down", "down", "right", "down"}, 4, "B11"},
        {{"mouse:2", "down", "right", "down"}, 4, "B11"},
        {{"down", "down", "down", "up", "up", "up", "down", "down", "right", "down"}, 4, "B11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps.join(',').toStdString());
        auto dialog = openAfter(c.steps);
        EXPECT_EQ(dialog->txtName()->text(), c.name);
        EXPECT_EQ(dialog->shownEtid(), c.shown);
        dialog->btnDel_Click();
        EXPECT_EQ(messages.texts(), QStringList{"是否真的要删除选定记录？Y/N"});
        EXPECT_EQ(snapshot(QStringLiteral("select name from customer_type where etid=%1").arg(c.shown)), "");
    }

    auto dialog = openAfter({"down", "down", "right", "down"});
    dialog->btnEdit_Click();
    walk(*dialog, {"up"});
    EXPECT_EQ(dialog->referenceEtid(), 3);
    EXPECT_TRUE(dialog->Option1()->isChecked());
    dialog->btnSave_Click();
    EXPECT_EQ(types(), "1:A:0 2:B:0 3:B1:2 4:B11:2 5:C:0");
}

TEST_F(CustomerTypeEditorTest, TreeShowsTypesByName) {
    ASSERT_TRUE(db.ExecSQL("insert into customer_type (etid, name, pid) values (6, 'B0', 2)"));
    auto dialog = openEditor();
    QTreeWidget& tree = *dialog->trvReport();
    ASSERT_EQ(tree.topLevelItemCount(), 3);
    QTreeWidgetItem* b = tree.topLevelItem(1);
    EXPECT_EQ(b->text(0), "B");
    EXPECT_TRUE(b->isExpanded());
    ASSERT_EQ(b->childCount(), 2);
    EXPECT_EQ(b->child(0)->text(0), "B0");
    EXPECT_EQ(b->child(1)->data(0, frmAdd_doc_type::KeyRole).toString(), "c_3");
    EXPECT_FALSE(b->child(1)->isExpanded());
    EXPECT_EQ(b->child(1)->child(0)->text(0), "B11");
    // Idle with the first node shown: fields locked, Save and the options disabled.
    EXPECT_EQ(dialog->txtName()->text(), "A");
    EXPECT_EQ(dialog->shownEtid(), 1);
    EXPECT_FALSE(dialog->btnSave()->isEnabled());
    EXPECT_FALSE(dialog->Option1()->isEnabled());
    EXPECT_FALSE(dialog->Option2()->isEnabled());
}

TEST_F(CustomerTypeEditorTest, TypeKeyedZeroShowsOnce) {
    // A file made elsewhere may hold a type keyed 0: its children query finds the top level again.
    ASSERT_TRUE(
        db.ExecSQL("insert into customer_type (etid, name, pid) values (0, 'Null', 0), (7, 'N1', 0)"));
    auto dialog = openEditor();
    QTreeWidget& tree = *dialog->trvReport();
    ASSERT_EQ(tree.topLevelItemCount(), 5);
    EXPECT_EQ(tree.topLevelItem(3)->text(0), "N1");
    EXPECT_EQ(tree.topLevelItem(4)->text(0), "Null");
    EXPECT_EQ(tree.topLevelItem(4)->childCount(), 0);
}

TEST_F(CustomerTypeEditorTest, FirstTypeOfAnEmptyTable) {
    ASSERT_TRUE(db.ExecSQL("delete from customer_type"));
    ASSERT_TRUE(db.ExecSQL("delete from customer_info"));
    auto dialog = openEditor();
    dialog->btnAdd_Click();
    EXPECT_TRUE(dialog->Option1()->isChecked());
    EXPECT_FALSE(dialog->Option2()->isEnabled());
    dialog->txtName()->setText("首个类型");
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(types(), "1:首个类型:0");
    EXPECT_EQ(snapshot("select description from customer_type"), " ");
    EXPECT_EQ(modules(), "A B B1 B11 C 行业类型 首个类型");
    EXPECT_EQ(dialog->trvReport()->topLevelItemCount(), 1);
}

TEST_F(CustomerTypeEditorTest, EditWithoutClickingKeepsTheParent) {
    auto dialog = openEditor();
    Editor editor{*dialog};
    editor.select(4);
    dialog->btnEdit_Click();
    EXPECT_TRUE(dialog->Option2()->isChecked());
    EXPECT_FALSE(dialog->Option1()->isEnabled());
    // Clicking the edited type itself keeps both options disabled and the name typed.
    dialog->txtName()->setText("B11新");
    dialog->txtRemark()->setPlainText("  备注  ");
    editor.select(4);
    EXPECT_FALSE(dialog->Option1()->isEnabled());
    EXPECT_EQ(dialog->txtName()->text(), "B11新");
    dialog->btnSave_Click();
    EXPECT_EQ(snapshot("select name||':'||pid||':'||description from customer_type where etid=4"),
              "B11新:3:备注");
}

TEST_F(CustomerTypeEditorTest, FailureRollsBackAndKeepsTheInput) {
    ASSERT_TRUE(db.ExecSQL("create trigger injected before insert on manage_module "
                           "begin select raise(abort, 'injected'); end"));
    auto dialog = openEditor();
    Editor editor{*dialog};
    editor.add(2, "新类型", false);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.last().text, "添加或修改数据失败！");
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(types(), "1:A:0 2:B:0 3:B1:2 4:B11:3 5:C:0");
    EXPECT_EQ(dialog->state(), frmAdd_doc_type::State::Adding);
    EXPECT_EQ(dialog->txtName()->text(), "新类型");
    EXPECT_TRUE(dialog->btnSave()->isEnabled());

    // A failing grant delete leaves type and module in place.
    ASSERT_TRUE(db.ExecSQL("create trigger injected_delete before delete on customer_type "
                           "begin select raise(abort, 'injected'); end"));
    messages.clear();
    editor.remove(4);
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(messages.last().text.startsWith("删除失败"));
    EXPECT_EQ(modules(), "A B B1 B11 C 行业类型");
    EXPECT_EQ(grants(), "B1:1 B11:1 行业类型:1");
}

TEST_F(CustomerTypeEditorTest, ClosingAfterAChangeRebuildsTheNavigationTree) {
    int rebuilds = 0;
    ScopedHook<void()> rebuild(PickerServices::rebuildNavigationTree(), [&] { ++rebuilds; });
    {
        auto dialog = openEditor();
        dialog->btnCancel_Click();
        EXPECT_EQ(rebuilds, 0);
    }
    auto dialog = openEditor();
    Editor{*dialog}.rename(3, "重点B");
    Editor{*dialog}.remove(4);
    EXPECT_EQ(rebuilds, 0);
    dialog->btnCancel_Click();
    EXPECT_EQ(rebuilds, 1);

    // The navigation tree shows the renamed type, and its rights module kept its key and grants.
    NavigationTree tree;
    tree.build(db);
    EXPECT_GE(tree.find("重点B"), 0);
    EXPECT_LT(tree.find("B1"), 0);
    EXPECT_EQ(snapshot("select mmid from manage_module where name = '重点B'"), "3");
    EXPECT_EQ(grants(), "重点B:1 行业类型:1");
}

} // namespace

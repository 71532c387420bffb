#include "admin/AdminForms.h"
#include "admin/DeptStore.h"
#include "admin/frmAdd_DeptManage.h"
#include "pickers/SelectionTreeView.h"
#include "pickers/frmSelectDpt.h"
#include "tests/admin/AdminTestSupport.h"
#include "ui/ModalRunner.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <map>

namespace {

// Company(1) with Finance(3) [Cashiers(6)] and Sales(2) [East(4) [Shanghai(11)], North(5)]; Branch(7) a
// second root; Orphan(8) below a missing department; LoopA(9) and LoopB(10) each other's parent. A user
// works in East.
const char* const Fixture = "insert into manage_dept (mdid, name, description, pid) values "
                            "(1, 'Company', 'all', 0), (2, 'Sales', 'sell', 1), (3, 'Finance', 'money', 1), "
                            "(4, 'East', 'east team', 2), (5, 'North', 'north team', 2), "
                            "(6, 'Cashiers', 'cash', 3), (7, 'Branch', 'far away', 0), "
                            "(8, 'Orphan', 'lost', 99), (9, 'LoopA', 'a', 10), (10, 'LoopB', 'b', 9), "
                            "(11, 'Shanghai', 'city', 4)";

class DeptEditorTest : public AdminTest {
protected:
    DeptEditorTest() {
        db.ExecSQL("delete from manage_dept");
        db.ExecSQL(Fixture);
        db.ExecSQL("update manage_user set mdid = 1");
        db.ExecSQL(
            "insert into manage_user (userid, name, pwd, mdid, isdel, flag) values ('u', 'u', '', 4, 0, 0)");
    }

    // The departments of the fixture again, and no message yet.
    void reseed() {
        db.ExecSQL("delete from manage_dept");
        db.ExecSQL(Fixture);
        messages.clear();
    }

    // "name|description|pid" of every department, in key order.
    QStringList rows() {
        QStringList result;
        auto rs = db.GetRS("select mdid, name, description, pid from manage_dept order by mdid");
        for (; rs && !rs->Eof(); rs->MoveNext())
            result << rs->Fields(0).toString() + "|" + rs->Text("name") + "|" + rs->Text("description") +
                          "|" + rs->Fields(3).toString();
        return result;
    }
    QString row(const QString& name) {
        auto rs = db.GetRS("select name, description, pid from manage_dept where name = ?", {name});
        if (!rs || rs->Eof())
            return QString();
        return rs->Text("name") + "|" + rs->Text("description") + "|" + rs->Fields(2).toString();
    }

    QTreeWidgetItem* node(frmAdd_DeptManage& editor, const QString& name) {
        const auto found = editor.trvReport()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    // Runs one step: "click:<name>" (the node made current), "mouse:<name>" (a click on the shown node),
    // "down", "up", "right" (the arrow keys), "add", "edit", "del", "opt1", "opt2", "name:<text>",
    // "remark:<text>", "save".
    void step(frmAdd_DeptManage& editor, const QString& action) {
        const QString arg = action.section(':', 1);
        QTreeWidget* tree = editor.trvReport();
        const std::map<QString, Qt::Key> keys{
            {"down", Qt::Key_Down}, {"up", Qt::Key_Up}, {"right", Qt::Key_Right}};
        if (action.startsWith("click:")) {
            QTreeWidgetItem* item = node(editor, arg);
            ASSERT_NE(item, nullptr) << arg.toStdString();
            tree->setCurrentItem(item);
        } else if (action.startsWith("mouse:")) {
            QTreeWidgetItem* item = node(editor, arg);
            ASSERT_NE(item, nullptr) << arg.toStdString();
            const QRect shown = tree->visualItemRect(item);
            ASSERT_FALSE(shown.isEmpty()) << arg.toStdString();
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, shown.center());
        } else if (keys.count(action)) {
            QTest::keyClick(tree, keys.at(action));
        } else if (action == "add") {
            editor.btnAdd_Click();
        } else if (action == "edit") {
            editor.btnEdit_Click();
        } else if (action == "del") {
            editor.btnDel_Click();
        } else if (action == "opt1") {
            editor.Option1()->setChecked(true);
        } else if (action == "opt2") {
            editor.Option2()->setChecked(true);
        } else if (action.startsWith("name:")) {
            editor.txtName()->setText(arg);
        } else if (action.startsWith("remark:")) {
            editor.txtRemark()->setPlainText(arg);
        } else if (action == "save") {
            editor.btnSave_Click();
        } else {
            FAIL() << action.toStdString();
        }
    }
    void run(frmAdd_DeptManage& editor, const QStringList& actions) {
        for (const QString& action : actions)
            step(editor, action);
    }
};

QStringList childTexts(const QTreeWidgetItem* parent) {
    QStringList result;
    for (int i = 0; i < parent->childCount(); ++i)
        result << parent->child(i)->text(0);
    return result;
}

TEST_F(DeptEditorTest, TreeInNameOrderWithoutOrphansAndLoops) {
    frmAdd_DeptManage editor;
    editor.show();
    QTreeWidget& tree = *editor.trvReport();
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "Branch");
    QTreeWidgetItem* company = tree.topLevelItem(1);
    EXPECT_EQ(company->text(0), "Company");
    EXPECT_EQ(company->data(0, frmAdd_DeptManage::KeyRole).toString(), "c_1");
    EXPECT_TRUE(company->isExpanded());
    EXPECT_EQ(childTexts(company), (QStringList{"Finance", "Sales"}));
    QTreeWidgetItem* sales = company->child(1);
    EXPECT_FALSE(sales->isExpanded());
    EXPECT_EQ(childTexts(sales), (QStringList{"East", "North"}));
    EXPECT_EQ(childTexts(sales->child(0)), (QStringList{"Shanghai"}));
    for (const char* hidden : {"Orphan", "LoopA", "LoopB"})
        EXPECT_EQ(node(editor, hidden), nullptr) << hidden;

    // Idle: the first root shown, the fields locked.
    EXPECT_EQ(tree.currentItem(), tree.topLevelItem(0));
    EXPECT_EQ(editor.txtName()->text(), "Branch");
    EXPECT_EQ(editor.txtRemark()->toPlainText(), "far away");
    EXPECT_EQ(editor.shownId(), 7);
    EXPECT_TRUE(editor.Option1()->isChecked());
    EXPECT_FALSE(editor.Option1()->isEnabled());
    EXPECT_FALSE(editor.Option2()->isEnabled());
    EXPECT_TRUE(editor.txtName()->isReadOnly());
    EXPECT_TRUE(editor.txtRemark()->isReadOnly());
    EXPECT_FALSE(editor.btnSave()->isEnabled());
    EXPECT_EQ(editor.windowTitle(), "添加部门名称");
    // The options name departments, not types.
    EXPECT_EQ(editor.Option1()->text(), "同级部门");
    EXPECT_EQ(editor.Option2()->text(), "下级部门");
    EXPECT_TRUE(messages.empty());
}

// Each case: the steps, then the department's stored name, description and parent.
TEST_F(DeptEditorTest, EditorStepsStoreTheDepartment) {
    struct Case {
        const char* what;
        QStringList steps;
        QString name;
        QString expected; // "name|description|pid"
    };
    const QList<Case> cases = {
        {"sibling of a second-level department",
         {"click:Sales", "add", "name: Support ", "remark: help ", "save"},
         "Support",
         "Support|help|1"},
        {"child of a second-level department",
         {"click:Sales", "add", "opt2", "name:West", "remark:w", "save"},
         "West",
         "West|w|2"},
        {"child of a top-level department",
         {"click:Company", "add", "name:Legal", "remark:l", "save"},
         "Legal",
         "Legal|l|1"},
        {"edit keeps the parent",
         {"click:East", "edit", "name:Eastern", "remark:e2", "save"},
         "Eastern",
         "Eastern|e2|2"},
        {"move next to another",
         {"click:East", "edit", "click:Cashiers", "save"},
         "East",
         "East|east team|3"},
        {"move below another",
         {"click:East", "edit", "click:Finance", "opt2", "save"},
         "East",
         "East|east team|3"},
        {"top-level click with the options disabled keeps the parent",
         {"click:East", "edit", "click:Branch", "save"},
         "East",
         "East|east team|2"},
        {"top-level click after another click moves below it",
         {"click:East", "edit", "click:Finance", "click:Branch", "save"},
         "East",
         "East|east team|7"},
        {"the edited one clicked again keeps the parent",
         {"click:East", "edit", "click:Finance", "click:East", "save"},
         "East",
         "East|east team|2"},
        {"a click while adding makes that department the reference",
         {"click:Sales", "add", "name:lost", "click:Cashiers", "name:Audit", "remark:a", "save"},
         "Audit",
         "Audit|a|3"},
        {"renaming to the own name in another case",
         {"click:North", "edit", "name:NORTH", "save"},
         "NORTH",
         "NORTH|north team|2"},
        {"a typed underscore is no wildcard",
         {"click:Sales", "add", "name:Eas_", "remark:x", "save"},
         "Eas_",
         "Eas_|x|1"},
        {"a typed percent is no wildcard",
         {"click:Sales", "add", "name:Fin%", "remark:x", "save"},
         "Fin%",
         "Fin%|x|1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        reseed();
        frmAdd_DeptManage editor;
        editor.show();
        run(editor, c.steps);
        EXPECT_TRUE(messages.empty()) << messages.texts().join("; ").toStdString();
        EXPECT_EQ(row(c.name), c.expected);
        // Back to idle with the tree loaded again.
        EXPECT_EQ(editor.windowMode(), std::nullopt);
        EXPECT_FALSE(editor.btnSave()->isEnabled());
        EXPECT_NE(node(editor, c.name), nullptr);
        // The reload shows the first root, also after an edit.
        EXPECT_EQ(editor.txtName()->text(), "Branch");
        EXPECT_EQ(editor.shownId(), 7);
    }
    // A new key is the highest plus one, gaps left alone.
    EXPECT_EQ(db.GetRS("select mdid from manage_dept where name = 'Fin%'")->Fields(0).toInt(), 12);
}

// Each case: the steps and the one message; nothing is written.
TEST_F(DeptEditorTest, RefusalsWriteNothing) {
    struct Case {
        QStringList steps;
        QString message;
    };
    const QString users =
        "不能删除此部门，因为此部门已经有员工信息，如果要删除此部门请先删除此部门下的员工信息!";
    const QString below = "不能把部门移到它自己或它的下级部门下!";
    const QList<Case> cases = {
        {{"click:Company", "edit"}, "不能修改此信息"},
        {{"click:Company", "del"}, "不能删除此信息"},
        {{"click:East", "del"}, users},
        {{"click:Sales", "del"},
         "不能删除此部门，因为此部门已经有下级部门，如果要删除此部门请先删除下级部门!"},
        {{"click:Sales", "edit", "click:East", "save"}, below},             // next to its child: below itself
        {{"click:Sales", "edit", "click:East", "opt2", "save"}, below},     // below its child
        {{"click:Sales", "edit", "click:Shanghai", "opt2", "save"}, below}, // below its grandchild
        {{"click:Sales", "add", "name:   ", "remark:r", "save"}, "请输入部门名称!"},
        {{"click:Sales", "add", "name:New", "remark:  ", "save"}, "请输入部门描述!"},
        {{"click:Sales", "add", "name:finance", "remark:r", "save"}, "部门已经存在!请重新输入!"},
        {{"click:North", "edit", "name:EAST", "save"}, "部门已经存在!请重新输入!"},
    };
    const QStringList before = rows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps.join(", ").toStdString());
        messages.clear();
        frmAdd_DeptManage editor;
        editor.show();
        run(editor, c.steps);
        ASSERT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        EXPECT_EQ(messages.last().title, "提示信息");
        EXPECT_EQ(rows(), before);
    }
}

// However a department became current (a click, the arrow keys, expanding with the arrow key), the
// fields show it, and Delete and Edit act on it; while editing, the department made current by the keys
// is the one the edited department moves next to.
TEST_F(DeptEditorTest, TheFieldsFollowTheCurrentDepartment) {
    struct Case {
        QStringList steps;
        QString shown; // the current department, in the fields, then deleted
    };
    const QList<Case> cases = {
        {{"down", "down", "right", "down"}, "Cashiers"},
        {{"mouse:Company", "down", "down", "right", "down", "down"}, "North"},
        {{"click:Sales", "right", "down", "right", "down"}, "Shanghai"},
        {{"click:Finance", "right", "mouse:Cashiers"}, "Cashiers"},
        {{"mouse:Branch", "down", "down", "right", "down", "up", "down"}, "Cashiers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps.join(", ").toStdString());
        reseed();
        frmAdd_DeptManage editor;
        editor.show();
        run(editor, c.steps);
        QTreeWidgetItem* current = editor.trvReport()->currentItem();
        ASSERT_NE(current, nullptr);
        EXPECT_EQ(current->text(0), c.shown);
        EXPECT_EQ(editor.txtName()->text(), c.shown);
        EXPECT_EQ(editor.txtRemark()->toPlainText(), row(c.shown).section('|', 1, 1));
        EXPECT_EQ(editor.shownId(), SelectionTreeView::idOfNode(current));
        run(editor, {"del"});
        EXPECT_TRUE(messages.empty()) << messages.texts().join("; ").toStdString();
        EXPECT_EQ(row(c.shown), QString());
    }

    reseed();
    frmAdd_DeptManage editor;
    editor.show();
    run(editor, {"click:Finance", "right", "down", "edit", "up"});
    EXPECT_EQ(editor.targetId(), 3);
    EXPECT_TRUE(editor.Option1()->isEnabled());
    run(editor, {"save"});
    EXPECT_EQ(row("Cashiers"), "Cashiers|cash|1");
    EXPECT_TRUE(messages.empty()) << messages.texts().join("; ").toStdString();

    // A click reads the department once, whether it made the department current or it was already.
    ASSERT_TRUE(db.ExecSQL("alter table manage_dept rename to gone"));
    for (const char* click : {"mouse:Company", "mouse:Company"}) {
        messages.clear();
        run(editor, {click});
        EXPECT_EQ(messages.messages().size(), 1) << messages.texts().join("; ").toStdString();
    }
}

TEST_F(DeptEditorTest, DeleteWithoutQuestionThenIdle) {
    frmAdd_DeptManage editor;
    editor.show();
    run(editor, {"click:North", "del"});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(row("North"), QString());
    EXPECT_EQ(node(editor, "North"), nullptr);
    EXPECT_EQ(editor.windowMode(), std::nullopt);

    // With nothing selected, Add, Edit and Delete do nothing.
    editor.trvReport()->setCurrentItem(nullptr);
    const QStringList before = rows();
    run(editor, {"add", "edit", "del"});
    EXPECT_EQ(editor.windowMode(), std::nullopt);
    EXPECT_FALSE(editor.btnSave()->isEnabled());
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DeptEditorTest, FirstKeyOfAnEmptyTableIsOne) {
    db.ExecSQL("delete from manage_dept");
    EXPECT_EQ(DeptStore(db).nextKey(), 1);
    db.ExecSQL("insert into manage_dept (mdid, name, description, pid) values (40, 'x', 'x', 0)");
    EXPECT_EQ(DeptStore(db).nextKey(), 41);
}

// A write that fails or changes no row is rolled back; the editor keeps its mode and fields.
TEST_F(DeptEditorTest, FailedWriteRollsBackAndKeepsTheInput) {
    struct Case {
        const char* trigger;
        QStringList steps;
        RecordMode mode;
    };
    const QList<Case> cases = {
        {"CREATE TRIGGER fail BEFORE INSERT ON manage_dept BEGIN SELECT RAISE(ABORT, 'injected'); END",
         {"click:Sales", "add", "name:New", "remark:r", "save"},
         RecordMode::Add},
        {"CREATE TRIGGER fail BEFORE UPDATE ON manage_dept BEGIN SELECT RAISE(ABORT, 'injected'); END",
         {"click:East", "edit", "name:New", "remark:r", "save"},
         RecordMode::Edit},
        {"CREATE TRIGGER fail BEFORE UPDATE ON manage_dept BEGIN SELECT RAISE(IGNORE); END",
         {"click:East", "edit", "click:Finance", "name:New", "remark:r", "save"},
         RecordMode::Edit},
        // The duplicate test itself fails.
        {"ALTER TABLE manage_dept RENAME COLUMN name TO title",
         {"click:East", "edit", "name:New", "save"},
         RecordMode::Edit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trigger);
        db.ExecSQL("delete from manage_dept");
        db.ExecSQL(Fixture);
        const QStringList before = rows();
        messages.clear();
        frmAdd_DeptManage editor;
        editor.show();
        ASSERT_TRUE(db.ExecSQL(c.trigger));
        run(editor, c.steps);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, "添加或修改数据失败！");
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, "提示信息");
        EXPECT_EQ(editor.windowMode(), c.mode);
        EXPECT_EQ(editor.txtName()->text(), "New");
        EXPECT_TRUE(editor.btnSave()->isEnabled());
        db.ExecSQL("DROP TRIGGER IF EXISTS fail");
        db.ExecSQL("ALTER TABLE manage_dept RENAME COLUMN title TO name");
        EXPECT_EQ(rows(), before);
        EXPECT_FALSE(db.GetRS("select 1")->Eof()); // no transaction left open
        EXPECT_TRUE(db.ExecSQL("begin"));
        db.ExecSQL("rollback");
    }
}

// The department list opens the editor by its dialog name; the list's edit mode holds until Add or Edit:
// clicks do not show departments meanwhile.
TEST_F(DeptEditorTest, ListEditModeHoldsUntilAddOrEdit) {
    registerAdminForms();
    bool ran = false;
    ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& shown) {
        auto* editor = qobject_cast<frmAdd_DeptManage*>(&shown);
        EXPECT_NE(editor, nullptr);
        if (!editor)
            return int(QDialog::Rejected);
        ran = true;
        editor->show();
        EXPECT_EQ(editor->windowTitle(), "修改部门设置");
        EXPECT_EQ(editor->windowMode(), RecordMode::Edit);
        EXPECT_EQ(editor->txtName()->text(), QString());
        run(*editor, {"mouse:Sales"});
        EXPECT_EQ(editor->txtName()->text(), QString());
        EXPECT_EQ(editor->targetId(), 2);
        // A click on the current department shows it too.
        run(*editor, {"add", "mouse:Sales"});
        EXPECT_EQ(editor->txtName()->text(), "Sales");
        EXPECT_EQ(editor->shownId(), 2);
        return int(QDialog::Rejected);
    });
    const RecordDialogOutcome outcome = openRecordDialog(
        {"frmAdd_Dept", RecordMode::Edit, "部门设置", "select * from manage_dept_view where mdid=4", {}});
    EXPECT_TRUE(outcome.opened);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(messages.empty());
}

// The department picker's add button opens the editor; the new department shows in the picker's tree.
TEST_F(DeptEditorTest, AddingThroughThePickerShowsInItsTree) {
    registerAdminForms();
    frmSelectDpt picker;
    bool edited = false;
    ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& shown) {
        shown.show();
        if (auto* editor = qobject_cast<frmAdd_DeptManage*>(&shown)) {
            EXPECT_EQ(editor->windowTitle(), "添加部门");
            run(*editor, {"click:Company", "add", "name:Research", "remark:r", "save"});
            edited = true;
        } else {
            picker.btnAdd_Click();
        }
        shown.hide();
        return int(QDialog::Accepted);
    });
    ModalRunner::run(picker);
    EXPECT_TRUE(edited);
    EXPECT_EQ(row("Research"), "Research|r|1");
    const auto found = picker.trvReport()->findItems("Research", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found.first()->parent()->text(0), "Company");
    EXPECT_TRUE(messages.empty());
}

} // namespace

#include "pickers/PickerServices.h"
#include "pickers/frmSelectDate.h"
#include "pickers/frmSelectDpt.h"
#include "pickers/frmSelectType.h"
#include "tests/fixtures/DamagedFile.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/StandInRecordDialog.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs each dialog by showing it (which loads it) and handing it to `drive`.
class DriveDialogs {
public:
    explicit DriveDialogs(std::function<void(QDialog&)> drive)
        : m_hook(ModalRunner::handler(),
                 [this](QDialog& dialog) {
                     dialog.setResult(QDialog::Rejected);
                     dialog.show();
                     m_drive(dialog);
                     const int result = dialog.result();
                     dialog.hide();
                     return result;
                 }),
          m_drive(std::move(drive)) {}

private:
    ScopedHook<int(QDialog&)> m_hook;
    std::function<void(QDialog&)> m_drive;
};

QStringList texts(const QTreeWidgetItem* parent) {
    QStringList result;
    for (int i = 0; i < parent->childCount(); ++i)
        result << parent->child(i)->text(0);
    return result;
}

class SelectionDialogsTest : public ::testing::Test {
protected:
    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
};

TEST_F(SelectionDialogsTest, TypeDialogHandsBackNameAndKey) {
    db.ExecSQL("delete from customer_type");
    db.ExecSQL("insert into customer_type (etid, name, pid) values (1, 'B', 0), (2, 'A', 0), (3, 'Y', 1), "
               "(4, 'X', 1), (17, 'Deep', 4)");
    frmSelectType dialog;
    // Confirming at once hands back the first name in sort order.
    DriveDialogs confirm([](QDialog& shown) { static_cast<frmSelectType&>(shown).cmdOK_Click(); });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.tag(), QStringLiteral("A"));
    EXPECT_EQ(dialog.typeKey(), QStringLiteral("2"));

    QTreeWidget& tree = *dialog.trvReport();
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* b = tree.topLevelItem(1);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(texts(b), (QStringList{"X", "Y"}));
    QTreeWidgetItem* x = b->child(0);
    EXPECT_FALSE(x->isExpanded());
    ASSERT_EQ(x->childCount(), 1);
    QTreeWidgetItem* deep = x->child(0);
    EXPECT_EQ(deep->data(0, SelectTreeDialog::KeyRole).toString(), QStringLiteral("c_17"));

    // A double-click on the nested type picks it and hides the window.
    DriveDialogs doubleClick([](QDialog& shown) {
        auto& type = static_cast<frmSelectType&>(shown);
        QTreeWidgetItem* node = type.trvReport()->topLevelItem(1)->child(0)->child(0);
        type.chooseNode(node);
    });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.tag(), QStringLiteral("Deep"));
    EXPECT_EQ(dialog.typeKey(), QStringLiteral("17"));

    // A click picks without hiding; the close box then leaves nothing picked.
    DriveDialogs clickThenClose([](QDialog& shown) {
        auto& type = static_cast<frmSelectType&>(shown);
        type.selectNode(type.trvReport()->topLevelItem(1));
        EXPECT_TRUE(type.isVisible());
        EXPECT_EQ(type.tag(), QStringLiteral("B"));
        type.close();
    });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Rejected);
    EXPECT_EQ(dialog.tag(), QString());
    EXPECT_EQ(dialog.typeKey(), QString());
    EXPECT_TRUE(messages.empty());
}

// Coming back from another window of the program reloads the tree and the choice; coming back from
// another program keeps both.
TEST_F(SelectionDialogsTest, ReloadsWhenAnotherWindowOfTheProgramWasActive) {
    db.ExecSQL("delete from customer_type");
    db.ExecSQL("insert into customer_type (etid, name, pid) values (1, 'B', 0), (2, 'A', 0)");
    frmSelectType dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.selectNode(dialog.trvReport()->topLevelItem(1));
    db.ExecSQL("insert into customer_type (etid, name, pid) values (3, 'C', 0)");

    QApplication::setActiveWindow(nullptr); // another program
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(dialog.trvReport()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.tag(), QStringLiteral("B"));

    QWidget editor; // a window the dialog opened
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.hide();
    QApplication::setActiveWindow(&dialog);
    EXPECT_EQ(dialog.trvReport()->topLevelItemCount(), 3);
    EXPECT_EQ(dialog.tag(), QStringLiteral("A"));
    EXPECT_EQ(dialog.typeKey(), QStringLiteral("2"));
}

TEST_F(SelectionDialogsTest, EmptyTreeHandsBackNothing) {
    db.ExecSQL("delete from customer_type");
    frmSelectType dialog;
    DriveDialogs confirm([](QDialog& shown) { static_cast<frmSelectType&>(shown).cmdOK_Click(); });
    ModalRunner::run(dialog);
    EXPECT_EQ(dialog.trvReport()->topLevelItemCount(), 0);
    EXPECT_EQ(dialog.tag(), QString());
}

// A tree that cannot be read (its table's pages damaged under the open connection): one message
// naming the damage, and the window goes without a choice instead of standing empty.
TEST_F(SelectionDialogsTest, ATreeThatCannotBeReadSaysSoAndClosesTheWindow) {
    ASSERT_TRUE(DamagedFile::damageTables(db, base.file(), {"customer_type"}));
    ASSERT_TRUE(DamagedFile::damageTables(db, base.file(), {"manage_dept"}));
    frmSelectType types;
    frmSelectDpt departments;
    for (SelectTreeDialog* dialog : std::initializer_list<SelectTreeDialog*>{&types, &departments}) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        messages.clear();
        int result = -1;
        DriveDialogs wait([&](QDialog& shown) {
            // The window closes itself once its modal run is under way.
            for (int i = 0; i < 50 && shown.isVisible(); ++i)
                QApplication::processEvents();
            result = shown.isVisible() ? -1 : shown.result();
        });
        ModalRunner::run(*dialog);
        EXPECT_EQ(result, QDialog::Rejected) << "the window stayed open";
        ASSERT_EQ(messages.messages().size(), 1) << messages.texts().join('\n').toStdString();
        EXPECT_TRUE(messages.last().text.startsWith(QStringLiteral("数据库文件已经损坏")))
            << messages.last().text.toStdString();
        EXPECT_EQ(dialog->tag(), QString());
    }
}

TEST_F(SelectionDialogsTest, AddOpensTheEditorInAddModeThenReloads) {
    QString mode;
    QString caption;
    FormFactory::registerForm(QStringLiteral("frmAdd_doc_type"), [] { return new StandInRecordDialog; });
    int rebuilds = 0;
    ScopedHook<void()> rebuild(PickerServices::rebuildNavigationTree(), [&] { ++rebuilds; });

    frmSelectType dialog;
    DriveDialogs drive([&](QDialog& shown) {
        if (&shown != &dialog) { // the editor: it adds a type
            mode = recordModeOf(shown);
            caption = shown.windowTitle();
            db.ExecSQL("insert into customer_type (etid, name, pid) values (40, '新类型', 0)");
            return;
        }
        dialog.btnAdd_Click();
        EXPECT_EQ(rebuilds, 1);
        dialog.cmdOK_Click();
    });
    ModalRunner::run(dialog);
    EXPECT_EQ(mode, QStringLiteral("1"));
    EXPECT_EQ(caption, QStringLiteral("添加分类类型"));
    QStringList top;
    for (int i = 0; i < dialog.trvReport()->topLevelItemCount(); ++i)
        top << dialog.trvReport()->topLevelItem(i)->text(0);
    EXPECT_TRUE(top.contains(QStringLiteral("新类型")));
}

TEST_F(SelectionDialogsTest, DepartmentDialogHandsBackTheNameOnly) {
    db.ExecSQL("insert into manage_dept (mdid, name, pid) values (2, '销售部', 1), (3, '财务部', 1)");
    frmSelectDpt dialog;
    DriveDialogs drive([](QDialog& shown) {
        auto& dpt = static_cast<frmSelectDpt&>(shown);
        EXPECT_EQ(dpt.windowTitle(), QStringLiteral("选择部门"));
        EXPECT_EQ(dpt.tag(), QStringLiteral("公司部门"));
        // No department editor is registered: "添加" does nothing further.
        dpt.btnAdd_Click();
        dpt.selectNode(dpt.trvReport()->topLevelItem(0)->child(1));
        dpt.cmdOK_Click();
    });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.tag(), QStringLiteral("销售部"));
    EXPECT_TRUE(messages.empty());
}

// Enter on a node chooses it as "选定" does, in both tree pickers, whichever node the arrow keys made
// current.
TEST_F(SelectionDialogsTest, EnterOnANodeChoosesIt) {
    db.ExecSQL("delete from customer_type");
    db.ExecSQL("insert into customer_type (etid, name, pid) values (1, 'B', 0), (2, 'A', 0), (3, 'B1', 1)");
    db.ExecSQL("insert into manage_dept (mdid, name, pid) values (2, '销售部', 1), (3, '财务部', 1)");
    const struct {
        std::function<std::unique_ptr<SelectTreeDialog>()> make;
        int downs;
        Qt::Key enter;
        const char* chosen;
    } cases[] = {
        {[] { return std::make_unique<frmSelectType>(); }, 0, Qt::Key_Return, "A"},
        {[] { return std::make_unique<frmSelectType>(); }, 2, Qt::Key_Enter, "B1"},
        {[] { return std::make_unique<frmSelectDpt>(); }, 1, Qt::Key_Return, "财务部"},
        {[] { return std::make_unique<frmSelectDpt>(); }, 2, Qt::Key_Enter, "销售部"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        const std::unique_ptr<SelectTreeDialog> dialog = c.make();
        DriveDialogs drive([&](QDialog&) {
            for (int i = 0; i < c.downs; ++i)
                QTest::keyClick(dialog->trvReport(), Qt::Key_Down);
            QTest::keyClick(dialog->trvReport(), c.enter);
        });
        EXPECT_EQ(ModalRunner::run(*dialog), QDialog::Accepted);
        EXPECT_EQ(dialog->tag(), QString::fromUtf8(c.chosen));
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(SelectionDialogsTest, DateDialogHandsBackTheDayOrNothing) {
    frmSelectDate dialog;
    DriveDialogs pick([](QDialog& shown) { static_cast<frmSelectDate&>(shown).pickDate(QDate(2024, 3, 5)); });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.tag(), QStringLiteral("2024-03-05"));

    DriveDialogs close([](QDialog& shown) { shown.close(); });
    EXPECT_EQ(ModalRunner::run(dialog), QDialog::Rejected);
    EXPECT_EQ(dialog.tag(), QString());
}

} // namespace

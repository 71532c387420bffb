// Record dialogs whose pick lists cannot be read (their pages damaged under the open connection): each
// says so in one message and goes, instead of standing with empty lists whose save would store no
// type, title or department.
#include "app/FormRegistration.h"
#include "core/Globals.h"
#include "core/clsApp.h"
#include "tests/fixtures/DamagedFile.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/IRecordDialog.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

namespace {

TEST(DamagedPickLists, ARecordDialogWhoseListCannotBeReadSaysSoOnceAndGoes) {
    registerAllForms();
    const struct {
        const char* form;
        const char* table; // the table of its pick list
    } cases[] = {
        {"frmAdd_client", "customer_type"},
        {"frmAdd_info_records", "info_parameter"},
        {"frmAdd_info_linkman", "info_parameter"},
        {"frmAdd_User", "manage_dept"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        TestDatabase base;
        clsApp app(base.db());
        gMDB = &base.db();
        gApp = &app;
        ASSERT_TRUE(DamagedFile::damageTables(base.db(), base.file(), {QString::fromUtf8(c.table)}));
        MessageRecorder messages;
        bool closed = false;
        ScopedHook<int(QDialog&)> run(ModalRunner::handler(), [&](QDialog& dialog) {
            dialog.show();
            // The dialog goes by itself once its modal run is under way.
            for (int i = 0; i < 50 && dialog.isVisible(); ++i)
                QApplication::processEvents();
            closed = !dialog.isVisible();
            dialog.hide();
            return dialog.result();
        });
        const RecordDialogOutcome outcome =
            openRecordDialog({QString::fromUtf8(c.form), RecordMode::Add, QStringLiteral("客户"), QString(),
                              QStringLiteral("1")});
        EXPECT_TRUE(outcome.opened);
        EXPECT_TRUE(closed) << "the dialog stayed open with empty lists";
        EXPECT_EQ(outcome.result, QDialog::Rejected);
        ASSERT_EQ(messages.messages().size(), 1) << messages.texts().join('\n').toStdString();
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("数据库文件已经损坏")))
            << messages.last().text.toStdString();
        gApp = nullptr;
        gMDB = nullptr;
    }
}

} // namespace

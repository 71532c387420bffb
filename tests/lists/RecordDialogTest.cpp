#include "core/TextFunctions.h"
#include "tests/fixtures/MessageRecorder.h"
#include "ui/FormFactory.h"
#include "ui/IRecordDialog.h"
#include "ui/ModalRunner.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
// A record dialog that remembers what it was given, as the real ones read it when they load.
class ProbeDialog : public QDialog, public IRecordDialog {
public:
    QVariant listResult() const override { return QStringLiteral("2024-02-01"); }
};
} // namespace

TEST(RecordDialog, CaptionAndModeTags) {
    EXPECT_EQ(recordDialogCaption(RecordMode::Add, QStringLiteral("模块名称设置")),
              QStringLiteral("添加模块名称设置"));
    EXPECT_EQ(recordDialogCaption(RecordMode::Edit, QStringLiteral("模块名称设置")),
              QStringLiteral("修改模块名称设置"));
    EXPECT_EQ(recordDialogCaption(RecordMode::Browse, QStringLiteral("行业类型设置")),
              QStringLiteral("浏览行业类型设置"));
    for (RecordMode mode : {RecordMode::Add, RecordMode::Edit, RecordMode::Browse})
        EXPECT_EQ(recordModeFromTag(recordModeTag(mode)), mode);
    EXPECT_EQ(recordModeTag(RecordMode::Edit), QStringLiteral("2"));
    EXPECT_FALSE(recordModeFromTag(QStringLiteral("4")).has_value());
}

TEST(RecordDialog, RowQueryJoinsTheTrimmedBaseQueryWithTheKey) {
    EXPECT_EQ(recordRowQuery(QStringLiteral("SELECT * from  manage_module "), QStringLiteral("mmid"),
                             QStringLiteral("7")),
              QStringLiteral("SELECT * from  manage_module where mmid=7"));
    EXPECT_EQ(recordRowQuery(QStringLiteral("SELECT * from customer_info_view where 1=1"),
                             QStringLiteral("ciid"), QStringLiteral("12"), QStringLiteral(" and ")),
              QStringLiteral("SELECT * from customer_info_view where 1=1 and ciid=12"));
}

TEST(RecordDialog, OpenHandsTheProtocolToARegisteredDialog) {
    FormFactory::registerForm(QStringLiteral("frmProbe_Record"), [] { return new ProbeDialog; });
    QString seenCaption, seenQuery, seenOwner;
    RecordMode seenMode = RecordMode::Add;
    ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [&](QDialog& dialog) {
        auto& record = dynamic_cast<IRecordDialog&>(dialog);
        seenCaption = dialog.windowTitle();
        seenMode = record.mode();
        seenQuery = record.rowQuery();
        seenOwner = record.ownerKey();
        record.setLoadedKey(QStringLiteral("7"));
        return int(QDialog::Accepted);
    });

    RecordDialogRequest request;
    request.formName = QStringLiteral(" FRMPROBE_record ");
    request.mode = RecordMode::Edit;
    request.listTitle = QStringLiteral("模块名称设置");
    request.rowQuery = recordRowQuery(QStringLiteral("SELECT * from  manage_module "), QStringLiteral("mmid"),
                                      QStringLiteral("7"));
    request.ownerKey = QStringLiteral("15");
    const RecordDialogOutcome outcome = openRecordDialog(request);
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.result, int(QDialog::Accepted));
    EXPECT_EQ(seenCaption, QStringLiteral("修改模块名称设置"));
    EXPECT_EQ(seenMode, RecordMode::Edit);
    EXPECT_EQ(seenQuery, QStringLiteral("SELECT * from  manage_module where mmid=7"));
    EXPECT_EQ(seenOwner, QStringLiteral("15"));
    EXPECT_EQ(outcome.loadedKey, QStringLiteral("7"));
    EXPECT_EQ(outcome.listResult.toString(), QStringLiteral("2024-02-01"));

    // Add passes no row query.
    request.mode = RecordMode::Add;
    openRecordDialog(request);
    EXPECT_EQ(seenCaption, QStringLiteral("添加模块名称设置"));
    EXPECT_EQ(seenQuery, QString());
}

TEST(RecordDialog, AnUnregisteredNameIsReportedAndOpensNothing) {
    MessageRecorder messages;
    int runs = 0;
    ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [&](QDialog&) { return ++runs; });
    RecordDialogRequest request;
    request.formName = QStringLiteral("frmAdd_NotThere");
    const RecordDialogOutcome outcome = openRecordDialog(request);
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(runs, 0);
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("frmAdd_NotThere")));
    EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
}

TEST(TextFunctions, SpaceAndZeroForEmptyValues) {
    struct Case {
        QString text;
        QString orSpace;          // customer card and list windows
        QString orSpaceUntrimmed; // contact-record dialogs, customer-type editor
        QString orZero;
    };
    const QList<Case> cases = {
        {"", " ", " ", "0"},      {" ", " ", "", " "},
        {"   ", " ", "", "   "},  {" 成都 ", "成都", "成都", " 成都 "},
        {"12", "12", "12", "12"}, {"O'Neil", "O'Neil", "O'Neil", "O'Neil"}, // a quote is not doubled
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextOrSpace(c.text), c.orSpace) << "[" << c.text.toStdString() << "]";
        EXPECT_EQ(TextOrSpaceUntrimmedTest(c.text), c.orSpaceUntrimmed) << "[" << c.text.toStdString() << "]";
        EXPECT_EQ(TextOrZero(c.text), c.orZero) << "[" << c.text.toStdString() << "]";
    }
}

// The visit dialog and the customer's next visit date, down to the reminder list.
#include "customers/VisitRecord.h"
#include "core/NodeCatalogue.h"
#include "customers/CustomerForms.h"
#include "customers/frmAdd_info_records.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/customers/CustomerCardSupport.h"
#include "tests/ui/TextEntry.h"
#include "ui/LineEditLimit.h"
#include "ui/ModalRunner.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

namespace {

const QDate Today = QDate::currentDate();

QString day(int daysFromToday) {
    return Today.addDays(daysFromToday).toString(QStringLiteral("yyyy-MM-dd"));
}

class VisitRecordTest : public CardTest {
protected:
    // A customer registered ten days ago with an interval of 30 days, due since yesterday.
    void SetUp() override {
        ASSERT_TRUE(db.ExecSQL("insert into customer_info (ciid,cardname,company,etid,duty,dateday,nextdate,"
                               "sign_date,address,isdel) values (1,'张三','甲公司',3,3,'30',?,?,'路',0)",
                               {day(-1), day(-10)}));
    }

    std::unique_ptr<frmAdd_info_records> openVisit(RecordMode mode, const QString& arid = {}) {
        auto dialog = std::make_unique<frmAdd_info_records>();
        dialog->setMode(mode);
        dialog->setOwnerKey(QStringLiteral("1"));
        if (mode != RecordMode::Add)
            dialog->setRowQuery(QStringLiteral("select * from customer_access_records_view where arid=") +
                                arid);
        dialog->show();
        return dialog;
    }

    static void fill(frmAdd_info_records& dialog, int daysFromToday) {
        dialog.cmbAcessType->locate(QStringLiteral("上门拜访"));
        dialog.txtLinkman->setText(QStringLiteral("王经理"));
        dialog.dtpAcess_date->setDate(Today.addDays(daysFromToday));
    }

    // Adds a visit through the dialog; answers the date it hands back.
    QString addVisit(int daysFromToday) {
        auto dialog = openVisit(RecordMode::Add);
        fill(*dialog, daysFromToday);
        dialog->btnSave_Click();
        EXPECT_FALSE(dialog->isVisible()) << messages.texts().join('|').toStdString();
        return dialog->listResult().toString();
    }

    QString nextdate() { return value("select nextdate from customer_info where ciid=1"); }

    bool inReminderList() {
        return column(NodeCatalogue::reminderList(Today).txtSQL).contains(QStringLiteral("1"));
    }
};

} // namespace

TEST_F(VisitRecordTest, AVisitMovesTheNextDateAndTakesTheCustomerOffTheReminderList) {
    EXPECT_TRUE(inReminderList());
    EXPECT_EQ(addVisit(0), day(30));
    EXPECT_EQ(nextdate(), day(30));
    EXPECT_FALSE(inReminderList());
    EXPECT_EQ(value("select acess_date from customer_access_records"), day(0));

    // The latest visit counts, whichever one was saved last; a deleted one no longer does, and with none
    // left the registration date does.
    EXPECT_EQ(addVisit(-20), day(30));
    const QString older = value("select arid from customer_access_records where acess_date = ?", {day(-20)});
    ASSERT_TRUE(db.ExecSQL("update customer_access_records set isdel=1 where acess_date = ?", {day(0)}));
    auto edit = openVisit(RecordMode::Edit, older);
    edit->txtResults->setPlainText(QStringLiteral("签约"));
    edit->btnSave_Click();
    EXPECT_EQ(edit->listResult().toString(), day(10));
    EXPECT_EQ(nextdate(), day(10));
    ASSERT_TRUE(db.ExecSQL("update customer_access_records set isdel=1"));
    EXPECT_EQ(VisitRecord::nextVisitDate(db, QStringLiteral("1")), day(20));

    // Editing a visit that is no longer there fails instead of saving nothing.
    auto gone = openVisit(RecordMode::Edit, older);
    fill(*gone, 0);
    messages.clear();
    gone->btnSave_Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("添加失败！"));
    EXPECT_EQ(value("select count(*) from customer_access_records"), "2");
}

// A customer registered long ago leaves the reminder list after a visit, until the interval has
// passed again.
TEST_F(VisitRecordTest, ACustomerRegisteredLongAgoLeavesTheReminderListAfterAVisit) {
    ASSERT_TRUE(db.ExecSQL("update customer_info set sign_date=? where ciid=1", {day(-400)}));
    EXPECT_TRUE(inReminderList());
    EXPECT_EQ(addVisit(0), day(30));
    EXPECT_FALSE(inReminderList());
    ASSERT_TRUE(db.ExecSQL("update customer_info set nextdate=? where ciid=1", {day(-1)}));
    EXPECT_TRUE(inReminderList());
}

TEST_F(VisitRecordTest, ChecksInOrderAndEditAndBrowseShowTheStoredVisit) {
    auto dialog = openVisit(RecordMode::Add);
    EXPECT_EQ(dialog->dtpAcess_date->date(), Today);
    EXPECT_EQ(dialog->Frame1->title(), QStringLiteral("拜访信息"));
    EXPECT_EQ(lineEditLimit(dialog->txtLinkman), 32);
    EXPECT_EQ(lineEditLimit(dialog->txtLinktel), 32);
    const struct {
        const char* owner;
        const char* kind;
        const char* linkman;
        const char* message;
        QWidget* focus;
    } checks[] = {{" ", "上门拜访", "王", "请先选择对应的分类信息!", nullptr},
                  {"1", "请选择", "王", "请选择拜访方式!", dialog->cmbAcessType->ImgCombo()},
                  {"1", "上门拜访", "  ", "请输入联系人!", dialog->txtLinkman}};
    for (const auto& c : checks) {
        messages.clear();
        dialog->setOwnerKey(QString::fromLatin1(c.owner));
        dialog->cmbAcessType->locate(QString::fromUtf8(c.kind));
        dialog->txtLinkman->setText(QString::fromUtf8(c.linkman));
        dialog->btnSave_Click();
        EXPECT_EQ(messages.texts(), QStringList{c.message});
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        if (c.focus) {
            EXPECT_EQ(dialog->focusWidget(), c.focus) << c.message;
        }
    }
    EXPECT_EQ(value("select count(*) from customer_access_records"), "0");

    // Texts as typed (quotes, wildcards, an 11-digit mobile number), blanks only become empty text.
    dialog->txtLinkman->setText(QStringLiteral(" 王'经理%_ "));
    dialog->txtLinktel->setText(QStringLiteral("13812345678"));
    dialog->txtAddress->setText(QStringLiteral("   "));
    dialog->cmbDuty->locate(QStringLiteral("经理"));
    dialog->txtContent->setPlainText(QString(130, QChar(u'谈')));
    dialog->dtpAcess_date->setDate(QDate(2024, 2, 29));
    messages.clear();
    dialog->btnSave_Click();
    ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(
        column(
            "select ciid||'|'||acess_type||'|'||address||'|'||acess_date||'|'||linkman||'|'||linktel||'|'||"
            "duty||'|'||length(acess_content)||'|'||results from customer_access_records"),
        QStringList{"1|22||2024-02-29|王'经理%_|13812345678|3|128| "});
    EXPECT_EQ(nextdate(), "2024-03-30");
    const QString arid = value("select arid from customer_access_records");

    auto browse = openVisit(RecordMode::Browse, arid);
    EXPECT_EQ(browse->txtLinkman->text(), QStringLiteral("王'经理%_"));
    EXPECT_EQ(browse->cmbAcessType->GetValues(), "22");
    EXPECT_EQ(browse->cmbDuty->GetValues(), "3");
    EXPECT_EQ(browse->dtpAcess_date->date(), QDate(2024, 2, 29));
    EXPECT_FALSE(browse->btnSave->isEnabled());
    EXPECT_TRUE(browse->txtLinkman->isReadOnly());
    EXPECT_FALSE(browse->cmbAcessType->Enabled());
    EXPECT_FALSE(browse->dtpAcess_date->isEnabled());
    browse->btnCancel_Click();
    EXPECT_FALSE(browse->listResult().isValid());

    auto edit = openVisit(RecordMode::Edit, arid);
    EXPECT_TRUE(edit->btnSave->isEnabled());
    EXPECT_EQ(edit->focusWidget(), edit->txtLinkman);
    edit->dtpAcess_date->setDate(QDate(2024, 3, 10));
    edit->btnSave_Click();
    EXPECT_EQ(value("select acess_date from customer_access_records"), "2024-03-10");
    EXPECT_EQ(nextdate(), "2024-04-09");
    EXPECT_EQ(value("select count(*) from customer_access_records"), "1");
}

// A long text pasted or typed with an emoji or a rare ideograph at the limit: the boxes keep their
// limit in whole characters and the visit stores exactly what they show.
TEST_F(VisitRecordTest, LongPastedTextsAreCutBetweenCharactersAndStoredAsShown) {
    const QString emoji = QStringLiteral("😀");
    const QString extB = QString::fromUcs4(U"\U00020000");
    auto dialog = openVisit(RecordMode::Add);
    fill(*dialog, 0);
    // 10,000 characters whose 64th is an emoji.
    TextEntry::paste(dialog->txtAddress, TextEntry::endingIn(64, emoji) + QString(9936, QChar(u'路')));
    TextEntry::paste(dialog->txtContent, TextEntry::endingIn(128, extB) + emoji.repeated(5000));
    TextEntry::type(dialog->txtResults, TextEntry::endingIn(129, emoji));
    EXPECT_EQ(dialog->txtAddress->text(), TextEntry::endingIn(64, emoji));
    EXPECT_EQ(dialog->txtContent->toPlainText(), TextEntry::endingIn(128, extB));
    EXPECT_EQ(dialog->txtResults->toPlainText(), TextEntry::endingIn(129, emoji).chopped(2));
    const QString shown[] = {dialog->txtAddress->text(), dialog->txtContent->toPlainText(),
                             dialog->txtResults->toPlainText()};
    dialog->btnSave_Click();
    ASSERT_FALSE(dialog->isVisible()) << messages.texts().join('|').toStdString();
    auto rs = db.GetRS("select address, acess_content, results from customer_access_records");
    ASSERT_TRUE(rs && !rs->Eof());
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(rs->Fields(c).toString(), shown[c]) << c;
        EXPECT_FALSE(TextEntry::broken(rs->Fields(c).toString())) << c;
    }
}

TEST_F(VisitRecordTest, AFailedNextDateWritesNeitherTheVisitNorTheDate) {
    auto dialog = openVisit(RecordMode::Add);
    fill(*dialog, 0);
    // The next date's update fails, then the visit's insert.
    for (const auto& [event, failing] : std::vector<std::pair<QString, QString>>{
             {"UPDATE", "customer_info"}, {"INSERT", "customer_access_records"}}) {
        failOn(event, failing);
        messages.clear();
        dialog->btnSave_Click();
        EXPECT_EQ(messages.texts().last(), QStringLiteral("添加失败！")) << failing.toStdString();
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(value("select count(*) from customer_access_records"), "0") << failing.toStdString();
        EXPECT_EQ(nextdate(), day(-1));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->mode(), RecordMode::Add);
        EXPECT_FALSE(dialog->listResult().isValid());
        stopFailing();
    }
    // A customer whose interval gives no date fails the same way.
    ASSERT_TRUE(db.ExecSQL("update customer_info set dateday='很久' where ciid=1"));
    dialog->btnSave_Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("添加失败！"));
    ASSERT_TRUE(db.ExecSQL("update customer_info set dateday='30' where ciid=1"));
    // The second save stores the visit once.
    messages.clear();
    dialog->btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(value("select count(*) from customer_access_records"), "1");
    EXPECT_EQ(dialog->listResult().toString(), day(30));
}

TEST_F(VisitRecordTest, TheListOpensItByNameAndReadsTheNextDateBack) {
    registerCustomerForms();
    ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [](QDialog& shown) {
        shown.show();
        auto& dialog = dynamic_cast<frmAdd_info_records&>(shown);
        dialog.cmbAcessType->locate(QStringLiteral("电话拜访"));
        dialog.txtLinkman->setText(QStringLiteral("赵"));
        dialog.btnSave_Click();
        return shown.result();
    });
    RecordDialogRequest request;
    request.formName = QStringLiteral("frmadd_info_records");
    request.mode = RecordMode::Add;
    request.listTitle = QStringLiteral("拜访记录");
    request.ownerKey = QStringLiteral("1");
    const RecordDialogOutcome outcome = openRecordDialog(request);
    EXPECT_TRUE(outcome.opened);
    EXPECT_EQ(outcome.result, QDialog::Accepted);
    EXPECT_EQ(outcome.listResult.toString(), day(30));
}

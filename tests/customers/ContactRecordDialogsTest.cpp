#include "customers/CustomerForms.h"
#include "customers/frmAdd_info_complaints.h"
#include "customers/frmAdd_info_linkman.h"
#include "customers/frmAdd_info_sale.h"
#include "customers/frmAdd_info_services.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "tests/ui/TextEntry.h"
#include "ui/FormFactory.h"
#include "ui/IRecordDialog.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Values = ContactRecordStore::Values;

// One of the four dialogs, with what a test types into it and what the table then holds.
struct DialogCase {
    const char* name;
    std::function<ContactRecordDialog*()> make;
    QString table;
    QString keyColumn;
    QString rowQuery; // the detail tab's query of one record, the key appended
    // The required inputs in the order they are checked, with their messages.
    std::vector<std::pair<QString, QString>> required;
    // Typed values (quotes, wildcards, Chinese, blanks around, longer than the limits) and what the
    // column holds afterwards, by control; the dialog shows the stored text again when it loads.
    std::vector<std::tuple<QString, QString, QString>> inputs; // control, typed, stored
};

const QString LongRemark = QString(130, QChar(u'备'));

const std::vector<DialogCase>& dialogCases() {
    static const std::vector<DialogCase> cases{
        {"sale",
         [] { return new frmAdd_info_sale; },
         "customer_sales_info",
         "siid",
         "select * from customer_sales_info_view where siid=",
         {{"txtProductname", "请输入商品名称!"}},
         {{"txtProductname", "  打印机'HP' 100%_A  ", "打印机'HP' 100%_A"},
          {"txtAmount", " 12 ", "12"},
          {"txtPrice", "2.5", "2.5"},
          {"txtTotalmoney", "1234567890123", "1234567890"},
          {"txtSalers", "", " "},
          {"dtpSale_date", "2026-01-31", "2026-01-31"},
          {"txtRemark", LongRemark, LongRemark.left(128)}}},
        {"complaint",
         [] { return new frmAdd_info_complaints; },
         "customer_complaints_info",
         "cciid",
         "select * from customer_complaints_info_view where cciid=",
         {{"txtContent", "请输入投诉内容!"}},
         {{"txtComplainter", "张三", "张三"},
          {"txtContent", "  服务态度差，说\"再也不来\"  ", "服务态度差，说\"再也不来\""},
          {"txtLinkman", "", " "},
          {"txtLinktel", "0571-88888888 转 8001", "0571-88888888 转 8001"},
          {"dtpComplaintdate", "2025-12-01", "2025-12-01"},
          {"txtRemark", "   ", ""}}},
        {"service",
         [] { return new frmAdd_info_services; },
         "customer_services_info",
         "siid",
         "select * from customer_services_info_view where siid=",
         {{"txtContent", "请填写服务内容信息!"}},
         {{"txtService", "李四", "李四"},
          {"dtpSDate", "2026-02-28", "2026-02-28"},
          {"txtContent", "更换硒鼓'X'", "更换硒鼓'X'"},
          {"txtRemark", "", " "}}},
        {"linkman",
         [] { return new frmAdd_info_linkman; },
         "customer_info_linkman",
         "cilid",
         "select * from customer_info_linkman_view where cilid=",
         {{"txtName", "请输入相关联系人信息!"}, {"txtTel", "请输入电话!"}},
         {{"txtName", "王五", "王五"},
          {"txtTel", "13800000000", "13800000000"},
          {"txtMobile1", "", " "},
          {"txtMobile2", "139-0000", "139-0000"},
          {"txtQQ", "12345", "12345"},
          {"txtMsn", "w'5@msn", "w'5@msn"},
          {"txtEmail", "w_x%@x.com", "w_x%@x.com"},
          {"cmbDuty", "3", "3"},
          {"txtRemark", "备注'%_", "备注'%_"}}},
    };
    return cases;
}

class ContactRecordDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            db.ExecSQL("insert into customer_info (ciid, company, etid, isdel) values (1, '甲公司', 1, 0)"));
    }

    // A dialog as the detail tab opens it, shown (which activates it).
    std::unique_ptr<ContactRecordDialog> open(const DialogCase& c, RecordMode mode, const QString& key = {},
                                              const QString& owner = QStringLiteral("1")) {
        std::unique_ptr<ContactRecordDialog> dialog(c.make());
        dialog->setMode(mode);
        dialog->setOwnerKey(owner);
        if (mode != RecordMode::Add)
            dialog->setRowQuery(c.rowQuery + key);
        dialog->show();
        return dialog;
    }

    static void type(ContactRecordDialog& dialog, const DialogCase& c) {
        for (const auto& [control, typed, stored] : c.inputs)
            dialog.setValue(control, typed);
    }

    int count(const QString& table) {
        auto rs = db.GetRS("select count(*) from " + table);
        return rs ? rs->Fields(0).toInt() : -1;
    }

    QString lastKey(const DialogCase& c) {
        auto rs = db.GetRS("select max(" + c.keyColumn + ") from " + c.table);
        return rs ? rs->Fields(0).toString() : QString();
    }

    bool saved(ContactRecordDialog& dialog) {
        return dialog.result() == QDialog::Accepted && !dialog.isVisible();
    }

    TestDatabase base;
    clsMDB& db = base.db();
    MessageRecorder messages;
};

TEST_F(ContactRecordDialogsTest, RegisteredUnderTheNamesTheDetailTabsOpen) {
    registerCustomerForms();
    const std::vector<std::pair<QString, QString>> names{{"frmadd_info_sales", "frmAdd_info_sale"},
                                                         {"frmAdd_info_sale", "frmAdd_info_sale"},
                                                         {"frmadd_info_complaints", "frmAdd_info_complaints"},
                                                         {"frmadd_info_services", "frmAdd_info_services"},
                                                         {"frmadd_info_linkman", "frmAdd_info_linkman"}};
    for (const auto& [name, objectName] : names) {
        std::unique_ptr<QWidget> window(FormFactory::create(name));
        ASSERT_TRUE(window) << name.toStdString();
        EXPECT_EQ(window->objectName(), objectName);
        EXPECT_TRUE(dynamic_cast<ContactRecordDialog*>(window.get()));
    }
}

TEST_F(ContactRecordDialogsTest, TabOrderFollowsTheForm) {
    const std::vector<std::pair<int, QStringList>> expected{
        {0,
         {"txtProductname", "txtAmount", "txtPrice", "txtTotalmoney", "txtSalers", "dtpSale_date",
          "txtRemark", "btnSave", "btnCancel"}},
        {3,
         {"txtName", "txtTel", "txtMobile1", "txtMobile2", "txtEmail", "txtQQ", "txtMsn", "txtRemark",
          "btnSave", "btnCancel", "cmbDuty"}},
    };
    for (const auto& [index, names] : expected) {
        std::unique_ptr<ContactRecordDialog> dialog(dialogCases()[index].make());
        QStringList order;
        QWidget* at = dialog->control(names.front());
        for (int i = 0; i < names.size(); ++i) {
            // A picker takes the focus through its drop-down.
            QWidget* named = at->objectName() == "ImgCombo" ? at->parentWidget() : at;
            order << named->objectName();
            do
                at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus) || at->objectName().isEmpty() ||
                   at->objectName().startsWith("qt_"));
        }
        EXPECT_EQ(order, names);
    }
}

// The sale's remark and total with a long pasted text: whole characters up to the limit, stored as
// shown.
TEST_F(ContactRecordDialogsTest, PastedTextsAreCutBetweenCharactersAndStoredAsShown) {
    const DialogCase& sale = dialogCases()[0];
    auto dialog = open(sale, RecordMode::Add);
    dialog->setValue(QStringLiteral("txtProductname"), QStringLiteral("打印机"));
    const QString emoji = QStringLiteral("😀");
    TextEntry::paste(dialog->control(QStringLiteral("txtRemark")),
                     TextEntry::endingIn(128, emoji) + emoji.repeated(9872));
    TextEntry::paste(dialog->control(QStringLiteral("txtTotalmoney")), QStringLiteral("123456789😀0"));
    const QString remark = dialog->value(QStringLiteral("txtRemark"));
    EXPECT_EQ(remark, TextEntry::endingIn(128, emoji));
    EXPECT_EQ(dialog->value(QStringLiteral("txtTotalmoney")), QStringLiteral("123456789😀"));
    dialog->setValue(QStringLiteral("txtTotalmoney"), QStringLiteral("12"));
    dialog->btnSave_Click();
    ASSERT_TRUE(saved(*dialog)) << messages.texts().join('|').toStdString();
    auto rs = db.GetRS("select remark from customer_sales_info");
    ASSERT_TRUE(rs && !rs->Eof());
    EXPECT_EQ(rs->Fields(0).toString(), remark);
    EXPECT_FALSE(TextEntry::broken(rs->Fields(0).toString()));
}

// A box without a limit of its own takes 32,767 characters, however many UTF-16 units they need: the
// sale opened as the sales tab opens it stores what its boxes show, byte for byte, and cuts a longer
// paste between two characters.
TEST_F(ContactRecordDialogsTest, UnlimitedBoxesStoreLongPastesWhole) {
    registerCustomerForms();
    const QString emoji = QStringLiteral("😀");
    const QString a = QStringLiteral("a");
    const struct {
        const char* control;
        QString pasted;
        QString stored;
    } cases[] = {
        {"txtProductname", emoji.repeated(17000), emoji.repeated(17000)},
        {"txtSalers", a.repeated(32766) + emoji, a.repeated(32766) + emoji},
        {"txtSalers", a.repeated(32767) + emoji, a.repeated(32767)},
        {"txtProductname", a + emoji.repeated(40000), a + emoji.repeated(32766)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control) + " " + std::to_string(c.pasted.size()));
        ASSERT_TRUE(db.ExecSQL("delete from customer_sales_info"));
        ScopedHook<int(QDialog&)> runner(ModalRunner::handler(), [&](QDialog& shown) {
            auto& sale = dynamic_cast<ContactRecordDialog&>(shown);
            shown.show();
            sale.setValue(QStringLiteral("txtProductname"), QStringLiteral("打印机"));
            sale.setValue(QString::fromLatin1(c.control), QString());
            TextEntry::paste(sale.control(QString::fromLatin1(c.control)), c.pasted);
            sale.btnSave_Click();
            return shown.result();
        });
        const RecordDialogOutcome outcome = openRecordDialog(
            {"frmadd_info_sales", RecordMode::Add, "交易明细", QString(), QStringLiteral("1")});
        ASSERT_TRUE(outcome.opened);
        EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        const QString column = QString::fromLatin1(c.control) == "txtSalers" ? "saler" : "productname";
        auto rs = db.GetRS("select hex(" + column + ") from customer_sales_info");
        ASSERT_TRUE(rs && !rs->Eof());
        EXPECT_EQ(rs->Fields(0).toString(), QString::fromLatin1(c.stored.toUtf8().toHex().toUpper()));
    }
}

TEST_F(ContactRecordDialogsTest, ChecksOwnerThenRequiredFieldsInOrder) {
    for (const DialogCase& c : dialogCases()) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto dialog = open(c, RecordMode::Add, {}, QStringLiteral("  "));
        type(*dialog, c);
        for (const auto& [control, message] : c.required)
            dialog->setValue(control, QStringLiteral("   "));
        dialog->btnSave_Click();
        ASSERT_EQ(messages.texts(), QStringList{"请先选择对应的分类信息!"});

        dialog->setOwnerKey(QStringLiteral("1"));
        for (const auto& [control, message] : c.required) {
            messages.clear();
            dialog->btnSave_Click();
            ASSERT_EQ(messages.texts(), QStringList{message});
            EXPECT_EQ(messages.last().icon, MsgIcon::Information);
            EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
            EXPECT_EQ(dialog->focusWidget(), dialog->control(control));
            dialog->setValue(control, QStringLiteral("有"));
        }
        EXPECT_EQ(count(c.table), 0);
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(ContactRecordDialogsTest, AddEditAndBrowseRoundTrip) {
    for (const DialogCase& c : dialogCases()) {
        SCOPED_TRACE(c.name);
        messages.clear();
        auto added = open(c, RecordMode::Add);
        type(*added, c);
        added->btnSave_Click();
        ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        ASSERT_TRUE(saved(*added));
        ASSERT_EQ(count(c.table), 1);
        const QString key = lastKey(c);

        auto rs = db.GetRS("select * from " + c.table);
        ASSERT_TRUE(rs);
        EXPECT_EQ(rs->Text("ciid"), "1");
        for (const auto& [control, typed, stored] : c.inputs)
            EXPECT_EQ(rs->Text(added->form().field(control)->column), stored) << control.toStdString();

        // Edit shows the stored values and writes a change back; the dialog then returns to add mode.
        auto edited = open(c, RecordMode::Edit, key);
        for (const auto& [control, typed, stored] : c.inputs)
            EXPECT_EQ(edited->value(control), stored) << control.toStdString();
        EXPECT_EQ(edited->loadedKey(), key);
        EXPECT_TRUE(edited->btnSave()->isEnabled());
        const QString changed = c.required.front().first;
        edited->setValue(changed, QStringLiteral("改过'的"));
        edited->btnSave_Click();
        ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        EXPECT_TRUE(saved(*edited));
        EXPECT_EQ(edited->mode(), RecordMode::Add);
        EXPECT_EQ(count(c.table), 1);
        rs = db.GetRS("select * from " + c.table);
        EXPECT_EQ(rs->Text(edited->form().field(changed)->column), QStringLiteral("改过'的"));

        // Browse shows the record read-only.
        auto browsed = open(c, RecordMode::Browse, key);
        EXPECT_EQ(browsed->value(changed), QStringLiteral("改过'的"));
        EXPECT_FALSE(browsed->btnSave()->isEnabled());
        for (const ContactField& field : browsed->form().fields) {
            QWidget* input = browsed->control(field.control);
            if (auto* edit = qobject_cast<QLineEdit*>(input))
                EXPECT_TRUE(edit->isReadOnly()) << field.control.toStdString();
            else if (auto* edit = qobject_cast<QPlainTextEdit*>(input))
                EXPECT_TRUE(edit->isReadOnly()) << field.control.toStdString();
            else if (auto* picker = qobject_cast<ctrl_SelectValue_Single*>(input))
                EXPECT_FALSE(picker->Enabled());
            else
                EXPECT_FALSE(input->isEnabled()) << field.control.toStdString();
        }
        // Escape does nothing of its own; Cancel closes.
        QTest::keyClick(browsed.get(), Qt::Key_Escape);
        EXPECT_TRUE(browsed->isVisible());
        browsed->btnCancel_Click();
        EXPECT_FALSE(browsed->isVisible());
    }
}

TEST_F(ContactRecordDialogsTest, FailingStatementRollsBackAndKeepsInput) {
    for (const DialogCase& c : dialogCases()) {
        SCOPED_TRACE(c.name);
        messages.clear();
        ASSERT_TRUE(db.ExecSQL("create trigger injected before insert on " + c.table +
                               " begin select raise(abort, 'injected'); end"));
        auto dialog = open(c, RecordMode::Add);
        type(*dialog, c);
        const Values typed = [&] {
            Values v;
            for (const ContactField& field : dialog->form().fields)
                v.insert(field.control, dialog->value(field.control));
            return v;
        }();
        dialog->btnSave_Click();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_NE(dialog->result(), QDialog::Accepted);
        for (const ContactField& field : dialog->form().fields)
            EXPECT_EQ(dialog->value(field.control), typed.value(field.control));
        EXPECT_EQ(count(c.table), 0);
        ASSERT_TRUE(db.ExecSQL("drop trigger injected"));
    }
}

TEST_F(ContactRecordDialogsTest, FailingUpdateKeepsTheStoredRecord) {
    const DialogCase& sale = dialogCases().front();
    ASSERT_TRUE(db.ExecSQL(
        "insert into customer_sales_info (siid, ciid, productname, amount) values (7, 1, '旧', 1)"));
    ASSERT_TRUE(db.ExecSQL("create trigger injected before update on customer_sales_info "
                           "begin select raise(abort, 'injected'); end"));
    auto dialog = open(sale, RecordMode::Edit, "7");
    dialog->setValue("txtProductname", "新");
    dialog->btnSave_Click();
    EXPECT_EQ(messages.last().text, QStringLiteral("添加失败！"));
    EXPECT_EQ(dialog->mode(), RecordMode::Edit);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(db.GetRS("select productname from customer_sales_info where siid=7")->Fields(0).toString(),
              "旧");
}

TEST_F(ContactRecordDialogsTest, NumbersAreReadWithoutTheLocale) {
    struct Case {
        const char* typed;
        const char* stored; // null: refused with the field's message
        const char* type;   // the stored value's type: never text
    };
    const Case cases[] = {
        {"1,5", nullptr, nullptr}, {"abc", nullptr, nullptr},  {"1.2.3", nullptr, nullptr},
        {"$5", nullptr, nullptr},  {" 12 ", "12", "integer"},  {"", "0", "integer"},
        {"   ", "0", "integer"},   {"-0.5", "-0.5", "real"},   {"+3", "3", "integer"},
        {"1.", "1", "integer"},    {"2e3", "2000", "integer"},
    };
    const DialogCase& sale = dialogCases().front();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messages.clear();
        ASSERT_TRUE(db.ExecSQL("delete from customer_sales_info"));
        auto dialog = open(sale, RecordMode::Add);
        dialog->setValue("txtProductname", "纸");
        dialog->setValue("txtPrice", c.typed);
        dialog->btnSave_Click();
        if (!c.stored) {
            EXPECT_EQ(messages.texts(), QStringList{"“单价”请输入数值!"});
            EXPECT_EQ(dialog->focusWidget(), dialog->control("txtPrice"));
            EXPECT_EQ(count("customer_sales_info"), 0);
            continue;
        }
        ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
        auto rs = db.GetRS("select price, typeof(price) from customer_sales_info");
        ASSERT_TRUE(rs && !rs->Eof());
        EXPECT_EQ(rs->Fields(0).toDouble(), QString(c.stored).toDouble());
        EXPECT_EQ(rs->Fields(1).toString(), c.type);
    }
}

TEST_F(ContactRecordDialogsTest, ServiceEditKeepsItsCustomer) {
    const DialogCase& service = dialogCases()[2];
    ASSERT_TRUE(
        db.ExecSQL("insert into customer_info (ciid, company, etid, isdel) values (2, '乙公司', 1, 0)"));
    ASSERT_TRUE(db.ExecSQL("insert into customer_services_info (siid, ciid, content) values (5, 1, '旧')"));
    auto dialog = open(service, RecordMode::Edit, "5", "2");
    dialog->setValue("txtContent", "新");
    dialog->btnSave_Click();
    auto rs = db.GetRS("select ciid, content from customer_services_info where siid=5");
    EXPECT_EQ(rs->Text("ciid"), "1");
    EXPECT_EQ(rs->Text("content"), "新");
}

TEST_F(ContactRecordDialogsTest, ContactTitleByStoredKey) {
    const DialogCase& linkman = dialogCases()[3];
    // A second title of the same text as prid 3 ("经理"), and a contact without any title.
    ASSERT_TRUE(db.ExecSQL("insert into info_parameter (prid, pmid, name) values (40, 1, '经理')"));
    ASSERT_TRUE(db.ExecSQL("insert into customer_info_linkman (cilid, ciid, linkman, linktel, duty) "
                           "values (1, 1, '甲', '1', 3), (2, 1, '乙', '2', 0)"));

    auto first = open(linkman, RecordMode::Edit, "1");
    auto* picker = static_cast<ctrl_SelectValue_Single*>(first->control("cmbDuty"));
    EXPECT_EQ(picker->list().items().size(), 10); // "请选择" and nine titles
    EXPECT_EQ(first->value("cmbDuty"), "3");
    first->btnSave_Click();
    EXPECT_EQ(db.GetRS("select duty from customer_info_linkman where cilid=1")->Fields(0).toString(), "3");

    // The contact without a title is listed by its tab and opens with no title chosen.
    auto rs = db.GetRS(
        "select cilid,linkman,duty_name from customer_info_linkman_view where ciid=1 order by cilid");
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveNext();
    EXPECT_EQ(rs->Text("duty_name"), "");
    auto second = open(linkman, RecordMode::Edit, "2");
    EXPECT_EQ(second->value("txtName"), "乙");
    EXPECT_EQ(second->value("cmbDuty"), "");
    second->btnSave_Click();
    EXPECT_EQ(db.GetRS("select duty from customer_info_linkman where cilid=2")->Fields(0).toString(), "0");
}

} // namespace

namespace {

TEST_F(ContactRecordDialogsTest, ComingBackFromAPopupKeepsWhatWasTyped) {
    ASSERT_TRUE(db.ExecSQL("insert into customer_info_linkman (cilid, ciid, linkman, linktel, duty) "
                           "values (1, 1, '甲', '1', 3)"));
    auto dialog = open(dialogCases()[3], RecordMode::Edit, "1");
    QApplication::setActiveWindow(dialog.get());
    dialog->setValue("txtName", "乙");
    dialog->setValue("cmbDuty", "4");
    QWidget calendar; // the title list or the calendar of a date picker
    calendar.show();
    QApplication::setActiveWindow(&calendar);
    calendar.hide();
    QApplication::setActiveWindow(dialog.get());
    EXPECT_EQ(dialog->value("txtName"), "乙");
    EXPECT_EQ(dialog->value("cmbDuty"), "4");
}

} // namespace

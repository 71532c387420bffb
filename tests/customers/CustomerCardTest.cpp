// The customer card: its checks, its insert and update through the window, the duplicate rules and a
// save that fails part way.
#include "customers/CustomerCard.h"
#include "customers/CustomerForms.h"
#include "customers/FollowUpInterval.h"
#include "customers/frmAdd_client.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "tests/customers/CustomerCardSupport.h"
#include "tests/ui/TextEntry.h"
#include "ui/FormFactory.h"
#include "ui/LineEditLimit.h"
#include "ui/TextLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>

namespace {

const QDate Today(2024, 1, 31);

class CustomerCardTest : public CardTest {
protected:
    // A card as the customer list opens it, shown (which loads and fills it).
    std::unique_ptr<frmAdd_client> openCard(RecordMode mode, const QString& ciid = {},
                                            const QString& listTitle = QStringLiteral("所有客户")) {
        auto card = std::make_unique<frmAdd_client>();
        card->setToday(Today);
        card->setMode(mode);
        if (mode == RecordMode::Add)
            card->setOwnerKey(listTitle);
        else
            card->setRowQuery(QStringLiteral("SELECT * from customer_info_view where 1=1 and ciid=") + ciid);
        card->show();
        return card;
    }

    // The fields every save needs.
    static void fillRequired(frmAdd_client& card, const QString& contact = QStringLiteral("张三"),
                             const QString& company = QStringLiteral("成都华信科技有限公司")) {
        card.cmbClientType->locate(QStringLiteral("普通客户"));
        card.cmdduty->locate(QStringLiteral("经理"));
        card.txtCompany->setText(company);
        card.txtName->setText(contact);
        card.txtAddress->setText(QStringLiteral("成都市人民南路1号"));
    }

    static bool saved(const frmAdd_client& card) {
        return card.result() == QDialog::Accepted && !card.isVisible();
    }

    // A customer written straight into the table.
    int addCustomer(const QString& contact, const QString& company, int isdel = 0) {
        EXPECT_TRUE(db.ExecSQL(QStringLiteral("insert into customer_info (cardname,company,etid,duty,dateday,"
                                              "nextdate,sign_date,address,isdel) values (?,?,3,3,'30',"
                                              "'2024-03-01','2024-01-31','路',?)"),
                               {contact, company, isdel}));
        return value(QStringLiteral("select max(ciid) from customer_info")).toInt();
    }
};

// A text of exactly `limit` characters with a quote, wildcards, Chinese text and an emoji in it.
QString awkward(int limit) {
    const QString piece = QStringLiteral("客'%_😀");
    QString text;
    while (TextLimit::characterCount(text) + TextLimit::characterCount(piece) <= limit)
        text += piece;
    return text + QString(limit - TextLimit::characterCount(text), QLatin1Char('x'));
}

} // namespace

TEST_F(CustomerCardTest, RegisteredUnderTheNamesTheListsOpenAndLeftOpenByEscape) {
    registerCustomerForms();
    for (const char* name : {"frmAdd_client", "FRMADD_CLIENT", "frmadd_info_records"}) {
        std::unique_ptr<QWidget> window(FormFactory::create(QString::fromLatin1(name)));
        ASSERT_TRUE(window) << name;
        EXPECT_TRUE(dynamic_cast<IRecordDialog*>(window.get())) << name;
        window->show();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible()) << name;
    }
}

TEST(FollowUpInterval, DaysAndTheNextDay) {
    const struct {
        const char* typed;
        std::optional<int> days;
    } cases[] = {{"30", 30},
                 {" 7 ", 7},
                 {"1.5", 2},
                 {"2.5", 2},
                 {"3.5", 4},
                 {"-1.5", -2},
                 {"0", 0},
                 {"1e1", 10},
                 {"32767", 32767},
                 {"-32768", -32768},
                 {"32768", std::nullopt},
                 {"abc", std::nullopt},
                 {"", std::nullopt},
                 {"1,5", std::nullopt},
                 {"inf", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(FollowUpInterval::days(QString::fromLatin1(c.typed)), c.days) << c.typed;
    EXPECT_EQ(FollowUpInterval::dayAfter(QDate(2024, 1, 31), QStringLiteral("30")),
              QStringLiteral("2024-03-01"));
    EXPECT_EQ(FollowUpInterval::dayAfter(QDate(2024, 1, 31), QStringLiteral("-31")),
              QStringLiteral("2023-12-31"));
    EXPECT_EQ(FollowUpInterval::dayAfter(QDate(9999, 12, 1), QStringLiteral("60")), QString());
    EXPECT_EQ(FollowUpInterval::dayAfter(QDate(), QStringLiteral("1")), QString());
}

TEST_F(CustomerCardTest, ChecksInOrderWithMessageAndFocus) {
    auto card = openCard(RecordMode::Add);
    EXPECT_EQ(card->TxtHfzq->text(), QStringLiteral("30"));
    EXPECT_EQ(card->txtSign_date->text(), QStringLiteral("2024-01-31"));
    EXPECT_EQ(card->txtNextDate->text(), QStringLiteral("2024-03-01"));
    frmAdd_client& c = *card;
    c.txtCompany->setText(QStringLiteral("   "));
    c.TxtHfzq->setText(QStringLiteral("  "));
    c.txtAddress->setText(QStringLiteral(" "));
    // Each row: what the user mends before saving, the message the save then shows, the focused control.
    const struct {
        std::function<void()> mend;
        QString message;
        QWidget* focus;
    } steps[] = {
        {[] {}, "请选择分类!", c.cmbClientType},
        {[&] { c.cmbClientType->locate("重点客户"); }, "请输入客户名称!", c.txtCompany},
        {[&] { c.txtCompany->setText("华信"); }, "请输入回访周期!", c.TxtHfzq},
        {[&] { c.TxtHfzq->setText("三十"); }, "回访周期请输入数字!", c.TxtHfzq},
        {[&] { c.TxtHfzq->setText("40000"); }, "回访周期请输入数字!", c.TxtHfzq},
        {[&] { c.TxtHfzq->setText(" 30 "); }, "请选择头衔!", c.cmdduty},
        {[&] { c.cmdduty->locate("经理"); }, "请输入企业地址", c.txtAddress},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.message.toStdString());
        step.mend();
        messages.clear();
        c.btnSave_Click();
        ASSERT_EQ(messages.texts(), QStringList{step.message});
        EXPECT_EQ(messages.last().icon, MsgIcon::Information);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_EQ(c.focusWidget(), step.focus->focusProxy() ? step.focus->focusProxy() : step.focus);
        EXPECT_TRUE(c.isVisible());
    }
    EXPECT_EQ(value("select count(*) from customer_info"), "0");
    c.txtAddress->setText("成都");
    // The business scope and the remark take 128 characters, as typed or pasted.
    c.txtIntro->setPlainText(QString(129, QChar(u'业')));
    TextEntry::paste(c.txtRemark, QString(129, QChar(u'备')));
    EXPECT_EQ(c.txtIntro->toPlainText(), QString(128, QChar(u'业')));
    EXPECT_EQ(c.txtRemark->toPlainText(), QString(128, QChar(u'备')));
    messages.clear();
    c.btnSave_Click();
    EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(saved(c));
    EXPECT_EQ(column("select dateday || '|' || etid || '|' || duty from customer_info"),
              QStringList{"30|2|3"});
}

// The save's own check behind the boxes' limits counts characters: 128 emoji pass, 129 characters
// do not.
TEST(CustomerCardCheck, BusinessScopeAndRemarkHoldAtMost128Characters) {
    const CustomerFields valid{{"etid", "3"}, {"company", "华信"}, {"dateday", "30"},
                               {"duty", "3"}, {"address", "成都"}, {"sign_date", "2024-01-31"}};
    const QString emoji = QStringLiteral("😀");
    const struct {
        const char* column;
        QString text;
        QString message;
    } cases[] = {
        {"intro", emoji.repeated(128), ""},
        {"intro", QString(129, QChar(u'业')), "业务范围内容不能超过128个汉字"},
        {"intro", emoji.repeated(129), "业务范围内容不能超过128个汉字"},
        {"remark", emoji.repeated(128), ""},
        {"remark", QString(128, QChar(u'备')) + "x", "备注内容不能超过128个汉字"},
    };
    for (const auto& c : cases) {
        CustomerFields fields = valid;
        fields.insert(QLatin1String(c.column), c.text);
        const auto check = CustomerCard::validate(fields);
        EXPECT_EQ(check ? check->message : QString(), c.message) << c.column << " " << c.text.size();
    }
}

TEST_F(CustomerCardTest, AddEditAndBrowseKeepEveryTextExactly) {
    auto card = openCard(RecordMode::Add);
    fillRequired(*card);
    // Every text box at its limit with quotes, wildcards, Chinese text and an emoji.
    QHash<QString, QString> typed;
    for (const QString& column : CustomerCard::textColumns()) {
        if (column == "dateday" || column == "sign_date" || column == "nextdate" || column == "jp")
            continue;
        const QString text = awkward(CustomerCard::limitOf(column));
        typed.insert(column, text);
    }
    const QHash<QString, QLineEdit*> boxes{{"company", card->txtCompany},
                                           {"address", card->txtAddress},
                                           {"cardname", card->txtName},
                                           {"office_tel1", card->txtOffice_Tel1},
                                           {"office_tel2", card->txtOffice_Tel2},
                                           {"office_tel3", card->txtOffice_Tel3},
                                           {"home_tel1", card->txtHome_Tel1},
                                           {"home_tel2", card->txtHome_Tel2},
                                           {"mobile_tel1", card->txtMobile_tel1},
                                           {"mobile_tel2", card->txtMobile_tel2},
                                           {"mobile_tel3", card->txtMobile_tel3},
                                           {"fax", card->txtFax},
                                           {"postcode", card->txtPostCode},
                                           {"qq", card->txtQQ},
                                           {"msn", card->txtMsn},
                                           {"email", card->txtEmail},
                                           {"wwwsite", card->txtWwwSite}};
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
        EXPECT_EQ(lineEditLimit(it.value()), CustomerCard::limitOf(it.key())) << it.key().toStdString();
        it.value()->setText(typed.value(it.key()) + QStringLiteral("超出"));
        EXPECT_EQ(it.value()->text(), typed.value(it.key())) << it.key().toStdString();
    }
    // A long text pasted into the business scope and typed into the remark: each keeps its first 128
    // characters, emoji whole.
    TextEntry::paste(card->txtIntro, typed.value("intro") + QStringLiteral("😀超出").repeated(100));
    TextEntry::type(card->txtRemark, typed.value("remark") + QStringLiteral("😀超出"));
    EXPECT_EQ(card->txtIntro->toPlainText(), typed.value("intro"));
    EXPECT_EQ(card->txtRemark->toPlainText(), typed.value("remark"));
    card->TxtHfzq->setText(QStringLiteral("30"));
    const QString jp = card->txtJp->text();
    EXPECT_EQ(jp, CustomerCard::To_PY(typed.value("company"), 0, QString()));
    card->btnSave_Click();
    ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    ASSERT_TRUE(saved(*card));
    const QString ciid = value("select max(ciid) from customer_info");
    EXPECT_EQ(card->loadedKey(), ciid);
    for (auto it = typed.begin(); it != typed.end(); ++it)
        EXPECT_EQ(value(QStringLiteral("select %1 from customer_info").arg(it.key())), it.value())
            << it.key().toStdString();
    EXPECT_EQ(
        column("select sign_date || '|' || nextdate || '|' || dateday || '|' || jp || '|' || etid || '|' || "
               "duty || '|' || isdel from customer_info"),
        QStringList{"2024-01-31|2024-03-01|30|" + jp + "|3|3|0"});

    // Edit shows what is stored; a changed interval is stored but leaves the next date alone.
    auto edit = openCard(RecordMode::Edit, ciid);
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
        QLineEdit* box = edit->findChild<QLineEdit*>(it.value()->objectName());
        EXPECT_EQ(box->text(), typed.value(it.key())) << it.key().toStdString();
    }
    EXPECT_EQ(edit->txtIntro->toPlainText(), typed.value("intro"));
    EXPECT_EQ(edit->cmbClientType->GetValues(), "3");
    EXPECT_EQ(edit->cmdduty->GetValues(), "3");
    EXPECT_EQ(edit->txtNextDate->text(), "2024-03-01");
    EXPECT_TRUE(edit->btnSave->isEnabled());
    edit->TxtHfzq->setText(QStringLiteral("1.5"));
    edit->txtAddress->setText(QStringLiteral("  新地址  "));
    edit->txtFax->clear();
    edit->btnSave_Click();
    ASSERT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
    EXPECT_TRUE(saved(*edit));
    EXPECT_EQ(edit->mode(), RecordMode::Add);
    EXPECT_EQ(
        column("select dateday || '|' || nextdate || '|' || address || '|' || fax || '|' || sign_date from "
               "customer_info"),
        QStringList{"1.5|2024-03-01|新地址| |2024-01-31"});

    // Browse shows the row; nothing can be saved or attached.
    auto browse = openCard(RecordMode::Browse, ciid);
    EXPECT_EQ(browse->txtCompany->text(), typed.value("company"));
    EXPECT_EQ(browse->TxtHfzq->text(), "1.5");
    for (QPushButton* button : {browse->btnSave, browse->btnAdd, browse->btnRemove})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(browse->cmbClientType->Enabled());
}

// The next visit date the card shows is the one a save stores, whatever the interval is changed to:
// a new customer's follows the interval, a stored one stays, and a customer without one gets the
// date shown.
TEST_F(CustomerCardTest, TheNextVisitDateShownIsTheOneStored) {
    const struct {
        const char* name;
        RecordMode mode;
        const char* storedNext; // of the edited customer; nullptr: Null
        const char* interval;
        const char* shownBefore;
        const char* shownAfter;
    } cases[] = {
        {"add", RecordMode::Add, nullptr, "5", "2024-03-01", "2024-02-05"},
        {"add, a negative interval", RecordMode::Add, nullptr, "-5", "2024-03-01", "2024-01-26"},
        {"edit with a stored date", RecordMode::Edit, "2024-02-20", "5", "2024-02-20", "2024-02-20"},
        {"edit without a date", RecordMode::Edit, nullptr, "10", "2024-03-01", "2024-02-10"},
        {"edit with an empty date", RecordMode::Edit, " ", "10", "2024-03-01", "2024-02-10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(db.ExecSQL("delete from customer_info"));
        QString ciid;
        if (c.mode == RecordMode::Edit) {
            ciid = QString::number(addCustomer("张三", "成都华信科技有限公司"));
            ASSERT_TRUE(db.ExecSQL("update customer_info set nextdate=? where ciid=?",
                                   {c.storedNext ? QVariant(c.storedNext) : QVariant(), ciid}));
        }
        auto card = openCard(c.mode, ciid);
        fillRequired(*card);
        EXPECT_EQ(card->txtNextDate->text(), c.shownBefore);
        card->TxtHfzq->setText(QString::fromLatin1(c.interval));
        EXPECT_EQ(card->txtNextDate->text(), c.shownAfter);
        const QString shown = card->txtNextDate->text();
        card->btnSave_Click();
        ASSERT_TRUE(saved(*card)) << messages.texts().join('|').toStdString();
        EXPECT_EQ(value("select nextdate || '|' || dateday from customer_info"), shown + "|" + c.interval);
    }
}

TEST_F(CustomerCardTest, TheCardAndTheDatabasesDateaddCountTheSameDays) {
    for (const char* interval : {"1.5", "2.5", "-2.5", "0.5", "30", " 7 "}) {
        const QString typed = QString::fromLatin1(interval);
        EXPECT_EQ(value("select dateadd('d', ?, '2024-01-31')", {typed}),
                  FollowUpInterval::dayAfter(QDate(2024, 1, 31), typed))
            << interval;
    }
}

TEST_F(CustomerCardTest, HalvesOfADayGoToTheEvenDayAndEmptyFieldsAreOneBlank) {
    for (const auto& [interval, next] : std::vector<std::pair<QString, QString>>{
             {"1.5", "2024-02-02"}, {"2.5", "2024-02-02"}, {"-0.5", "2024-01-31"}}) {
        auto card = openCard(RecordMode::Add);
        fillRequired(*card, QStringLiteral("联系人") + interval);
        card->TxtHfzq->setText(interval);
        card->btnSave_Click();
        ASSERT_TRUE(saved(*card)) << messages.texts().join('|').toStdString();
        EXPECT_EQ(value("select dateday || '|' || nextdate from customer_info where cardname = ?",
                        {QStringLiteral("联系人") + interval}),
                  interval + "|" + next);
    }
    EXPECT_EQ(column("select distinct office_tel1 || fax || qq || intro || remark || '|' from customer_info"),
              QStringList{"     |"});
}

TEST_F(CustomerCardTest, DuplicatesAreTheSameContactAndNameOfACustomerNotDeleted) {
    addCustomer("张三", "甲公司");
    addCustomer("李四", "乙公司", 1);
    const int other = addCustomer("王五", "丁公司");
    const QString refused = QStringLiteral("客户信息已经存在!请重新输入!");
    const struct {
        RecordMode mode;
        const char* contact;
        const char* company;
        bool refusedAsDuplicate;
    } cases[] = {
        {RecordMode::Add, "张三", "甲公司", true},   {RecordMode::Add, " 张三 ", " 甲公司 ", true},
        {RecordMode::Add, "张三", "丙公司", false},  {RecordMode::Add, "李四", "乙公司", false},
        {RecordMode::Add, "张_", "甲公司", false},   {RecordMode::Add, "%", "%", false},
        {RecordMode::Edit, "张三", "甲公司", true},  {RecordMode::Edit, "张三", "戊公司", false},
        {RecordMode::Edit, "王五", "丁公司", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.contact) + "/" + c.company);
        messages.clear();
        auto card = c.mode == RecordMode::Add ? openCard(RecordMode::Add)
                                              : openCard(RecordMode::Edit, QString::number(other));
        fillRequired(*card, QString::fromUtf8(c.contact), QString::fromUtf8(c.company));
        card->btnSave_Click();
        if (c.refusedAsDuplicate) {
            EXPECT_EQ(messages.texts(), QStringList{refused});
            EXPECT_EQ(card->focusWidget(), card->txtName);
            EXPECT_TRUE(card->isVisible());
        } else {
            EXPECT_TRUE(messages.empty()) << messages.texts().join('|').toStdString();
            EXPECT_TRUE(saved(*card));
        }
        // Put the edited customer back for the next case.
        db.ExecSQL("update customer_info set cardname='王五', company='丁公司' where ciid=?", {other});
    }
    EXPECT_EQ(value("select count(*) from customer_info where company = '%'"), "1");
}

TEST_F(CustomerCardTest, ACardFromATypesListStartsOnThatType) {
    const struct {
        const char* listTitle;
        const char* etid;
    } cases[] = {{"重点客户", "2"}, {"管理提醒", ""}, {"所有客户", ""}};
    for (const auto& c : cases) {
        auto card = openCard(RecordMode::Add, {}, QString::fromUtf8(c.listTitle));
        EXPECT_EQ(card->cmbClientType->GetValues(), QString::fromLatin1(c.etid)) << c.listTitle;
    }
}

TEST_F(CustomerCardTest, AFailedSaveWritesNothingAndKeepsTheCardAsTyped) {
    const QString first = makeFile("合同.pdf", "pdf bytes");
    const QString second = makeFile("照片.jpg", "jpg bytes");
    auto card = openCard(RecordMode::Add);
    fillRequired(*card);
    picks = {first, second};
    card->btnAdd_Click();
    card->btnAdd_Click();
    // A failing statement of the attachments, then a file gone before the save.
    for (const auto& [inject, lose] : std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}) {
        if (inject)
            failOn("INSERT", "customer_info_file");
        if (lose)
            QFile::rename(second, second + ".gone");
        messages.clear();
        card->btnSave_Click();
        EXPECT_EQ(messages.texts().last(), QStringLiteral("添加失败！"));
        EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
        EXPECT_EQ(messages.last().title, QStringLiteral("提示信息"));
        EXPECT_EQ(value("select count(*) from customer_info"), "0");
        EXPECT_EQ(value("select count(*) from customer_info_file"), "0");
        EXPECT_TRUE(card->isVisible());
        EXPECT_EQ(card->mode(), RecordMode::Add);
        EXPECT_EQ(card->txtCompany->text(), QStringLiteral("成都华信科技有限公司"));
        EXPECT_EQ(card->attachments().additions(), (QStringList{first, second}));
        EXPECT_EQ(card->lvFileList->topLevelItemCount(), 2);
        if (inject)
            stopFailing();
        if (lose)
            QFile::rename(second + ".gone", second);
    }
    messages.clear();
    card->btnSave_Click();
    EXPECT_TRUE(saved(*card)) << messages.texts().join('|').toStdString();
    EXPECT_EQ(value("select count(*) from customer_info_file"), "2");

    // An edit that fails leaves the stored customer as it was.
    const QString ciid = value("select ciid from customer_info");
    auto edit = openCard(RecordMode::Edit, ciid);
    edit->txtAddress->setText(QStringLiteral("改过的地址"));
    edit->lvFileList->setCurrentItem(edit->lvFileList->topLevelItem(0));
    edit->btnRemove_Click();
    failOn("DELETE", "customer_info_file");
    edit->btnSave_Click();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("添加失败！"));
    EXPECT_EQ(value("select address from customer_info"), QStringLiteral("成都市人民南路1号"));
    EXPECT_EQ(value("select count(*) from customer_info_file"), "2");
    EXPECT_EQ(edit->mode(), RecordMode::Edit);
}

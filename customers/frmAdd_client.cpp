#include "customers/frmAdd_client.h"
#include "core/ActionDatabase.h"
#include "core/AppInfo.h"
#include "core/DbError.h"
#include "core/FileDialogs.h"
#include "core/TextFunctions.h"
#include "core/clsMDB.h"
#include "customers/FollowUpInterval.h"
#include "customers/RecordFormWidgets.h"
#include "customers/RecordMessages.h"
#include "lists/AttachmentFiles.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "ui/DialogButtons.h"
#include "ui/PlainTextLimit.h"
#include "ui/SlotGuard.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using RecordMessages::inform;

using RecordFormWidgets::lineEdit;
using RecordFormWidgets::multiLine;

QString textOf(const QWidget* box) {
    if (const auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(box))
        return plain->toPlainText();
    return QString();
}

} // namespace

frmAdd_client::frmAdd_client(QWidget* parent) : CentredDialog(parent) {
    setObjectName(QStringLiteral("frmAdd_client"));
    setWindowTitle(QStringLiteral("添加客户信息"));
    // Escape has no effect of its own: the buttons answer to their access keys.
    setClosesOnEscape(false);

    Frame1 = new QGroupBox(QStringLiteral("客户信息"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QWidget* f = Frame1;
    cmbClientType = new ctrl_SelectValue_Single(f);
    cmbClientType->setObjectName(QStringLiteral("cmbClientType"));
    txtCompany = lineEdit(f, "txtCompany", 128);
    txtAddress = lineEdit(f, "txtAddress", 128);
    txtName = lineEdit(f, "txtName", 128);
    cmdduty = new ctrl_SelectValue_Single(f);
    cmdduty->setObjectName(QStringLiteral("cmdduty"));
    txtOffice_Tel1 = lineEdit(f, "txtOffice_Tel1", 32);
    txtOffice_Tel2 = lineEdit(f, "txtOffice_Tel2", 32);
    txtOffice_Tel3 = lineEdit(f, "txtOffice_Tel3", 128);
    txtHome_Tel1 = lineEdit(f, "txtHome_Tel1", 32);
    txtHome_Tel2 = lineEdit(f, "txtHome_Tel2", 32);
    txtMobile_tel1 = lineEdit(f, "txtMobile_tel1", 128);
    txtMobile_tel2 = lineEdit(f, "txtMobile_tel2", 128);
    txtMobile_tel3 = lineEdit(f, "txtMobile_tel3", 128);
    txtFax = lineEdit(f, "txtFax", 32);
    txtPostCode = lineEdit(f, "txtPostCode", 128);
    txtQQ = lineEdit(f, "txtQQ", 32);
    txtMsn = lineEdit(f, "txtMsn", 32);
    txtEmail = lineEdit(f, "txtEmail", 128);
    txtWwwSite = lineEdit(f, "txtWwwSite", 128);
    txtIntro = multiLine(f, "txtIntro", 54);
    txtRemark = multiLine(f, "txtRemark", 54);
    // As typed or pasted; the save checks the same limits.
    limitPlainText(txtIntro, CustomerCard::MultiLineLimit);
    limitPlainText(txtRemark, CustomerCard::MultiLineLimit);
    TxtHfzq = lineEdit(f, "TxtHfzq", 128);
    txtSign_date = lineEdit(f, "txtSign_date", 128);
    txtNextDate = lineEdit(f, "txtNextDate", 128);
    txtJp = lineEdit(f, "txtJp", 128);
    for (QLineEdit* readOnly : {txtSign_date, txtNextDate, txtJp})
        readOnly->setReadOnly(true);

    lvFileList = new QTreeWidget(f);
    lvFileList->setObjectName(QStringLiteral("lvFileList"));
    lvFileList->setRootIsDecorated(false);
    lvFileList->setColumnCount(1);
    lvFileList->setHeaderLabels({QStringLiteral("文件名称")});
    lvFileList->setColumnWidth(0, 5500 / 15);
    lvFileList->setFixedHeight(90);
    btnAdd = new QPushButton(QStringLiteral("+"), f);
    btnAdd->setObjectName(QStringLiteral("btnAdd"));
    btnAdd->setToolTip(QStringLiteral("添加文件"));
    btnRemove = new QPushButton(QStringLiteral("-"), f);
    btnRemove->setObjectName(QStringLiteral("btnRemove"));
    btnRemove->setToolTip(QStringLiteral("移去选中文件"));
    for (QPushButton* small : {btnAdd, btnRemove})
        small->setFixedWidth(28);

    // The card has no key handling of its own: Enter presses no button.
    btnSave = DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"), this);
    btnCancel = DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this);

    // Row by row, three label-and-field pairs wide.
    auto* grid = new QGridLayout(Frame1);
    grid->setHorizontalSpacing(6);
    const auto label = [&](const char* text, int row, int column) {
        RecordFormWidgets::addCaption(grid, f, text, row, column);
    };
    label("分    类:", 0, 0);
    grid->addWidget(cmbClientType, 0, 1, 1, 3);
    label("登记日期:", 0, 4);
    grid->addWidget(txtSign_date, 0, 5);
    label("回访周期:", 1, 0);
    auto* interval = new QHBoxLayout;
    TxtHfzq->setFixedWidth(150);
    interval->addWidget(TxtHfzq);
    interval->addWidget(new QLabel(QStringLiteral("天"), f));
    interval->addStretch();
    grid->addLayout(interval, 1, 1, 1, 3);
    label("下次回访日期:", 1, 4);
    grid->addWidget(txtNextDate, 1, 5);
    label("客户名称:", 2, 0);
    grid->addWidget(txtCompany, 2, 1, 1, 3);
    label("中文简拼:", 2, 4);
    grid->addWidget(txtJp, 2, 5);
    label("地    址:", 3, 0);
    grid->addWidget(txtAddress, 3, 1, 1, 5);
    label("联 系 人:", 4, 0);
    grid->addWidget(txtName, 4, 1, 1, 3);
    label("头衔:", 4, 4);
    grid->addWidget(cmdduty, 4, 5);
    const auto triple = [&](int row, const char* a, QWidget* wa, const char* b, QWidget* wb, const char* c,
                            QWidget* wc) {
        label(a, row, 0);
        grid->addWidget(wa, row, 1);
        label(b, row, 2);
        grid->addWidget(wb, row, 3);
        if (wc) {
            label(c, row, 4);
            grid->addWidget(wc, row, 5);
        }
    };
    triple(5, "办公电话1:", txtOffice_Tel1, "办公电话2:", txtOffice_Tel2, "办公电话3:", txtOffice_Tel3);
    triple(6, "住处电话1:", txtHome_Tel1, "住处电话2:", txtHome_Tel2, "手机1:", txtMobile_tel1);
    triple(7, "手    机2:", txtMobile_tel2, "手机3:", txtMobile_tel3, "传真:", txtFax);
    triple(8, "邮政编码:", txtPostCode, "QQ:", txtQQ, "MSN:", txtMsn);
    label("邮    箱:", 9, 0);
    grid->addWidget(txtEmail, 9, 1);
    label("网站地址:", 9, 2);
    grid->addWidget(txtWwwSite, 9, 3, 1, 3);
    label("业务范围:", 10, 0);
    grid->addWidget(txtIntro, 10, 1, 1, 5);
    label("备    注:", 11, 0);
    grid->addWidget(txtRemark, 11, 1, 1, 5);
    label("文档附件:", 12, 0);
    auto* files = new QHBoxLayout;
    files->addWidget(lvFileList, 1);
    auto* fileButtons = new QVBoxLayout;
    fileButtons->addWidget(btnAdd);
    fileButtons->addWidget(btnRemove);
    fileButtons->addStretch();
    files->addLayout(fileButtons);
    grid->addLayout(files, 12, 1, 1, 5);
    for (int column : {1, 3, 5})
        grid->setColumnMinimumWidth(column, 150);

    DialogButtons::layOutBelowFrame(this, Frame1, {btnSave, btnCancel});

    QWidget* order[] = {cmbClientType,  txtCompany,     txtAddress,     txtName,      cmdduty,
                        txtOffice_Tel1, txtOffice_Tel2, txtOffice_Tel3, txtHome_Tel1, txtHome_Tel2,
                        txtMobile_tel1, txtMobile_tel2, txtMobile_tel3, txtFax,       txtPostCode,
                        txtQQ,          txtMsn,         txtEmail,       txtWwwSite,   txtIntro,
                        txtRemark,      lvFileList,     btnAdd,         btnRemove,    btnSave,
                        btnCancel,      txtSign_date,   txtJp,          TxtHfzq,      txtNextDate};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The next visit date shown is the one a save stores: while the card has no stored date it follows
    // the interval from the registration day.
    connect(TxtHfzq, &QLineEdit::textChanged, this, [this] {
        if (m_nextDateFollowsInterval)
            showNextDateFromInterval();
    });
    // The short name follows every change of the customer name, also while a row is filled in.
    connect(txtCompany, &QLineEdit::textChanged, this,
            [this](const QString& text) { txtJp->setText(To_PY(text, 0, QString())); });
    connect(btnSave, &QPushButton::clicked, this, &frmAdd_client::btnSave_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmAdd_client::btnCancel_Click);
    connect(btnAdd, &QPushButton::clicked, this, &frmAdd_client::btnAdd_Click);
    connect(btnRemove, &QPushButton::clicked, this, &frmAdd_client::btnRemove_Click);
    connect(lvFileList, &QTreeWidget::itemDoubleClicked, this, &frmAdd_client::lvFileList_DblClick);
}

QString frmAdd_client::To_PY(const QString& text, qint16 mode, const QString& separator) {
    return CustomerCard::To_PY(text, mode, separator);
}

void frmAdd_client::onShown() {
    if (!m_loaded) {
        m_loaded = true;
        // A card whose lists cannot be read says so once and goes: a save would store no type.
        if (!guardSlot([this] { Form_Load(); })) {
            closeAfterFailure();
            return;
        }
    }
    guardSlot([this] { Form_Activate(); });
}

void frmAdd_client::Form_Load() {
    const auto opened = ActionDatabase::open();
    clsMDB& db = *opened;
    cmbClientType->setQuery(QStringLiteral("名片分类"),
                            QStringLiteral("select etid,name from customer_type_view "),
                            QStringLiteral("name"), QStringLiteral("etid"));
    QString error;
    if (!cmbClientType->LoadData(db, error))
        throw DbError(error, QStringLiteral("frmAdd_client"));
    cmdduty->setQuery(QStringLiteral("名片头衔"), QStringLiteral("select prid,name from customer_duty_view "),
                      QStringLiteral("name"), QStringLiteral("prid"));
    if (!cmdduty->LoadData(db, error))
        throw DbError(error, QStringLiteral("frmAdd_client"));
    m_attachments.clear();
    showAttachments();
    TxtHfzq->setText(CustomerCard::defaultInterval(db));
    showNextDateFromInterval();
}

void frmAdd_client::showNextDateFromInterval() {
    const QDate signDate = QDate::fromString(txtSign_date->text().trimmed(), Qt::ISODate);
    txtNextDate->setText(
        FollowUpInterval::dayAfter(signDate.isValid() ? signDate : m_today, TxtHfzq->text()));
}

void frmAdd_client::Form_Activate() {
    switch (mode()) {
    case RecordMode::Add:
        cmbClientType->locate(ownerKey());
        txtSign_date->setText(m_today.toString(QStringLiteral("yyyy-MM-dd")));
        m_nextDateFollowsInterval = true;
        showNextDateFromInterval();
        break;
    case RecordMode::Edit:
    case RecordMode::Browse: {
        const auto opened = ActionDatabase::open();
        clsMDB& db = *opened;
        if (const std::optional<CustomerFields> row = CustomerCard::load(db, rowQuery())) {
            fillFrom(*row);
            setLoadedKey(row->value(QStringLiteral("ciid")));
            m_attachments.load(db, loadedKey());
            showAttachments();
            const bool editable = mode() == RecordMode::Edit;
            for (QPushButton* button : {btnSave, btnAdd, btnRemove})
                button->setEnabled(editable);
        }
        break;
    }
    }
    cmbClientType->setEnabled(true);
}

QLineEdit* frmAdd_client::textBoxOf(const QString& column) const {
    const QHash<QString, QLineEdit*> boxes{{QStringLiteral("company"), txtCompany},
                                           {QStringLiteral("address"), txtAddress},
                                           {QStringLiteral("cardname"), txtName},
                                           {QStringLiteral("office_tel1"), txtOffice_Tel1},
                                           {QStringLiteral("office_tel2"), txtOffice_Tel2},
                                           {QStringLiteral("office_tel3"), txtOffice_Tel3},
                                           {QStringLiteral("home_tel1"), txtHome_Tel1},
                                           {QStringLiteral("home_tel2"), txtHome_Tel2},
                                           {QStringLiteral("mobile_tel1"), txtMobile_tel1},
                                           {QStringLiteral("mobile_tel2"), txtMobile_tel2},
                                           {QStringLiteral("mobile_tel3"), txtMobile_tel3},
                                           {QStringLiteral("fax"), txtFax},
                                           {QStringLiteral("postcode"), txtPostCode},
                                           {QStringLiteral("qq"), txtQQ},
                                           {QStringLiteral("msn"), txtMsn},
                                           {QStringLiteral("email"), txtEmail},
                                           {QStringLiteral("wwwsite"), txtWwwSite},
                                           {QStringLiteral("dateday"), TxtHfzq},
                                           {QStringLiteral("sign_date"), txtSign_date},
                                           {QStringLiteral("nextdate"), txtNextDate},
                                           {QStringLiteral("jp"), txtJp}};
    return boxes.value(column);
}

void frmAdd_client::fillFrom(const CustomerFields& row) {
    const auto has = [&](const char* column) { return row.contains(QLatin1String(column)); };
    const auto value = [&](const char* column) { return row.value(QLatin1String(column)); };
    if (has("cardname"))
        txtName->setText(TextOrSpace(value("cardname")));
    // The type by its key, so that two types of the same name cannot swap; the title by its text.
    if (!has("etid") || !cmbClientType->locateByValue(value("etid")))
        cmbClientType->locate(value("typename"));
    if (has("dutyname"))
        cmdduty->locate(value("dutyname"));
    for (const QString& column : CustomerCard::textColumns()) {
        if (!row.contains(column) || column == QLatin1String("cardname") ||
            column == QLatin1String("sign_date") || column == QLatin1String("nextdate"))
            continue;
        if (QLineEdit* box = textBoxOf(column))
            box->setText(row.value(column));
    }
    if (has("intro"))
        txtIntro->setPlainText(value("intro"));
    if (has("remark"))
        txtRemark->setPlainText(value("remark"));
    const QDate signDate = QDate::fromString(value("sign_date").trimmed().left(10), Qt::ISODate);
    if (signDate.isValid())
        txtSign_date->setText(signDate.toString(QStringLiteral("yyyy-MM-dd")));
    // A customer without a stored next date gets the one shown when the edit is saved.
    m_nextDateFollowsInterval = value("nextdate").trimmed().isEmpty();
    if (m_nextDateFollowsInterval)
        txtNextDate->setText(FollowUpInterval::dayAfter(signDate, TxtHfzq->text()));
    else
        txtNextDate->setText(value("nextdate"));
}

void frmAdd_client::showAttachments() {
    lvFileList->clear();
    for (const CustomerAttachments::Item& item : m_attachments.items())
        lvFileList->addTopLevelItem(new QTreeWidgetItem(QStringList{item.text}));
}

CustomerFields frmAdd_client::collect() const {
    CustomerFields fields;
    for (const QString& column : CustomerCard::textColumns())
        if (const QLineEdit* box = textBoxOf(column))
            fields.insert(column, box->text());
    fields.insert(QStringLiteral("intro"), textOf(txtIntro));
    fields.insert(QStringLiteral("remark"), textOf(txtRemark));
    fields.insert(QStringLiteral("etid"), cmbClientType->GetValues());
    fields.insert(QStringLiteral("duty"), cmdduty->GetValues());
    return fields;
}

QWidget* frmAdd_client::controlFor(CustomerCard::Field field) const {
    switch (field) {
    case CustomerCard::Field::ClientType:
        return cmbClientType;
    case CustomerCard::Field::Company:
        return txtCompany;
    case CustomerCard::Field::Interval:
        return TxtHfzq;
    case CustomerCard::Field::Duty:
        return cmdduty;
    case CustomerCard::Field::Address:
        return txtAddress;
    case CustomerCard::Field::Intro:
        return txtIntro;
    case CustomerCard::Field::Remark:
        return txtRemark;
    case CustomerCard::Field::Contact:
        return txtName;
    }
    return nullptr;
}

void frmAdd_client::btnSave_Click() {
    guardSlot([this] {
        const CustomerFields fields = collect();
        if (const auto check = CustomerCard::validate(fields)) {
            inform(check->message);
            controlFor(check->focus)->setFocus();
            return;
        }
        try {
            const auto opened = ActionDatabase::open();
            clsMDB& db = *opened;
            if (CustomerCard::isDuplicate(db, fields, mode() == RecordMode::Edit ? loadedKey() : QString())) {
                inform(QStringLiteral("客户信息已经存在!请重新输入!"));
                txtName->setFocus();
                return;
            }
            const qint64 ciid = CustomerCard::save(db, mode(), fields, loadedKey(), m_attachments, m_today);
            setLoadedKey(QString::number(ciid));
        } catch (const DbError&) {
            // Nothing was written; the card keeps everything typed and every pending file.
            RecordMessages::saveFailed();
            return;
        }
        // An edited card goes back to add mode and is hidden, so that its opener sees the change.
        if (mode() == RecordMode::Edit)
            setMode(RecordMode::Add);
        accept();
    });
}

void frmAdd_client::btnCancel_Click() {
    reject();
}

void frmAdd_client::btnAdd_Click() {
    const QString path =
        FileDialogs::getOpenFileName(this, QStringLiteral("选择文件"), QString(), QStringLiteral("*.*"));
    if (path.isEmpty())
        return;
    if (!m_attachments.add(path)) {
        inform(QStringLiteral("不能添加重复的文件！"));
        return;
    }
    showAttachments();
}

void frmAdd_client::btnRemove_Click() {
    if (m_attachments.items().isEmpty())
        return;
    QTreeWidgetItem* selected = lvFileList->currentItem();
    if (!selected || !selected->isSelected()) {
        inform(QStringLiteral("请选择文件然后再删除文件!"));
        return;
    }
    m_attachments.remove(lvFileList->indexOfTopLevelItem(selected));
    showAttachments();
    lvFileList->setFocus();
}

void frmAdd_client::lvFileList_DblClick() {
    QTreeWidgetItem* selected = lvFileList->currentItem();
    if (m_attachments.items().isEmpty() || !selected)
        return;
    const int index = lvFileList->indexOfTopLevelItem(selected);
    if (index < 0)
        return;
    const CustomerAttachments::Item item = m_attachments.items().at(index);
    if (mode() != RecordMode::Browse) {
        FileDialogs::getOpenFileName(this, QStringLiteral("选择文件"), item.text, QStringLiteral("*.*"));
        return;
    }
    if (item.isPending())
        return;
    QString path;
    try {
        const auto opened = ActionDatabase::open();
        clsMDB& db = *opened;
        path = CustomerAttachments::copyToFolder(db, item.cifid, item.text, AppInfo::tempFolder());
    } catch (const DbError& error) {
        inform(QStringLiteral("生成临时文件失败！请检查系统所在磁盘空间是否太小！（%1）")
                   .arg(error.description()));
        return;
    }
    AttachmentFiles::openCopy(path); // tells where the copy is when no program opens it
}

#include "customers/frmAdd_info_records.h"
#include "core/ActionDatabase.h"
#include "core/DbError.h"
#include "core/clsMDB.h"
#include "customers/RecordFormWidgets.h"
#include "customers/RecordMessages.h"
#include "customers/VisitRecord.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "ui/DialogButtons.h"
#include "ui/PlainTextLimit.h"
#include "ui/SlotGuard.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using RecordFormWidgets::lineEdit;
using RecordFormWidgets::multiLine;

} // namespace

frmAdd_info_records::frmAdd_info_records(QWidget* parent)
    : CentredDialog(parent), m_today(QDate::currentDate()) {
    setObjectName(QStringLiteral("frmAdd_info_records"));
    setWindowTitle(QStringLiteral("添加客户拜访记录信息"));
    // Escape has no effect of its own: the buttons answer to their access keys.
    setClosesOnEscape(false);

    Frame1 = new QGroupBox(QStringLiteral("拜访信息"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    QWidget* f = Frame1;
    cmbAcessType = new ctrl_SelectValue_Single(f);
    cmbAcessType->setObjectName(QStringLiteral("cmbAcessType"));
    txtAddress = lineEdit(f, "txtAddress", 64);
    // Room for an 11-digit mobile number and more.
    txtLinkman = lineEdit(f, "txtLinkman", 32);
    cmbDuty = new ctrl_SelectValue_Single(f);
    cmbDuty->setObjectName(QStringLiteral("cmbDuty"));
    txtLinktel = lineEdit(f, "txtLinktel", 32);
    dtpAcess_date = new QDateEdit(f);
    dtpAcess_date->setObjectName(QStringLiteral("dtpAcess_date"));
    dtpAcess_date->setCalendarPopup(true);
    dtpAcess_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dtpAcess_date->setDate(m_today);
    txtContent = multiLine(f, "txtContent", 70);
    txtResults = multiLine(f, "txtResults", 70);
    limitPlainText(txtContent, 128);
    limitPlainText(txtResults, 128);

    btnSave = DialogButtons::make(QStringLiteral("btnSave"), QStringLiteral("   保存(&S)"), this);
    btnCancel = DialogButtons::make(QStringLiteral("btnCancel"), QStringLiteral("取消(&C)"), this);

    auto* grid = new QGridLayout(Frame1);
    const auto label = [&](const char* text, int row, int column) {
        RecordFormWidgets::addCaption(grid, f, text, row, column);
    };
    label("拜访方式:", 0, 0);
    grid->addWidget(cmbAcessType, 0, 1);
    label("日    期:", 0, 2);
    grid->addWidget(dtpAcess_date, 0, 3);
    label("拜访地点:", 1, 0);
    grid->addWidget(txtAddress, 1, 1, 1, 3);
    label("联 系 人:", 2, 0);
    grid->addWidget(txtLinkman, 2, 1);
    label("头    衔:", 2, 2);
    grid->addWidget(cmbDuty, 2, 3);
    label("联系电话:", 3, 0);
    grid->addWidget(txtLinktel, 3, 1);
    label("拜访内容:", 4, 0);
    grid->addWidget(txtContent, 4, 1, 1, 3);
    label("拜访结果:", 5, 0);
    grid->addWidget(txtResults, 5, 1, 1, 3);
    for (int column : {1, 3})
        grid->setColumnMinimumWidth(column, 160);

    DialogButtons::layOutBelowFrame(this, Frame1, {btnSave, btnCancel});

    QWidget* order[] = {cmbAcessType,  txtAddress, txtLinkman, cmbDuty, txtLinktel,
                        dtpAcess_date, txtContent, txtResults, btnSave, btnCancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(btnSave, &QPushButton::clicked, this, &frmAdd_info_records::btnSave_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmAdd_info_records::btnCancel_Click);
}

QVariant frmAdd_info_records::listResult() const {
    return m_nextDate.isEmpty() ? QVariant() : QVariant(m_nextDate);
}

void frmAdd_info_records::setToday(const QDate& today) {
    m_today = today;
    dtpAcess_date->setDate(today);
}

void frmAdd_info_records::onShown() {
    // A visit whose lists cannot be read says so once and goes.
    if (!guardSlot([this] { Form_Activate(); }))
        closeAfterFailure();
}

void frmAdd_info_records::setEditable(bool editable) {
    for (QLineEdit* box : {txtAddress, txtLinkman, txtLinktel})
        box->setReadOnly(!editable);
    for (QPlainTextEdit* box : {txtContent, txtResults})
        box->setReadOnly(!editable);
    cmbAcessType->setEnabled(editable);
    cmbDuty->setEnabled(editable);
    dtpAcess_date->setEnabled(editable);
    btnSave->setEnabled(editable);
}

void frmAdd_info_records::Form_Activate() {
    const auto opened = ActionDatabase::open();
    clsMDB& db = *opened;
    cmbAcessType->setQuery(QStringLiteral("拜访方式"),
                           QStringLiteral("select prid,name from info_parameter where pmid=27"),
                           QStringLiteral("name"), QStringLiteral("prid"));
    QString error;
    if (!cmbAcessType->LoadData(db, error))
        throw DbError(error, QStringLiteral("frmAdd_info_records"));
    dtpAcess_date->setDate(m_today);
    cmbDuty->setQuery(QStringLiteral("头衔"),
                      QStringLiteral("select prid,name from info_parameter where pmid=1 "),
                      QStringLiteral("name"), QStringLiteral("prid"));
    if (!cmbDuty->LoadData(db, error))
        throw DbError(error, QStringLiteral("frmAdd_info_records"));
    if (mode() == RecordMode::Add)
        return;
    if (const std::optional<VisitRecord::Loaded> visit = VisitRecord::load(db, rowQuery())) {
        // The stored keys pick the items, so that two kinds or titles of the same name cannot swap.
        if (!cmbAcessType->locateByValue(visit->fields.acessType))
            cmbAcessType->locate(visit->acessTypeName);
        txtAddress->setText(visit->fields.address);
        txtLinkman->setText(visit->fields.linkman);
        if (!cmbDuty->locateByValue(visit->fields.duty))
            cmbDuty->locate(visit->dutyName);
        txtLinktel->setText(visit->fields.linktel);
        setOwnerKey(visit->fields.ciid);
        txtContent->setPlainText(visit->fields.content);
        txtResults->setPlainText(visit->fields.results);
        if (visit->fields.acessDate.isValid())
            dtpAcess_date->setDate(visit->fields.acessDate);
        setLoadedKey(visit->arid);
    }
    setEditable(mode() == RecordMode::Edit);
    txtLinkman->setFocus();
}

void frmAdd_info_records::btnSave_Click() {
    guardSlot([this] {
        VisitRecord::Fields fields;
        fields.ciid = ownerKey();
        fields.acessType = cmbAcessType->GetValues();
        fields.address = txtAddress->text();
        fields.acessDate = dtpAcess_date->date();
        fields.linkman = txtLinkman->text();
        fields.linktel = txtLinktel->text();
        fields.duty = cmbDuty->GetValues();
        fields.content = txtContent->toPlainText();
        fields.results = txtResults->toPlainText();
        if (const auto check = VisitRecord::validate(fields)) {
            RecordMessages::inform(check->message);
            if (check->focus == VisitRecord::Field::AcessType)
                cmbAcessType->setFocus();
            else if (check->focus == VisitRecord::Field::Linkman)
                txtLinkman->setFocus();
            return;
        }
        try {
            const auto opened = ActionDatabase::open();
            clsMDB& db = *opened;
            m_nextDate = VisitRecord::save(db, mode(), fields, loadedKey());
        } catch (const DbError&) {
            // Neither the visit nor the date was written; the dialog stays in its mode.
            RecordMessages::saveFailed();
            return;
        }
        accept();
    });
}

void frmAdd_info_records::btnCancel_Click() {
    reject();
}

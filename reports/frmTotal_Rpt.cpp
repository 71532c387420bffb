#include "reports/frmTotal_Rpt.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "pickers/frmSelectDate.h"
#include "pickers/frmSelectDpt.h"
#include "pickers/frmSelectType.h"
#include "ui/ModalRunner.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Runs a selection dialog for one click of a picker button and writes a non-empty choice into the
// field; a dialog closed without a choice leaves the field as it was.
template <typename Dialog> void pickInto(QLineEdit* field) {
    Dialog dialog;
    ModalRunner::run(dialog);
    const QString tag = dialog.tag();
    if (!tag.isEmpty())
        field->setText(tag);
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    return result;
}

QLineEdit* textBox(const QString& name, bool readOnly, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    return box;
}

} // namespace

frmTotal_Rpt::frmTotal_Rpt(QWidget* parent)
    : frmTotal_Rpt(QStringLiteral("设备统计报表"), StatisticsConditions::Statement::GroupedCount, parent) {}

frmTotal_Rpt::frmTotal_Rpt(const QString& caption, StatisticsConditions::Statement statement, QWidget* parent)
    : ConditionDialog(parent), m_statement(statement),
      m_frame(new QGroupBox(QStringLiteral("组合查询统计"), this)),
      m_txtBuyDate(textBox(QStringLiteral("txtBuyDate"), true, m_frame)),
      m_txtBuyDate1(textBox(QStringLiteral("txtBuyDate1"), true, m_frame)),
      m_txtEpTypeName(textBox(QStringLiteral("txtEpTypeName"), true, m_frame)),
      m_txtUserDpt(textBox(QStringLiteral("txtUserDpt"), true, m_frame)),
      m_txtEpName(textBox(QStringLiteral("txtEpName"), false, m_frame)),
      m_cmbStatus(new ctrl_SelectValue_Single(m_frame)) {
    setObjectName(statement == StatisticsConditions::Statement::GroupedCount
                      ? QStringLiteral("frmTotal_Rpt")
                      : QStringLiteral("frmTotal_Rpt_list"));
    setWindowTitle(caption);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_cmbStatus->setObjectName(QStringLiteral("cmbStatus"));

    QToolButton* btnSelectDate1 = pickerButton(QStringLiteral("btnSelectDate1"));
    QToolButton* btnSelect = pickerButton(QStringLiteral("btnSelect"));
    QToolButton* btnSelectEpType = pickerButton(QStringLiteral("btnSelectEpType"));
    QToolButton* btnSelectDpt = pickerButton(QStringLiteral("btnSelectDpt"));

    auto* grid = new QGridLayout(m_frame);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(10);
    grid->addWidget(label(QStringLiteral("Label9"), QStringLiteral("采购期间"), m_frame), 0, 0);
    auto* period = new QHBoxLayout;
    period->setSpacing(4);
    period->addWidget(m_txtBuyDate, 1);
    period->addWidget(btnSelectDate1);
    period->addWidget(label(QStringLiteral("Label10"), QStringLiteral("至"), m_frame));
    period->addWidget(m_txtBuyDate1, 1);
    period->addWidget(btnSelect);
    grid->addLayout(period, 0, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Label1"), QStringLiteral("行业类型"), m_frame), 1, 0);
    grid->addWidget(m_txtEpTypeName, 1, 1);
    grid->addWidget(btnSelectEpType, 1, 2);
    grid->addWidget(label(QStringLiteral("Label6"), QStringLiteral("使用部门"), m_frame), 2, 0);
    grid->addWidget(m_txtUserDpt, 2, 1);
    grid->addWidget(btnSelectDpt, 2, 2);
    grid->addWidget(label(QStringLiteral("Label7"), QStringLiteral("设备名称"), m_frame), 3, 0);
    grid->addWidget(m_txtEpName, 3, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Label8"), QStringLiteral("设备状态"), m_frame), 4, 0);
    grid->addWidget(m_cmbStatus, 4, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addLayout(buttonRow());
    // Client area 5655 x 3465 twips.
    setMinimumSize(5655 / 15, 3465 / 15);

    connect(btnSelectDate1, &QToolButton::clicked, this, &frmTotal_Rpt::btnSelectDate1_Click);
    connect(btnSelect, &QToolButton::clicked, this, &frmTotal_Rpt::btnSelect_Click);
    connect(btnSelectEpType, &QToolButton::clicked, this, &frmTotal_Rpt::btnSelectEpType_Click);
    connect(btnSelectDpt, &QToolButton::clicked, this, &frmTotal_Rpt::btnSelectDpt_Click);
}

QToolButton* frmTotal_Rpt::pickerButton(const QString& name) {
    auto* button = new QToolButton(m_frame);
    button->setObjectName(name);
    button->setToolTip(QStringLiteral("选择客户"));
    button->setText(QStringLiteral("…"));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void frmTotal_Rpt::Form_Load() {
    clsMDB db;
    QString errorText;
    // A file that cannot be opened (damaged, missing), or whose status list cannot be read, ends the
    // condition step with its own reason in the report window's one message, rather than with the
    // picker's "not open" and a report built on it after all.
    if (!db.OpenDatabase(errorText))
        throw DbError(errorText.isEmpty() ? QStringLiteral("数据库没有打开") : errorText,
                      QStringLiteral("frmTotal_Rpt"));
    m_cmbStatus->setQuery(QStringLiteral("行业状态"),
                          QStringLiteral("select prid,name from info_parameter where pmid=4"),
                          QStringLiteral("name"), QStringLiteral("name"));
    const bool listed = m_cmbStatus->LoadData(db, errorText);
    db.CloseDatabase();
    if (!listed)
        throw DbError(errorText, QStringLiteral("frmTotal_Rpt"));
}

void frmTotal_Rpt::clearFields() {
    for (QLineEdit* field : {m_txtBuyDate, m_txtBuyDate1, m_txtEpTypeName, m_txtUserDpt, m_txtEpName})
        field->clear();
    m_cmbStatus->Reset();
}

void frmTotal_Rpt::btnSelectDate1_Click() {
    pickInto<frmSelectDate>(m_txtBuyDate);
}

void frmTotal_Rpt::btnSelect_Click() {
    pickInto<frmSelectDate>(m_txtBuyDate1);
}

void frmTotal_Rpt::btnSelectEpType_Click() {
    pickInto<frmSelectType>(m_txtEpTypeName);
}

void frmTotal_Rpt::btnSelectDpt_Click() {
    pickInto<frmSelectDpt>(m_txtUserDpt);
}

StatisticsConditions frmTotal_Rpt::conditions() const {
    StatisticsConditions c;
    c.startDate = m_txtBuyDate->text();
    c.endDate = m_txtBuyDate1->text();
    c.typeName = m_txtEpTypeName->text();
    c.department = m_txtUserDpt->text();
    c.name = m_txtEpName->text();
    c.status = m_cmbStatus->GetValues();
    return c;
}

bool frmTotal_Rpt::CheckData() {
    if (conditions().periodInOrder())
        return true;
    Messages::show(QStringLiteral("选择的“开始日期”大于“结束日期”，请重新选择！"), MsgIcon::Information,
                   MsgButtons::OK, QStringLiteral("系统提示"));
    m_txtBuyDate->setFocus();
    return false;
}

QString frmTotal_Rpt::BuildExecCond() const {
    return conditions().execCond(m_statement);
}

QString frmTotal_Rpt::BuildShowCond() const {
    return conditions().showCond();
}

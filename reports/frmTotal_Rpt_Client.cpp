#include "reports/frmTotal_Rpt_Client.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QLabel* equalsLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("="), parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(12);
    label->setFont(font);
    return label;
}

} // namespace

frmTotal_Rpt_Client::frmTotal_Rpt_Client(QWidget* parent)
    : frmTotal_Rpt_Client(ListConditions::Captions, parent) {}

frmTotal_Rpt_Client::frmTotal_Rpt_Client(const QStringList& captions, QWidget* parent)
    : ConditionDialog(parent), m_captions(captions) {
    setObjectName(captions == ListConditions::Captions ? QStringLiteral("frmTotal_Rpt_Client")
                                                       : QStringLiteral("frmTotal_Rpt_doc"));
    setWindowTitle(QStringLiteral("设备清单"));
    auto* frame = new QGroupBox(QStringLiteral("组合查询"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    m_cmbSearch1 = new QComboBox(frame);
    m_cmbSearch2 = new QComboBox(frame);
    m_txtSearchValue1 = new QLineEdit(frame);
    m_txtSearchValue2 = new QLineEdit(frame);
    m_cmbSearch1->setObjectName(QStringLiteral("cmbSearch1"));
    m_cmbSearch2->setObjectName(QStringLiteral("cmbSearch2"));
    m_txtSearchValue1->setObjectName(QStringLiteral("txtSearchValue1"));
    m_txtSearchValue2->setObjectName(QStringLiteral("txtSearchValue2"));
    m_cmbSearch1->setEditable(false);
    m_cmbSearch2->setEditable(false);

    auto* grid = new QGridLayout(frame);
    auto* label2 = new QLabel(QStringLiteral("查询方式1"), frame);
    auto* label3 = new QLabel(QStringLiteral("查询方式2"), frame);
    label2->setObjectName(QStringLiteral("Label2"));
    label3->setObjectName(QStringLiteral("Label3"));
    grid->addWidget(label2, 0, 0);
    grid->addWidget(m_cmbSearch1, 0, 1);
    grid->addWidget(equalsLabel(QStringLiteral("Label4"), frame), 0, 2);
    grid->addWidget(m_txtSearchValue1, 0, 3);
    grid->addWidget(label3, 1, 0);
    grid->addWidget(m_cmbSearch2, 1, 1);
    grid->addWidget(equalsLabel(QStringLiteral("Label5"), frame), 1, 2);
    grid->addWidget(m_txtSearchValue2, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttonRow());
    // Client area 5535 x 1875 twips.
    setMinimumSize(5535 / 15, 1875 / 15);
}

void frmTotal_Rpt_Client::Form_Load() {
    for (QComboBox* list : {m_cmbSearch1, m_cmbSearch2}) {
        list->clear();
        list->addItems(m_captions);
        list->setCurrentIndex(0);
    }
}

void frmTotal_Rpt_Client::clearFields() {
    m_cmbSearch1->clear();
    m_cmbSearch2->clear();
    m_txtSearchValue1->clear();
    m_txtSearchValue2->clear();
}

ListConditions frmTotal_Rpt_Client::conditions() const {
    ListConditions c;
    c.row1 = {m_cmbSearch1->currentIndex(), m_txtSearchValue1->text()};
    c.row2 = {m_cmbSearch2->currentIndex(), m_txtSearchValue2->text()};
    return c;
}

QString frmTotal_Rpt_Client::BuildExecCond() const {
    return conditions().execCond();
}

QString frmTotal_Rpt_Client::BuildShowCond() const {
    return conditions().showCond(m_captions);
}

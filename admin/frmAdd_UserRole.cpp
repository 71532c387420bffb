#include "admin/frmAdd_UserRole.h"
#include "admin/UserRoleAssignment.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

frmAdd_UserRole::frmAdd_UserRole(QWidget* parent) : AdminRecordDialog(parent) {
    setWindowTitle(QStringLiteral("用户权限"));
    auto* frame = new QGroupBox(QStringLiteral("角色"));
    m_cmbUserid = new QComboBox;
    m_cmbUserid->setObjectName(QStringLiteral("cmbUserid"));
    m_cmbUserid->setEditable(false);
    m_cmbUserid->setFixedWidth(px(1695));
    m_txtUserName = new QLineEdit;
    m_txtUserName->setObjectName(QStringLiteral("txtUserName"));
    m_txtUserName->setReadOnly(true);
    m_txtDptName = new QLineEdit;
    m_txtDptName->setObjectName(QStringLiteral("txtDptName"));
    m_txtDptName->setReadOnly(true);
    m_lvModule = new QTreeWidget;
    m_lvModule->setObjectName(QStringLiteral("lvModule"));
    m_lvModule->setColumnCount(1);
    m_lvModule->setHeaderLabels({QStringLiteral("pid")});
    m_lvModule->header()->setStretchLastSection(false);
    m_lvModule->setColumnWidth(0, px(1900));
    m_lvModule->setRootIsDecorated(false);

    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("帐号:")), 0, 0);
    grid->addWidget(m_cmbUserid, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("姓名:")), 0, 2, Qt::AlignRight);
    grid->addWidget(m_txtUserName, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("部门:")), 1, 0);
    grid->addWidget(m_txtDptName, 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("角色:")), 2, 0, Qt::AlignTop);
    grid->addWidget(m_lvModule, 2, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);

    layOutFrameAndButtons(frame, QSize(5610, 3450), m_btnSave, m_btnCancel);

    setTabOrder(m_lvModule, m_txtUserName);
    setTabOrder(m_txtUserName, m_cmbUserid);
    setTabOrder(m_cmbUserid, m_txtDptName);
    setTabOrder(m_txtDptName, m_btnCancel);
    setTabOrder(m_btnCancel, m_btnSave);

    Form_Load();
    connect(m_cmbUserid, &QComboBox::currentIndexChanged, this, &frmAdd_UserRole::cmbUserid_Click);
    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_UserRole::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_UserRole::btnCancel_Click);
}

void frmAdd_UserRole::Form_Load() {
    guardSlot([&] {
        m_cmbUserid->clear();
        if (const auto accounts = UserRoleAssignment::accounts())
            m_cmbUserid->addItems(*accounts);
        m_cmbUserid->setCurrentIndex(-1); // no account chosen yet
        m_lvModule->clear();
        if (const auto roles = UserRoleAssignment::roles())
            for (const UserRoleAssignment::RoleItem& role : *roles) {
                auto* item = new QTreeWidgetItem(m_lvModule, QStringList{role.name});
                item->setData(0, PmridRole, role.pmrid);
                item->setCheckState(0, Qt::Unchecked);
            }
    });
}

QStringList frmAdd_UserRole::tickedRoles() const {
    QStringList names;
    for (int i = 0; i < m_lvModule->topLevelItemCount(); ++i)
        if (m_lvModule->topLevelItem(i)->checkState(0) == Qt::Checked)
            names << m_lvModule->topLevelItem(i)->text(0);
    return names;
}

void frmAdd_UserRole::cmbUserid_Click() {
    guardSlot([&] {
        const auto account = UserRoleAssignment::findAccount(m_cmbUserid->currentText());
        m_txtUserName->setText(account ? account->name : QString());
        m_txtDptName->setText(account ? account->dptname : QString());
        m_userKey = account ? account->muid : QString();
    });
}

void frmAdd_UserRole::onActivate() {
    guardSlot([&] {
        if (m_activated)
            return;
        m_activated = true;
        if (mode() == RecordMode::Add)
            return;
        const bool browse = mode() == RecordMode::Browse;
        m_btnSave->setEnabled(!browse);
        const auto held = UserRoleAssignment::load(rowQuery());
        if (!held)
            return;
        m_cmbUserid->setCurrentIndex(m_cmbUserid->findText(held->account.userid, Qt::MatchExactly));
        m_txtUserName->setText(held->account.name);
        m_txtDptName->setText(held->account.dptname);
        setLoadedKey(held->account.muid);
        m_cmbUserid->setEnabled(false);
        m_lvModule->setEnabled(!browse);
        for (int i = 0; i < m_lvModule->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = m_lvModule->topLevelItem(i);
            item->setCheckState(
                0, UserRoleAssignment::isHeld(item->text(0), held->roleNames) ? Qt::Checked : Qt::Unchecked);
        }
    });
}

void frmAdd_UserRole::btnSave_Click() {
    guardSlot([&] {
        QStringList ticked;
        for (int i = 0; i < m_lvModule->topLevelItemCount(); ++i)
            if (m_lvModule->topLevelItem(i)->checkState(0) == Qt::Checked)
                ticked << m_lvModule->topLevelItem(i)->data(0, PmridRole).toString();
        const SaveResult result =
            UserRoleAssignment::save(mode(), m_cmbUserid->currentText(), ticked, loadedKey());
        if (result.isRefused()) {
            inform(result.text);
            return;
        }
        if (result.isFailure()) {
            reportSaveFailure(result.text);
            return;
        }
        accept();
    });
}

void frmAdd_UserRole::btnCancel_Click() {
    reject();
}

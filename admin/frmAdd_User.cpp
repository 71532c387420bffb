#include "admin/frmAdd_User.h"
#include "core/ActionDatabase.h"
#include "core/DbError.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/ctrl_SelectValue_Single.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <utility>

frmAdd_User::frmAdd_User(QWidget* parent) : AdminRecordDialog(parent) {
    setWindowTitle(QStringLiteral("添加用户"));
    auto* frame = new QGroupBox;
    m_txtUser = new QLineEdit;
    m_txtUser->setObjectName(QStringLiteral("txtUser"));
    m_cmb_dptName = new ctrl_SelectValue_Single;
    m_cmb_dptName->setObjectName(QStringLiteral("cmb_dptName"));
    m_txtUserid = new QLineEdit;
    m_txtUserid->setObjectName(QStringLiteral("txtUserid"));
    m_txtPwd = makePasswordBox("txtPwd");
    m_txtPwd1 = makePasswordBox("txtPwd1");
    auto* fields = new QFormLayout(frame);
    fields->addRow(QStringLiteral("姓    名:"), m_txtUser);
    fields->addRow(QStringLiteral("部    门:"), m_cmb_dptName);
    fields->addRow(QStringLiteral("帐    号:"), m_txtUserid);
    fields->addRow(QStringLiteral("密    码:"), m_txtPwd);
    fields->addRow(QStringLiteral("确认密码:"), m_txtPwd1);
    m_txtUser->setMinimumWidth(240);

    m_btnSave = DialogButtons::make("btnSave", QStringLiteral("   保存(&S)"));
    m_btnCancel = DialogButtons::make("btnCancel", QStringLiteral("取消(&C)"));
    DialogButtons::layOutBelowFrame(this, frame, {m_btnSave, m_btnCancel});

    setTabOrder(m_txtUser, m_cmb_dptName);
    setTabOrder(m_cmb_dptName, m_txtUserid);
    setTabOrder(m_txtUserid, m_txtPwd);
    setTabOrder(m_txtPwd, m_txtPwd1);
    setTabOrder(m_txtPwd1, m_btnSave);
    setTabOrder(m_btnSave, m_btnCancel);

    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_User::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_User::btnCancel_Click);
    Form_Load();
}

void frmAdd_User::Form_Load() {
    // A department list that cannot be read is reported when the window shows, which then goes.
    const std::optional<QString> failure = failureOf([&] {
        m_cmb_dptName->setQuery(QStringLiteral("部门"), UserEditor::departmentQuery(), QStringLiteral("name"),
                                QStringLiteral("mdid"));
        const std::unique_ptr<clsMDB> db = ActionDatabase::open();
        QString error;
        if (!m_cmb_dptName->LoadData(*db, error))
            throw DbError(error, QStringLiteral("frmAdd_User"));
    });
    m_loadFailure = failure.value_or(QString());
}

void frmAdd_User::onActivate() {
    if (!m_loadFailure.isEmpty()) {
        showGuardedFailure(QStringLiteral("数据提取失败！"), std::exchange(m_loadFailure, QString()));
        closeAfterFailure();
        return;
    }
    guardSlot([&] {
        const bool browse = mode() == RecordMode::Browse;
        for (QLineEdit* box : {m_txtUser, m_txtUserid, m_txtPwd, m_txtPwd1})
            box->setReadOnly(browse);
        m_cmb_dptName->setEnabled(!browse);
        m_btnSave->setEnabled(!browse);
        if (mode() == RecordMode::Add)
            return;
        const auto row = UserEditor::load(rowQuery());
        if (!row) {
            // Nothing to show: no key is kept, so a save cannot change another row.
            setLoadedKey(QString());
            return;
        }
        m_txtUserid->setText(row->userid);
        m_txtUser->setText(row->name);
        m_storedDigest = row->pwd;
        m_txtPwd->setText(row->pwd);
        m_txtPwd1->setText(row->pwd);
        m_cmb_dptName->locateByValue(row->mdid);
        setLoadedKey(browse ? QString() : row->muid);
        if (UserEditor::isLockedAccount(row->userid))
            m_txtUserid->setReadOnly(true);
    });
}

void frmAdd_User::btnSave_Click() {
    guardSlot([&] {
        const UserFields fields{m_txtUser->text(), m_cmb_dptName->GetValues(), m_txtUserid->text(),
                                m_txtPwd->text(),  m_txtPwd1->text(),          m_storedDigest};
        const SaveResult result = UserEditor::save(mode(), fields, loadedKey());
        if (result.isRefused()) {
            inform(result.text);
            return;
        }
        if (result.isFailure()) {
            Messages::show(QStringLiteral("添加失败！"), MsgIcon::None, MsgButtons::OK);
            return;
        }
        accept();
    });
}

void frmAdd_User::btnCancel_Click() {
    reject();
}

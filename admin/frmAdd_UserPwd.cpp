#include "admin/frmAdd_UserPwd.h"
#include "admin/AdminRecordDialog.h"
#include "admin/PasswordChange.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "ui/DialogButtons.h"
#include "ui/SlotGuard.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

frmAdd_UserPwd::frmAdd_UserPwd(QWidget* parent) : ActivatingDialog(parent) {
    setWindowTitle(QStringLiteral("修改个人密码"));
    setClosesOnEscape(false);
    auto* frame = new QGroupBox(QStringLiteral("个人密码修改"));
    m_txtUserName = new QLineEdit;
    m_txtUserName->setObjectName(QStringLiteral("txtUserName"));
    m_txtUserName->setReadOnly(true);
    m_txtUserName->setMinimumWidth(220);
    m_txtOldPwd = AdminRecordDialog::makePasswordBox("txtOldPwd");
    m_txtNewPwd1 = AdminRecordDialog::makePasswordBox("txtNewPwd1");
    m_txtNewPwd2 = AdminRecordDialog::makePasswordBox("txtNewPwd2");
    auto* fields = new QFormLayout(frame);
    fields->addRow(QStringLiteral("帐号名称:"), m_txtUserName);
    fields->addRow(QStringLiteral("旧 密 码:"), m_txtOldPwd);
    fields->addRow(QStringLiteral("新 密 码:"), m_txtNewPwd1);
    fields->addRow(QStringLiteral("确认新密码:"), m_txtNewPwd2);

    m_btnSave = DialogButtons::make("btnSave", QStringLiteral("   保存(&S)"));
    m_btnSave->setDefault(true); // Enter in any box saves
    m_btnCancel = DialogButtons::make("btnCancel", QStringLiteral("取消(&C)"));
    DialogButtons::layOutBelowFrame(this, frame, {m_btnSave, m_btnCancel});

    connect(m_btnSave, &QPushButton::clicked, this, &frmAdd_UserPwd::btnSave_Click);
    connect(m_btnCancel, &QPushButton::clicked, this, &frmAdd_UserPwd::btnCancel_Click);
}

void frmAdd_UserPwd::onActivate() {
    m_txtUserName->setText(gLoginName);
    m_txtOldPwd->setFocus(); // the account box is locked: typing starts with the old password
}

void frmAdd_UserPwd::btnSave_Click() {
    guardSlot([&] {
        const SaveResult result = PasswordChange::change(m_txtUserName->text(), m_txtOldPwd->text(),
                                                         m_txtNewPwd1->text(), m_txtNewPwd2->text());
        switch (result.kind) {
        case SaveResult::Kind::Refused:
            AdminRecordDialog::inform(result.text);
            if (QLineEdit* box = result.focus.isEmpty() ? nullptr : findChild<QLineEdit*>(result.focus))
                box->setFocus();
            return;
        case SaveResult::Kind::QueryFailed:
            Messages::show(QStringLiteral("添加失败！错误描述:【") + result.text + QStringLiteral("】"),
                           MsgIcon::Critical, MsgButtons::OK, QStringLiteral("提示信息"));
            return;
        case SaveResult::Kind::WriteFailed:
            AdminRecordDialog::inform(QStringLiteral("修改密码失败请重新修改!"));
            return;
        case SaveResult::Kind::Saved:
            AdminRecordDialog::inform(QStringLiteral("修改密码成功!"));
            accept();
            return;
        }
    });
}

void frmAdd_UserPwd::btnCancel_Click() {
    reject();
}

#pragma once
#include "admin/AdminRecordDialog.h"
#include "admin/UserEditor.h"

class QLineEdit;
class QPushButton;
class ctrl_SelectValue_Single;

// The record dialog of the user list ("用户管理"): name, department, account and password of one login
// account.
class frmAdd_User : public AdminRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_User(QWidget* parent = nullptr);

    QLineEdit* txtUser() const { return m_txtUser; }
    ctrl_SelectValue_Single* cmb_dptName() const { return m_cmb_dptName; }
    QLineEdit* txtUserid() const { return m_txtUserid; }
    QLineEdit* txtPwd() const { return m_txtPwd; }
    QLineEdit* txtPwd1() const { return m_txtPwd1; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }
    // The digest the password box was loaded with (empty when adding).
    const QString& txtPwdTag() const { return m_storedDigest; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    void Form_Load();

    QLineEdit* m_txtUser;
    ctrl_SelectValue_Single* m_cmb_dptName;
    QLineEdit* m_txtUserid;
    QLineEdit* m_txtPwd;
    QLineEdit* m_txtPwd1;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
    QString m_storedDigest;
    QString m_loadFailure; // why the department list could not be read
};

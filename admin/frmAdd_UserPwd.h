#pragma once
#include "pickers/ActivatingDialog.h"

class QLineEdit;
class QPushButton;

// The operator changes the own password ("修改密码" of the main window).
class frmAdd_UserPwd : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmAdd_UserPwd(QWidget* parent = nullptr);

    QLineEdit* txtUserName() const { return m_txtUserName; }
    QLineEdit* txtOldPwd() const { return m_txtOldPwd; }
    QLineEdit* txtNewPwd1() const { return m_txtNewPwd1; }
    QLineEdit* txtNewPwd2() const { return m_txtNewPwd2; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    QLineEdit* m_txtUserName;
    QLineEdit* m_txtOldPwd;
    QLineEdit* m_txtNewPwd1;
    QLineEdit* m_txtNewPwd2;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
};

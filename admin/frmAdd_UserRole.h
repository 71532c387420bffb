#pragma once
#include "admin/AdminRecordDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// The record dialog of the user-rights list ("用户权限"): the roles of one account, ticked in a list of
// every role.
class frmAdd_UserRole : public AdminRecordDialog {
    Q_OBJECT
public:
    // The role's key on column 0 of an item of lvModule.
    static constexpr int PmridRole = Qt::UserRole;

    explicit frmAdd_UserRole(QWidget* parent = nullptr);

    QComboBox* cmbUserid() const { return m_cmbUserid; }
    QLineEdit* txtUserName() const { return m_txtUserName; }
    QLineEdit* txtDptName() const { return m_txtDptName; }
    QTreeWidget* lvModule() const { return m_lvModule; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }
    // The key of the chosen account's user (empty when none is chosen or the account is gone).
    const QString& userKey() const { return m_userKey; }
    // The names of the ticked roles, top to bottom.
    QStringList tickedRoles() const;

public slots:
    void cmbUserid_Click();
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    void Form_Load();

    QComboBox* m_cmbUserid;
    QLineEdit* m_txtUserName;
    QLineEdit* m_txtDptName;
    QTreeWidget* m_lvModule;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
    QString m_userKey;
    bool m_activated = false;
};

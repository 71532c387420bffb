#pragma once
#include "admin/AdminRecordDialog.h"
#include "admin/NamedItemEditor.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The record dialog of one module or permission name (frmAdd_Module, frmAdd_role).
class NamedItemDialog : public AdminRecordDialog {
    Q_OBJECT
public:
    explicit NamedItemDialog(const NamedItemKind& kind, QWidget* parent = nullptr);

    QLineEdit* txtDptName() const { return m_txtDptName; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }
    QGroupBox* frame() const { return m_frame; }
    QLabel* label() const { return m_label; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    NamedItemEditor m_editor;
    QGroupBox* m_frame;
    QLabel* m_label;
    QLineEdit* m_txtDptName;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
};

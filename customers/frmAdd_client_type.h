#pragma once
#include "pickers/ActivatingDialog.h"
#include "ui/IRecordDialog.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

// The job-title dialog: adds a title, or renames the one the list's row query names. A name that any
// row of the parameter table already has is refused; a failed write keeps the dialog open.
class frmAdd_client_type : public ActivatingDialog, public IRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_client_type(QWidget* parent = nullptr);

    QGroupBox* Frame1() const { return m_frame; }
    QLineEdit* txtName() const { return m_txtName; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    QGroupBox* m_frame;
    QLineEdit* m_txtName;
    QPushButton* m_btnCancel;
    QPushButton* m_btnSave;
};

#pragma once
#include "pickers/ActivatingDialog.h"

class QLineEdit;
class QPushButton;

// Keeps the number of reminder days. Every activation shows the stored value again.
class frmAdd_setup : public ActivatingDialog {
    Q_OBJECT
public:
    explicit frmAdd_setup(QWidget* parent = nullptr);

    QLineEdit* txtDays() const { return m_txtDays; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onActivate() override;

private:
    QLineEdit* m_txtDays;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
};

#pragma once
#include "ui/CentredDialog.h"
#include "ui/IRecordDialog.h"

#include <QDate>

class ctrl_SelectValue_Single;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The visit dialog: adds, edits or browses one visit to a customer. The visits tab of the customer
// list sets the mode, the customer's key and, for edit and browse, the visit's row query. Saving
// writes the visit and the customer's new next visit date in one transaction and hands that date
// back to the list (listResult).
class frmAdd_info_records : public CentredDialog, public IRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_info_records(QWidget* parent = nullptr);

    // The next visit date the last successful save wrote, as 'yyyy-MM-dd'; invalid until then.
    QVariant listResult() const override;

    // The day the date picker starts on; tests set it.
    void setToday(const QDate& today);

    QGroupBox* Frame1;
    ctrl_SelectValue_Single* cmbAcessType;
    QLineEdit* txtAddress;
    QLineEdit* txtLinkman;
    ctrl_SelectValue_Single* cmbDuty;
    QLineEdit* txtLinktel;
    QDateEdit* dtpAcess_date;
    QPlainTextEdit* txtContent;
    QPlainTextEdit* txtResults;
    QPushButton* btnSave;
    QPushButton* btnCancel;

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    void onShown() override;

private:
    void Form_Activate();
    void setEditable(bool editable);

    QDate m_today;
    QString m_nextDate;
};

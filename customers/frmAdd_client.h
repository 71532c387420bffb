#pragma once
#include "customers/CustomerAttachments.h"
#include "customers/CustomerCard.h"
#include "ui/CentredDialog.h"
#include "ui/IRecordDialog.h"

#include <QDate>

class ctrl_SelectValue_Single;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The customer card: adds, edits or browses one customer with its attached files. The opener sets
// the mode, the row query (edit, browse) or its list title (add) by the record-dialog protocol and
// runs it modally. The card loads its pickers and the default interval the first time it is shown,
// then fills itself by its mode. Saving writes the customer and every attachment change in one
// transaction; in browse mode a double-click opens a copy of the attached file.
class frmAdd_client : public CentredDialog, public IRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_client(QWidget* parent = nullptr);

    // The day the card counts as today (registration date, default next date); tests set it.
    void setToday(const QDate& today) { m_today = today; }
    const CustomerAttachments& attachments() const { return m_attachments; }

    // The short name: the pinyin initials of `text`, upper-case.
    static QString To_PY(const QString& text, qint16 mode, const QString& separator);

    QGroupBox* Frame1;
    ctrl_SelectValue_Single* cmbClientType;
    QLineEdit* txtCompany;
    QLineEdit* txtAddress;
    QLineEdit* txtName;
    ctrl_SelectValue_Single* cmdduty;
    QLineEdit* txtOffice_Tel1;
    QLineEdit* txtOffice_Tel2;
    QLineEdit* txtOffice_Tel3;
    QLineEdit* txtHome_Tel1;
    QLineEdit* txtHome_Tel2;
    QLineEdit* txtMobile_tel1;
    QLineEdit* txtMobile_tel2;
    QLineEdit* txtMobile_tel3;
    QLineEdit* txtFax;
    QLineEdit* txtPostCode;
    QLineEdit* txtQQ;
    QLineEdit* txtMsn;
    QLineEdit* txtEmail;
    QLineEdit* txtWwwSite;
    QPlainTextEdit* txtIntro;
    QPlainTextEdit* txtRemark;
    QTreeWidget* lvFileList;
    QPushButton* btnAdd;
    QPushButton* btnRemove;
    QLineEdit* TxtHfzq;
    QLineEdit* txtSign_date;
    QLineEdit* txtNextDate;
    QLineEdit* txtJp;
    QPushButton* btnSave;
    QPushButton* btnCancel;

public slots:
    void btnSave_Click();
    void btnCancel_Click();
    void btnAdd_Click();
    void btnRemove_Click();
    void lvFileList_DblClick();

protected:
    void onShown() override;

private:
    // The work of the first showing: pickers, attachment list, default interval and next date.
    void Form_Load();
    // Fills the card by its mode.
    void Form_Activate();
    void fillFrom(const CustomerFields& row);
    void showAttachments();
    // The registration day (today before one is shown) plus the interval, into txtNextDate.
    void showNextDateFromInterval();
    CustomerFields collect() const;
    QWidget* controlFor(CustomerCard::Field field) const;
    QLineEdit* textBoxOf(const QString& column) const;

    CustomerAttachments m_attachments;
    QDate m_today = QDate::currentDate();
    bool m_loaded = false;
    // Whether the next visit date is still to be stored: always in add mode, in edit mode for a
    // customer saved without one.
    bool m_nextDateFollowsInterval = false;
};

#pragma once
#include "customers/ContactRecordStore.h"
#include "pickers/ActivatingDialog.h"
#include "ui/IRecordDialog.h"

#include <QHash>

class QGroupBox;
class QPushButton;

// The window of a contact-record dialog, built from its form: the inputs in the frame Frame1, Save
// and Cancel below. The opener sets the mode, the customer's key (the owner key) and, for edit and
// browse, the query of the record. Each activation loads the record in edit and browse; Save checks,
// writes in one transaction and closes; a failure keeps the dialog open with what the user typed.
class ContactRecordDialog : public ActivatingDialog, public IRecordDialog {
    Q_OBJECT
public:
    const ContactRecordForm& form() const { return m_form; }

    // The control of an input by its name (a QLineEdit, QPlainTextEdit, QDateEdit or
    // ctrl_SelectValue_Single), or null.
    QWidget* control(const QString& name) const { return m_controls.value(name); }
    // The value of an input as the store takes it, and setting it as the user would.
    QString value(const QString& name) const;
    void setValue(const QString& name, const QString& value);

    QGroupBox* Frame1() const { return m_frame; }
    QPushButton* btnSave() const { return m_btnSave; }
    QPushButton* btnCancel() const { return m_btnCancel; }

public slots:
    void btnSave_Click();
    void btnCancel_Click();

protected:
    ContactRecordDialog(ContactRecordForm form, QWidget* parent = nullptr);
    void onActivate() override;
    // The record is loaded once, when the dialog is shown: coming back from the date picker's
    // calendar or the title list must not load it again over what the user typed.
    void changeEvent(QEvent* event) override { QDialog::changeEvent(event); }

private:
    QWidget* makeControl(const ContactField& field);
    ContactRecordStore::Values values() const;
    void fill(const ContactRecordStore::Values& values);
    void setEditable(bool editable);
    void loadTitles(const clsMDB& db);

    ContactRecordForm m_form;
    ContactRecordStore m_store;
    QHash<QString, QWidget*> m_controls;
    QGroupBox* m_frame;
    QPushButton* m_btnSave;
    QPushButton* m_btnCancel;
};

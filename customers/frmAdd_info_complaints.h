#pragma once
#include "customers/ContactRecordDialog.h"

// One complaint concerning a customer, a row of customer_complaints_info.
class frmAdd_info_complaints : public ContactRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_info_complaints(QWidget* parent = nullptr);

    // The form of this dialog: its table, captions, inputs and their rules.
    static ContactRecordForm form();
};

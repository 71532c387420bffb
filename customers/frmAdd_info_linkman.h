#pragma once
#include "customers/ContactRecordDialog.h"

// One further contact person of a customer, a row of customer_info_linkman, with a job title
// picked from the titles.
class frmAdd_info_linkman : public ContactRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_info_linkman(QWidget* parent = nullptr);

    // The form of this dialog: its table, captions, inputs and their rules.
    static ContactRecordForm form();
};

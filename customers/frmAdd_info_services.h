#pragma once
#include "customers/ContactRecordDialog.h"

// One after-sales service given to a customer, a row of customer_services_info. An edit keeps the
// record's customer.
class frmAdd_info_services : public ContactRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_info_services(QWidget* parent = nullptr);

    // The form of this dialog: its table, captions, inputs and their rules.
    static ContactRecordForm form();
};

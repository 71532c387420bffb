#pragma once
#include "customers/ContactRecordDialog.h"

// One sale to a customer, a row of customer_sales_info.
class frmAdd_info_sale : public ContactRecordDialog {
    Q_OBJECT
public:
    explicit frmAdd_info_sale(QWidget* parent = nullptr);

    // The form of this dialog: its table, captions, inputs and their rules.
    static ContactRecordForm form();
};

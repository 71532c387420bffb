#pragma once
#include "lists/ListWindowBase.h"

// The customer list window: the customer grid of its list query with one search column, add, edit,
// browse, delete and export through the customer card, and below it the detail area with the selected
// customer's records. It loads its grid at every activation.
class frmDBListPact : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBListPact(QWidget* parent = nullptr);

    QPushButton* btnAdd;
    QPushButton* btnDel;
    QPushButton* btnEdit;
    QPushButton* btnList;
    QPushButton* btnExport;
    QWidget* SSPanel2; // holds the customer grid
    QWidget* SSPanel1; // the detail area

protected:
    // Puts the cursor on the first customer.
    void afterLoad() override;
};

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
    // Add, delete, edit and export follow the permissions "添加", "删除", "修改" and "导出excel";
    // browse and search stay.
    void applyButtonRights() override;
    // Puts the cursor on the first customer.
    void afterLoad() override;
};

#pragma once
#include "lists/ListWindowBase.h"

// The generic maintenance list window: the rows of its list query, one search column, and the record
// dialog named in its parameters for add, edit and browse. It loads its grid at every activation.
class frmDBList : public ListWindowBase {
    Q_OBJECT
public:
    explicit frmDBList(QWidget* parent = nullptr);

    QPushButton* btnAdd;
    QPushButton* btnDel;
    QPushButton* btnEdit;
    QPushButton* btnList;

protected:
    // Add, delete and edit follow the permissions "添加", "删除" and "修改"; browse and search stay.
    void applyButtonRights() override;
};

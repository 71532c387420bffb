#pragma once
#include "pickers/SelectTreeDialog.h"

// Picks a department: tag() is the department's name. "添加" opens the department tree editor.
class frmSelectDpt : public SelectTreeDialog {
    Q_OBJECT
public:
    explicit frmSelectDpt(QWidget* parent = nullptr);

public slots:
    void btnAdd_Click() override;
};

#pragma once
#include "reports/frmTotal_Rpt_Client.h"

// The list dialog's twin: entries 1 and 2 of its column list read "分类编号" and "分类名称".
class frmTotal_Rpt_doc : public frmTotal_Rpt_Client {
    Q_OBJECT
public:
    explicit frmTotal_Rpt_doc(QWidget* parent = nullptr);
};

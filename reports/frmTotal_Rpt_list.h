#pragma once
#include "reports/frmTotal_Rpt.h"

// The statistics dialog's twin: the same conditions, captioned "设备清单报表", building a plain list.
class frmTotal_Rpt_list : public frmTotal_Rpt {
    Q_OBJECT
public:
    explicit frmTotal_Rpt_list(QWidget* parent = nullptr);
};

#include "reports/frmTotal_Rpt_list.h"

frmTotal_Rpt_list::frmTotal_Rpt_list(QWidget* parent)
    : frmTotal_Rpt(QStringLiteral("设备清单报表"), StatisticsConditions::Statement::List, parent) {}

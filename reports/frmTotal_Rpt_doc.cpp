#include "reports/frmTotal_Rpt_doc.h"

frmTotal_Rpt_doc::frmTotal_Rpt_doc(QWidget* parent)
    : frmTotal_Rpt_Client(ListConditions::DocCaptions, parent) {}

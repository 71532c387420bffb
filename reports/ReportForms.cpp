#include "reports/ReportForms.h"
#include "ui/FormFactory.h"

void registerReportForms() {}

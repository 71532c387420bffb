#include "app/FormRegistration.h"
#include "admin/AdminForms.h"
#include "customers/CustomerForms.h"
#include "lists/ListForms.h"
#include "reports/ReportForms.h"

void registerAllForms() {
    registerListForms();
    registerCustomerForms();
    registerReportForms();
    registerAdminForms();
}

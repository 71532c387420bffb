#include "customers/CustomerForms.h"
#include "customers/frmAdd_client.h"
#include "customers/frmAdd_client_type.h"
#include "customers/frmAdd_doc_type.h"
#include "customers/frmAdd_info_complaints.h"
#include "customers/frmAdd_info_linkman.h"
#include "customers/frmAdd_info_records.h"
#include "customers/frmAdd_info_sale.h"
#include "customers/frmAdd_info_services.h"
#include "ui/FormFactory.h"

void registerCustomerForms() {
    FormFactory::registerForm(QStringLiteral("frmAdd_doc_type"), [] { return new frmAdd_doc_type; });
    FormFactory::registerForm(QStringLiteral("frmAdd_client_type"), [] { return new frmAdd_client_type; });
    // The sales tab opens its dialog as "frmadd_info_sales".
    for (const char* name : {"frmAdd_info_sale", "frmAdd_info_sales"})
        FormFactory::registerForm(QString::fromLatin1(name), [] { return new frmAdd_info_sale; });
    FormFactory::registerForm(QStringLiteral("frmAdd_info_complaints"),
                              [] { return new frmAdd_info_complaints; });
    FormFactory::registerForm(QStringLiteral("frmAdd_info_services"),
                              [] { return new frmAdd_info_services; });
    FormFactory::registerForm(QStringLiteral("frmAdd_info_linkman"), [] { return new frmAdd_info_linkman; });
    FormFactory::registerForm(QStringLiteral("frmAdd_client"), [] { return new frmAdd_client; });
    FormFactory::registerForm(QStringLiteral("frmAdd_info_records"), [] { return new frmAdd_info_records; });
}

#include "lists/ListForms.h"
#include "lists/frmDBList.h"
#include "lists/frmDBListPact.h"
#include "lists/frmDBListPrint.h"
#include "ui/FormFactory.h"

void registerListForms() {
    FormFactory::registerForm(QStringLiteral("frmDBList"), [] { return new frmDBList; });
    FormFactory::registerForm(QStringLiteral("frmDBListPrint"), [] { return new frmDBListPrint; });
    FormFactory::registerForm(QStringLiteral("frmDBListPact"), [] { return new frmDBListPact; });
}

#include "customers/CustomerForms.h"
#include "ui/FormFactory.h"

void registerCustomerForms() {}

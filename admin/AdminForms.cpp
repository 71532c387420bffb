#include "admin/AdminForms.h"
#include "ui/FormFactory.h"

void registerAdminForms() {}

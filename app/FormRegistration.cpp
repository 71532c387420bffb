#include "app/FormRegistration.h"
#include "lists/ListForms.h"

void registerAllForms() {
    registerListForms();
}

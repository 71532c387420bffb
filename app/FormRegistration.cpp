#include "app/FormRegistration.h"
#include "lists/ListForms.h"
#include "shell/ShellForms.h"

void registerAllForms() {
    registerShellForms();
    registerListForms();
}

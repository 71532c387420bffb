#include "shell/ShellForms.h"
#include "shell/FormFactory.h"
#include "shell/frmAbout.h"

void registerShellForms() {
    FormFactory::registerForm(QStringLiteral("frmAbout"), [] { return new frmAbout; });
}

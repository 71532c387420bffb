#include "app/CrmApplication.h"
#include "app/Startup.h"
#include "shell/ApplicationShell.h"
#include "ui/WidgetServices.h"

int main(int argc, char** argv) {
    CrmApplication app(argc, argv);
    installWidgetServices();
    ApplicationShell::installShellServices();
    Startup startup;
    if (!startup.run())
        return 0;
    return app.exec();
}

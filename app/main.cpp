#include "app/Startup.h"
#include "shell/ApplicationShell.h"
#include "ui/WidgetServices.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    installWidgetServices();
    ApplicationShell::installShellServices();
    Startup startup;
    if (!startup.run())
        return 0;
    return app.exec();
}

#include "app/Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Startup startup;
    if (!startup.run())
        return 0;
    return app.exec();
}

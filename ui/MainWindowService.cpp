#include "ui/MainWindowService.h"

#include <QMainWindow>
#include <QMdiArea>

namespace MainWindowService {

ServiceHook<QMainWindow*()>& mainWindow() {
    static ServiceHook<QMainWindow*()> hook([]() -> QMainWindow* { return nullptr; });
    return hook;
}

QMdiArea* mdiArea() {
    QMainWindow* window = mainWindow()();
    return window ? window->findChild<QMdiArea*>() : nullptr;
}

} // namespace MainWindowService

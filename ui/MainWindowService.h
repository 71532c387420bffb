#pragma once
#include "core/ServiceHook.h"

class QMainWindow;
class QMdiArea;

// Hands a lower window the program's main window (to own a dialog or take an MDI child) without
// knowing the shell. The shell installs it at start-up; without it there is no main window.
namespace MainWindowService {

ServiceHook<QMainWindow*()>& mainWindow();

// The main window's MDI area, or null.
QMdiArea* mdiArea();

} // namespace MainWindowService

#pragma once
#include <QString>

class clsMDB;
class clsApp;

// The objects of the whole run, set during start-up and read by every subsystem. The main window is
// the shell's (gMDIMain); lower windows reach it through MainWindowService.
extern clsMDB* gMDB;       // the shared data-access object, open for the whole run
extern clsApp* gApp;       // operator identity, rights list, tree and status bar
extern QString gLoginName; // the login name of the operator

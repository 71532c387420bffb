#pragma once
#include <QString>

class clsMDB;
class clsApp;
class MDIMain;

// The objects of the whole run, set during start-up and read by every subsystem.
extern clsMDB* gMDB;       // the shared data-access object, open for the whole run
extern clsApp* gApp;       // operator identity, rights list, tree and status bar
extern MDIMain* gMDIMain;  // the main window
extern QString gLoginName; // the login name of the operator

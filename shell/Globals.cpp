#include "shell/Globals.h"

clsMDB* gMDB = nullptr;
clsApp* gApp = nullptr;
MDIMain* gMDIMain = nullptr;
QString gLoginName;

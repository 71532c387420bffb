#include "core/Globals.h"

clsMDB* gMDB = nullptr;
clsApp* gApp = nullptr;
QString gLoginName;

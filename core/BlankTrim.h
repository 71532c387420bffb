#pragma once
#include <QString>

// Removes blanks (" " only, not tabs or line breaks) at both ends, as the old run time's Trim did.
QString trimBlanks(const QString& text);

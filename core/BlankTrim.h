#pragma once
#include <QString>

// Removes blanks (" " only, not tabs or line breaks) at both ends, as the old run time's Trim did.
QString trimBlanks(const QString& text);
// trimBlanks, or one blank when nothing is left: a typed text as the tables keep it.
QString trimBlanksOrSpace(const QString& text);

#pragma once
#include "core/ServiceHook.h"

#include <QString>
#include <QStringList>

// Deletes a file, read-only ones too: 1 deleted, 0 no such file, -1 any other failure.
qint16 DeleteFileForce(const QString& fileName);

// The names of a folder's files: element 0 is empty, elements 1 to n are the names (with the folder
// and one separator in front when withPath is set). A folder that cannot be read gives just element 0.
QStringList GetFolderFileNames(const QString& folder, bool withPath);

// Whether the settings store holds the configured flag; when it does not, the single-user settings are
// written (which ends the program with a request to start again) and their outcome is answered.
bool IsDbConfigured();
// Writes the single-user settings through the configuration dialog and answers whether they were
// saved; the application shell installs the dialog.
ServiceHook<bool()>& editBaseConfig();

// Empties the temporary folder of the program, passing over files it cannot delete. Answers the
// description of a failure that stopped it (the folder cannot be read), empty when there was none.
QString ClearTempFolder();

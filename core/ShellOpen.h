#pragma once
#include "core/ServiceHook.h"

#include <QUrl>

// Opens a file, web page or mail address with the desktop's own program. Tests record the targets.
namespace ShellOpen {

ServiceHook<bool(const QUrl&)>& handler();

bool open(const QUrl& target);
// A local file by its path.
bool openFile(const QString& path);

} // namespace ShellOpen

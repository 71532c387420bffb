#include "shell/ShellOpen.h"

#include <QDesktopServices>

namespace ShellOpen {

ServiceHook<bool(const QUrl&)>& handler() {
    static ServiceHook<bool(const QUrl&)> hook(
        [](const QUrl& url) { return QDesktopServices::openUrl(url); });
    return hook;
}

bool open(const QUrl& target) {
    return handler()(target);
}

bool openFile(const QString& path) {
    return open(QUrl::fromLocalFile(path));
}

} // namespace ShellOpen

#include "core/ShellOpen.h"

namespace ShellOpen {

ServiceHook<bool(const QUrl&)>& handler() {
    // Without a desktop nothing opens.
    static ServiceHook<bool(const QUrl&)> hook([](const QUrl&) { return false; });
    return hook;
}

bool open(const QUrl& target) {
    return handler()(target);
}

bool openFile(const QString& path) {
    return open(QUrl::fromLocalFile(path));
}

} // namespace ShellOpen

#include "core/LockWait.h"

#include <QThread>

namespace LockWait {

ServiceHook<bool(int)>& waiting() {
    static ServiceHook<bool(int)> hook([](int) {
        QThread::msleep(20);
        return true;
    });
    return hook;
}

ServiceHook<void()>& ended() {
    static ServiceHook<void()> hook([] {});
    return hook;
}

} // namespace LockWait

#include "ui/MemoryRelease.h"
#include "core/RowBlockPool.h"

#include <QCoreApplication>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace MemoryRelease {

namespace {
bool pending = false;
}

ServiceHook<void()>& handler() {
    static ServiceHook<void()> hook([] {
        // The row blocks kept for a next read, then the heap's free pages.
        RowBlockPool::instance().drain();
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    });
    return hook;
}

void releaseSoon() {
    if (pending || !QCoreApplication::instance())
        return;
    pending = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        pending = false;
        handler()();
    });
}

} // namespace MemoryRelease

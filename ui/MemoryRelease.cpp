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

#ifdef __GLIBC__
// Less free heap than this is working memory that the next steps take again at once (a list's reload,
// the list a login opens); given back, it would only cost them its page faults: about 7 ms of the login
// over 100,000 customers in bench_startup, for the 9 MB free when its login dialog closed. A closed
// report or list of 100,000 rows leaves far more.
constexpr size_t WorthGivingBackBytes = size_t(16) << 20;
#endif
} // namespace

ServiceHook<void()>& handler() {
    static ServiceHook<void()> hook([] {
        // The row blocks made ready ahead of a read, then the heap's free pages.
        RowBlockPool::instance().drain();
#ifdef __GLIBC__
        if (mallinfo2().fordblks >= WorthGivingBackBytes)
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

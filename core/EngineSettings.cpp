#include "core/EngineSettings.h"

#include <algorithm>
#include <sqlite3.h>
#include <thread>
#ifdef __linux__
#include <sched.h>
#endif

namespace {

// The processors this process may run on: a process limited to some of the machine's (by taskset or a
// container's share) must not start more threads than it has processors for.
int usableProcessors() {
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return CPU_COUNT(&set);
#endif
    return static_cast<int>(std::thread::hardware_concurrency());
}

} // namespace

namespace EngineSettings {

int sortHelperThreads() {
    return std::clamp(usableProcessors() - 1, 0, 4);
}

void apply(sqlite3* db) {
    // A large sort (the list report orders a whole table by its names) is shared out among helper
    // threads of the engine: they sort parts of the rows, and merge the sorted parts, beside the thread
    // that steps the statement, also between its steps, while that thread stores the rows already
    // given. So the collations a sort calls run on several threads at once.
    sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, sortHelperThreads());
}

} // namespace EngineSettings

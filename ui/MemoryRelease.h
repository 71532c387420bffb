#pragma once
#include "core/ServiceHook.h"

// Gives the memory that a closed window held back to the system. The C library keeps freed heap pages
// for the process, and the recordsets' pool the row blocks it made ready ahead of a read; after a report
// or a list of 100,000 rows has gone they would stay with it.
namespace MemoryRelease {

// The release itself (the row blocks the recordsets' pool made ready, then malloc_trim on glibc when
// the heap holds enough free memory to be worth it); tests count the calls.
ServiceHook<void()>& handler();

// Runs the release at the next turn of the event loop, once, however often it is asked for before:
// a window that is being closed is deleted by then.
void releaseSoon();

} // namespace MemoryRelease

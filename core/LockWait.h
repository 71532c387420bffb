#pragma once
#include "core/ServiceHook.h"

// Waiting for a database that another program holds locked. The data layer retries on its own; the
// program installs a window that shows after a second of waiting and lets the user stop it. The data
// layer alone waits silently until the time-out.
namespace LockWait {

// Called at every retry with the milliseconds waited so far; it may process events for a short while
// in place of the pause between retries. Answers false to stop waiting (the statement then fails as
// locked).
ServiceHook<bool(int elapsedMs)>& waiting();
// Called once when a wait that reached `waiting` is over, whatever its outcome.
ServiceHook<void()>& ended();

} // namespace LockWait

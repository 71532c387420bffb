#pragma once
#include "core/ServiceHook.h"

// Shows the hourglass for as long as the object lives. The data layer shows nothing by itself: the
// program installs the pointer change (true on, false off).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    static ServiceHook<void(bool)>& handler();
};

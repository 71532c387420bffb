#include "core/WaitCursor.h"

WaitCursor::WaitCursor() {
    handler()(true);
}

WaitCursor::~WaitCursor() {
    handler()(false);
}

ServiceHook<void(bool)>& WaitCursor::handler() {
    static ServiceHook<void(bool)> hook([](bool) {});
    return hook;
}

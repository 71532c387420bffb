#pragma once
#include "core/ServiceHook.h"

// Ends the program at once (the configuration saved, start-up refused). Tests install a handler that
// records the request and returns, so callers must not rely on the call not returning.
namespace ProgramEnd {

ServiceHook<void(int)>& handler();

void end(int exitCode = 0);

} // namespace ProgramEnd

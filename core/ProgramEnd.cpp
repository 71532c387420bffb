#include "core/ProgramEnd.h"

#include <cstdlib>

namespace ProgramEnd {

ServiceHook<void(int)>& handler() {
    static ServiceHook<void(int)> hook([](int exitCode) { std::exit(exitCode); });
    return hook;
}

void end(int exitCode) {
    handler()(exitCode);
}

} // namespace ProgramEnd

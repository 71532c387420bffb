#pragma once

struct sqlite3;

// What the program sets on every connection it opens, beyond the file and its SQL functions: the
// engine's helper threads for large sorts. Benchmarks give their bare reads the same, so that a
// figure held against a bare read is the program's own cost.
namespace EngineSettings {

// The helper threads a sort may use: one fewer than the processors the program may run on (one stays
// for the rest of the system), at most four.
int sortHelperThreads();

void apply(sqlite3* db);

} // namespace EngineSettings

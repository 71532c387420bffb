#pragma once

struct sqlite3;

// The functions of the old desktop database's SQL that the program's queries use, registered on a
// connection: dateadd(interval, number, date) with the intervals 'd', 'm' and 'yyyy', and getdate().
// Answers false when a function cannot be registered.
bool registerJetFunctions(sqlite3* db);

#pragma once
#include <QString>

struct sqlite3;

// The description of an SQLite failure as the user reads it: for the common cases the program's
// Chinese reason (the one wording of failureReason), then "：" and the engine's own text; otherwise
// the engine's text alone. `systemError` is the errno value behind an input or output failure.
QString sqliteErrorText(int resultCode, const QString& engineText, int systemError = 0);
// The same for the last failure of a connection.
QString sqliteErrorText(sqlite3* db);

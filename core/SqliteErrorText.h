#pragma once
#include <QString>

struct sqlite3;

// The description of an SQLite failure as the user reads it: for the common cases a Chinese
// description, then "：" and the engine's own text; otherwise the engine's text alone.
QString sqliteErrorText(int resultCode, const QString& engineText);
// The same for the last failure of a connection.
QString sqliteErrorText(sqlite3* db);

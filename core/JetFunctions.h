#pragma once

struct sqlite3;

// The functions of the old desktop database's SQL that the program's queries use, registered on a
// connection: dateadd(interval, number, date) with the intervals 'd', 'm' and 'yyyy', and getdate();
// with them the collation PINYIN that orders names (PinyinCollation.h).
// Answers false when a function cannot be registered.
bool registerJetFunctions(sqlite3* db);

// The whole number nearest to a value, halves going to the even one (2.5 -> 2, 3.5 -> 4), as the old
// engine rounds a fractional count; dateadd and the follow-up interval both count days with it.
double roundHalfToEven(double value);

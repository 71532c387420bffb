#pragma once
#include <QString>

struct sqlite3;

// Creates the tables, views and starting rows of a new database on an empty connection, in one
// transaction. Answers false with the error's text; nothing is left behind then.
bool installSchema(sqlite3* db, QString& errorText);

// The schema's SQL text as the program carries it.
QString schemaSql();

// A positive number that changes whenever the schema's text changes; a database file keeps the one of
// the schema it was made from or brought up to as its user_version.
int schemaFingerprint();

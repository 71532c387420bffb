#pragma once
#include <QString>
#include <QStringList>

struct sqlite3;

// Brings an existing database file up to the schema the program carries (schema.sql): tables that
// are missing are created with their starting rows, missing columns are added, missing indexes,
// views and triggers are created and those whose definition differs are made again. Objects the
// schema does not name, and the rows of tables that already exist, are left alone, but for the
// one-time changes of stored data that the file has not had yet (indexes rebuilt in the order of the
// collation PINYIN, short names made again from the pinyin readings). Everything runs
// in one transaction: on failure nothing changes and the error's text is answered. A file that was
// brought up to date once carries the schema's fingerprint and is not compared again.
bool upgradeSchema(sqlite3* db, QString& errorText);

// The column definitions of a CREATE TABLE statement, as written, without comments: "name TEXT
// COLLATE NOCASE", "isdel INTEGER DEFAULT 0". Table constraints are left out.
QStringList columnDefinitions(const QString& createTableSql);

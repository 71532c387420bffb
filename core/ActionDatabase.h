#pragma once
#include "core/Recordset.h"

#include <QString>
#include <QVariantList>
#include <memory>

class clsMDB;

// The database work of the record dialogs: each action (load, activation, save) opens a
// data-access object of its own and closes it at its end. Failures are thrown as DbError so that one
// handler per action turns them into the dialog's message.
namespace ActionDatabase {

// An open data-access object; throws DbError with the opening's error text.
std::unique_ptr<clsMDB> open();

// The rows of a query; throws DbError with the database's error text when the query fails.
Recordset query(const clsMDB& db, const QString& sql, const QVariantList& params = {});

// Whether a query finds any row; throws DbError with the database's error text when it fails.
bool exists(const clsMDB& db, const QString& sql, const QVariantList& params = {});

// A key as the statements bind it: a whole number where the text is one, else the text itself (which
// then matches no numeric key).
QVariant key(const QString& text);

} // namespace ActionDatabase

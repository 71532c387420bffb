#pragma once
#include <QString>
#include <QVariantList>

class clsMDB;

// The writes of one save, in one transaction on an open data-access object. A statement that fails
// (the data-access object has already shown its own error box), or one that must change a row and
// changes none, rolls the transaction back and throws DbError with the description for the dialog's
// failure message. Leaving the scope without commit() rolls back as well.
class SaveTransaction {
public:
    enum class Rows { AtLeastOne, Any };

    // Begins the transaction; throws DbError.
    explicit SaveTransaction(clsMDB& db);
    ~SaveTransaction();
    SaveTransaction(const SaveTransaction&) = delete;
    SaveTransaction& operator=(const SaveTransaction&) = delete;

    void exec(const QString& sql, const QVariantList& params, Rows rows = Rows::AtLeastOne);
    // The key the last insert was given.
    qint64 lastInsertID() const;
    // Throws DbError (after rolling back) when the commit fails.
    void commit();

private:
    [[noreturn]] void fail(const QString& description);
    void rollback() noexcept;

    clsMDB& m_db;
    bool m_open = false;
};

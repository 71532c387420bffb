#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class clsMDB;
class SaveTransaction;

// The files attached to one customer card: the stored ones, the files the user added since the card
// was opened and the stored ones the user removed. Nothing is written before the card is saved.
class CustomerAttachments {
public:
    // A stored attachment shows its file name and has its key `cifid`; a file added since the card
    // was opened shows its full path and has no key.
    struct Item {
        QString text;
        QString cifid;
        bool isPending() const { return cifid.isEmpty(); }
    };

    const QList<Item>& items() const { return m_items; }
    // The keys of stored attachments to delete at the next save, in the order they were removed.
    const QStringList& removals() const { return m_removals; }
    // The paths of the files to store at the next save, first to last.
    QStringList additions() const;

    // The stored attachments of a customer, in key order; pending changes are dropped. Throws DbError
    // when the query fails.
    void load(const clsMDB& db, const QString& ciid);
    void clear();

    // False when a listed item already shows this very text (the same path added twice).
    bool add(const QString& path);
    // Takes an item off the list; a stored one is deleted at the next save.
    void remove(int index);

    // Writes the pending changes of customer `ciid` within the card's transaction: every added file's
    // bytes into a new row, then the removed rows deleted. An empty file is reported and skipped; a
    // file that cannot be read, and every failing statement, is thrown as DbError so that the caller
    // rolls the whole save back.
    void store(SaveTransaction& transaction, qint64 ciid) const;

    // The file name an added path is stored under: the part after its last separator, trimmed.
    static QString storedName(const QString& path);

    // Copies the stored content of attachment `cifid` into `folder` (made when missing) under its file
    // name and answers the copy's path. Throws DbError with the reason when the copy cannot be made.
    static QString copyToFolder(const clsMDB& db, const QString& cifid, const QString& fileName,
                                const QString& folder);

private:
    QList<Item> m_items;
    QStringList m_removals;
};

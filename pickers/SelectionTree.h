#pragma once
#include <QSet>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class clsMDB;

// The tree of a selection dialog, read from a table of rows keyed by an id and linked to their
// parent by `pid` (0 = top level): customer types or departments. Siblings come in name order.
class SelectionTree {
public:
    struct Node {
        QString key;  // "c_" followed by the row's key
        QString text; // the row's name
        std::vector<Node> children;
    };

    static SelectionTree customerTypes(); // customer_type, keyed by etid
    static SelectionTree departments();   // manage_dept, keyed by mdid

    const QString& table() const { return m_table; }
    const QString& keyColumn() const { return m_keyColumn; }
    // The top level.
    QString topLevelSql() const;
    // The children of one node; its id is the one parameter.
    QString childrenSql() const;

    // The whole tree, or nothing with the error's description when a query fails.
    std::optional<std::vector<Node>> load(const clsMDB& db, QString& errorText) const;

    // "c_" followed by a row's key, and back: the part of a node key after its first "_".
    static QString nodeKey(const QVariant& id);
    static QString idOfKey(const QString& key);

private:
    SelectionTree(QString table, QString keyColumn);
    bool loadChildren(const clsMDB& db, Node& node, QString& errorText, QSet<QString>& seen) const;
    bool readRows(const clsMDB& db, const QString& sql, const QVariantList& params, std::vector<Node>& nodes,
                  QString& errorText) const;

    QString m_table;
    QString m_keyColumn;
};

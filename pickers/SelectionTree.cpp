#include "pickers/SelectionTree.h"
#include "core/clsMDB.h"

#include <QSet>

SelectionTree::SelectionTree(QString table, QString keyColumn)
    : m_table(std::move(table)), m_keyColumn(std::move(keyColumn)) {}

SelectionTree SelectionTree::customerTypes() {
    return SelectionTree(QStringLiteral("customer_type"), QStringLiteral("etid"));
}

SelectionTree SelectionTree::departments() {
    return SelectionTree(QStringLiteral("manage_dept"), QStringLiteral("mdid"));
}

QString SelectionTree::topLevelSql() const {
    return QStringLiteral("select * from ") + m_table + QStringLiteral(" ") +
           QStringLiteral(" where pid = 0 ") + QStringLiteral(" order by name");
}

QString SelectionTree::childrenSql() const {
    return QStringLiteral(" select * ") + QStringLiteral(" from ") + m_table +
           QStringLiteral(" where PID=?") + QStringLiteral("    ") + QStringLiteral(" order by name");
}

QString SelectionTree::nodeKey(const QVariant& id) {
    return QStringLiteral("c_") + id.toString();
}

QString SelectionTree::idOfKey(const QString& key) {
    const qsizetype at = key.indexOf(QLatin1Char('_'));
    return at < 0 ? QString() : key.mid(at + 1);
}

bool SelectionTree::readRows(const clsMDB& db, const QString& sql, const QVariantList& params,
                             std::vector<Node>& nodes, QString& errorText) const {
    auto rs = db.GetRS(sql, params);
    if (!rs) {
        errorText = db.lastError();
        return false;
    }
    for (; !rs->Eof(); rs->MoveNext())
        nodes.push_back(Node{nodeKey(rs->Fields(m_keyColumn)), rs->Text(QStringLiteral("name")), {}});
    return true;
}

bool SelectionTree::loadChildren(const clsMDB& db, Node& node, QString& errorText,
                                 QSet<QString>& seen) const {
    if (!readRows(db, childrenSql(), {idOfKey(node.key)}, node.children, errorText))
        return false;
    // A row keyed 0 finds the top level again as its children: a row already in the tree is left out.
    std::erase_if(node.children, [&](const Node& child) { return seen.contains(child.key); });
    for (const Node& child : node.children)
        seen.insert(child.key);
    for (Node& child : node.children)
        if (!loadChildren(db, child, errorText, seen))
            return false;
    return true;
}

std::optional<std::vector<SelectionTree::Node>> SelectionTree::load(const clsMDB& db,
                                                                    QString& errorText) const {
    std::vector<Node> top;
    if (!readRows(db, topLevelSql(), {}, top, errorText))
        return std::nullopt;
    QSet<QString> seen;
    for (const Node& node : top)
        seen.insert(node.key);
    for (Node& node : top)
        if (!loadChildren(db, node, errorText, seen))
            return std::nullopt;
    return top;
}

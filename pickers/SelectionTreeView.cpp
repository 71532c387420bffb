#include "pickers/SelectionTreeView.h"
#include "core/Messages.h"
#include "core/clsMDB.h"
#include "pickers/PickerIcons.h"

#include <QTreeWidget>

namespace SelectionTreeView {

namespace {

void addChildren(QTreeWidgetItem* parent, const std::vector<SelectionTree::Node>& nodes) {
    for (const SelectionTree::Node& node : nodes) {
        auto* item = new QTreeWidgetItem(parent, {node.text});
        item->setData(0, KeyRole, node.key);
        item->setIcon(0, PickerIcons::report());
        addChildren(item, node.children);
    }
}

// The first node of the key below `parent`, in the order the tree shows them.
QTreeWidgetItem* findKey(const QTreeWidgetItem* parent, const QString& key) {
    for (int i = 0; i < parent->childCount(); ++i) {
        QTreeWidgetItem* child = parent->child(i);
        if (child->data(0, KeyRole).toString() == key)
            return child;
        if (QTreeWidgetItem* below = findKey(child, key))
            return below;
    }
    return nullptr;
}

} // namespace

void fill(QTreeWidget& tree, const std::vector<SelectionTree::Node>& nodes) {
    for (const SelectionTree::Node& node : nodes) {
        auto* item = new QTreeWidgetItem(&tree, {node.text});
        item->setData(0, KeyRole, node.key);
        item->setIcon(0, PickerIcons::root());
        addChildren(item, node.children);
        item->setExpanded(true);
    }
}

bool load(QTreeWidget& tree, const SelectionTree& source) {
    clsMDB db;
    QString error;
    std::optional<std::vector<SelectionTree::Node>> nodes;
    if (db.OpenDatabase(error))
        nodes = source.load(db, error);
    db.CloseDatabase();
    if (!nodes) {
        Messages::show(error, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示"));
        return false;
    }
    fill(tree, *nodes);
    return true;
}

std::optional<qint64> idOfNode(const QTreeWidgetItem* node) {
    if (!node)
        return std::nullopt;
    bool ok = false;
    const qint64 id = SelectionTree::idOfKey(node->data(0, KeyRole).toString()).toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

QTreeWidgetItem* findNode(const QTreeWidget& tree, qint64 id) {
    const QString key = SelectionTree::nodeKey(id);
    return findKey(tree.invisibleRootItem(), key);
}

} // namespace SelectionTreeView

#pragma once
#include "pickers/SelectionTree.h"

#include <QtGlobal>
#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

// A selection tree shown in a tree widget: the pickers and the tree editors of customer types and
// departments show the same nodes the same way and find a node by its row's key.
namespace SelectionTreeView {

// Item data role of a node's key ("c_" followed by the row's key), on column 0.
constexpr int KeyRole = Qt::UserRole;

// Adds the nodes below what the widget holds: top-level nodes with the root picture and expanded,
// deeper ones with the report picture.
void fill(QTreeWidget& tree, const std::vector<SelectionTree::Node>& nodes);

// Reads the tree on a connection of its own and fills the widget with it. A failure is shown with its
// description under "错误提示" and answers false; the widget then stays as it was.
bool load(QTreeWidget& tree, const SelectionTree& source);

// A node's row key; nothing for a null node or a key that is no number.
std::optional<qint64> idOfNode(const QTreeWidgetItem* node);

// The node of a row key, or null.
QTreeWidgetItem* findNode(const QTreeWidget& tree, qint64 id);

} // namespace SelectionTreeView

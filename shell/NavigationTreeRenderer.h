#pragma once
#include "core/NavigationTree.h"

class QTreeWidget;

// Puts a NavigationTree into the navigation QTreeWidget and reads it back: one column, the node's text
// as item text, its tags, key and picture name as item data (NodeRole), blue text for entries with
// right, the expansion state of every node.
namespace NavigationTreeRenderer {

// Replaces the tree's items by the nodes.
void render(const NavigationTree& nodes, QTreeWidget& tree);

// The tree's items as nodes, parent before child.
NavigationTree read(const QTreeWidget& tree);

} // namespace NavigationTreeRenderer

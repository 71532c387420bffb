#include "shell/NavigationTreeRenderer.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItem>

namespace NavigationTreeRenderer {

namespace {

const QColor EntryWithRight(0, 0, 255);

void readItem(QTreeWidgetItem* item, int parent, NavigationTree& nodes) {
    const int index =
        nodes.add(parent, item->data(0, NodeRole::Key).toString(), item->text(0),
                  item->data(0, NodeRole::Image).toString(), item->data(0, NodeRole::TextTag).toString(),
                  item->data(0, NodeRole::VariantTag).toString());
    NavigationNode& node = nodes.nodes()[index];
    node.expanded = item->isExpanded();
    node.hasRight = item->foreground(0).color() == EntryWithRight;
    for (int i = 0; i < item->childCount(); ++i)
        readItem(item->child(i), index, nodes);
}

} // namespace

void render(const NavigationTree& nodes, QTreeWidget& tree) {
    tree.clear();
    tree.setColumnCount(1);
    std::vector<QTreeWidgetItem*> items;
    items.reserve(nodes.nodes().size());
    // The style makes an icon anew at each call (a tenth of a millisecond): two for the whole tree.
    QStyle* style = QApplication::style();
    const QIcon rootIcon = style->standardIcon(QStyle::SP_DirIcon);
    const QIcon entryIcon = style->standardIcon(QStyle::SP_FileIcon);
    for (const NavigationNode& node : nodes.nodes()) {
        auto* item = node.parent >= 0 ? new QTreeWidgetItem(items[node.parent]) : new QTreeWidgetItem(&tree);
        item->setText(0, node.text);
        item->setData(0, NodeRole::Key, node.key);
        item->setData(0, NodeRole::TextTag, node.textTag);
        item->setData(0, NodeRole::VariantTag, node.variantTag);
        item->setData(0, NodeRole::Image, node.image);
        item->setIcon(0, node.image == NavigationTree::ImageRoot ? rootIcon : entryIcon);
        QFont font = item->font(0);
        font.setBold(false);
        item->setFont(0, font);
        if (node.hasRight)
            item->setForeground(0, EntryWithRight);
        items.push_back(item);
    }
    // Expansion once every item is in place: a parent expands only with its children present.
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->setExpanded(nodes.nodes()[i].expanded);
}

NavigationTree read(const QTreeWidget& tree) {
    NavigationTree nodes;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        readItem(tree.topLevelItem(i), -1, nodes);
    return nodes;
}

} // namespace NavigationTreeRenderer

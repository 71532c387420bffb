#include "pickers/ctrl_SelectValue.h"
#include "core/Messages.h"
#include "pickers/KeyAsciiFilter.h"
#include "pickers/PickerIcons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTreeWidget>

namespace {

constexpr int KeyRole = Qt::UserRole;

QIcon iconOf(TreeValueList::Picture picture) {
    switch (picture) {
    case TreeValueList::Picture::Root:
        return PickerIcons::root();
    case TreeValueList::Picture::SingleCheck:
        return PickerIcons::singleCheck();
    case TreeValueList::Picture::MultiCheck:
        return PickerIcons::multiCheck();
    case TreeValueList::Picture::UnCheck:
        break;
    }
    return PickerIcons::unCheck();
}

} // namespace

ctrl_SelectValue::ctrl_SelectValue(QWidget* parent) : QWidget(parent), m_tree(new QTreeWidget(this)) {
    m_tree->setObjectName(QStringLiteral("trv"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIndentation(23);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    setFocusProxy(m_tree);

    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { clickNode(item); });
    new KeyAsciiFilter(m_tree, [this](qint16* keyAscii) { emit KeyPress(keyAscii); });
}

bool ctrl_SelectValue::allowed(bool stored) {
    if (!stored)
        Messages::show(QStringLiteral("控件只读，不能进行操作！"), MsgIcon::Critical, MsgButtons::OK,
                       QStringLiteral("提示信息"));
    return stored;
}

void ctrl_SelectValue::Reset() {
    if (allowed(m_list.Reset()))
        showTree();
}

bool ctrl_SelectValue::Setvalues(const QString& values, const QString& separator) {
    bool refused = false;
    const bool ticked = m_list.Setvalues(values, separator, &refused);
    if (allowed(!refused))
        showTicks();
    return ticked;
}

bool ctrl_SelectValue::LoadData() {
    bool refused = false;
    QString error;
    const bool loaded = m_list.LoadData(error, &refused);
    if (!allowed(!refused))
        return false;
    showTree();
    if (!loaded)
        Messages::show(error, MsgIcon::Critical, MsgButtons::OK, QStringLiteral("错误提示"));
    return loaded;
}

void ctrl_SelectValue::setBaseSql(const QString& value) {
    allowed(m_list.setBaseSql(value));
}
void ctrl_SelectValue::setDataSourceType(int value) {
    allowed(m_list.setDataSourceType(value));
}
void ctrl_SelectValue::setReturnField(const QString& value) {
    allowed(m_list.setReturnField(value));
}
void ctrl_SelectValue::setShowField(const QString& value) {
    allowed(m_list.setShowField(value));
}
void ctrl_SelectValue::setConnection(const clsMDB* db) {
    allowed(m_list.setConnection(db));
}
void ctrl_SelectValue::setTitle(const QString& value) {
    allowed(m_list.setTitle(value));
}
void ctrl_SelectValue::setSelectMode(int value) {
    allowed(m_list.setSelectMode(value));
}

int ctrl_SelectValue::leafIndex(QTreeWidgetItem* node) const {
    if (!node || !node->parent() || node->parent() != m_tree->topLevelItem(0))
        return -1;
    return node->parent()->indexOfChild(node);
}

void ctrl_SelectValue::SelectNode(QTreeWidgetItem* node, bool ticked) {
    m_list.SelectNode(leafIndex(node), ticked);
    showTicks();
}

void ctrl_SelectValue::SelectAllNode(bool ticked) {
    m_list.SelectAllNode(ticked);
    showTicks();
}

void ctrl_SelectValue::clickNode(QTreeWidgetItem* node) {
    if (!node || !m_list.clickNode(leafIndex(node)))
        return;
    showTicks();
    emit NodeClick(node);
}

void ctrl_SelectValue::showTree() {
    m_tree->clear();
    if (!m_list.hasRoot())
        return;
    auto* root = new QTreeWidgetItem(m_tree, {m_list.Title()});
    root->setData(0, KeyRole, TreeValueList::RootKey);
    root->setIcon(0, iconOf(TreeValueList::Picture::Root));
    for (const TreeValueList::Leaf& leaf : m_list.leaves()) {
        auto* item = new QTreeWidgetItem(root, {leaf.text});
        item->setData(0, KeyRole, leaf.key);
        item->setIcon(0, iconOf(leaf.picture));
    }
    root->setExpanded(true);
}

void ctrl_SelectValue::showTicks() {
    QTreeWidgetItem* root = m_tree->topLevelItem(0);
    if (!root)
        return;
    const QList<TreeValueList::Leaf>& leaves = m_list.leaves();
    for (int i = 0; i < root->childCount() && i < leaves.size(); ++i)
        root->child(i)->setIcon(0, iconOf(leaves.at(i).picture));
}

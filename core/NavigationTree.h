#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class clsMDB;

// Item data of the navigation tree's QTreeWidgetItems (column 0).
namespace NodeRole {
// "0" for a group that opens nothing (the top-level nodes), "1" for an entry that opens a window.
// The dispatcher tells a group by this tag, and works on entries by their text.
constexpr int TextTag = Qt::UserRole + 1;
// Customer-type nodes: "c_" followed by the type's etid; empty for the fixed nodes.
constexpr int VariantTag = Qt::UserRole + 2;
// The node's key, unique within the tree.
constexpr int Key = Qt::UserRole + 3;
// "IMG_ROOT" or "IMG_REPORT", the picture the main window shows for the node.
constexpr int Image = Qt::UserRole + 4;
} // namespace NodeRole

// One node of the navigation tree.
struct NavigationNode {
    QString key;        // unique within the tree
    QString text;       // the entry's name: its module name for rights and the dispatcher's selector
    QString image;      // "IMG_ROOT" or "IMG_REPORT"
    QString textTag;    // "0" group, "1" entry
    QString variantTag; // "c_" and etid for customer types
    int parent = -1;    // index of the parent node, -1 at the top level
    bool expanded = false;
    bool hasRight = false; // an entry the operator may open: shown in blue
};

// The navigation tree as a plain list of nodes, parent before child, children in their order: the
// fixed entries, the customer-type hierarchy, the rights filter and the expansion rule.
class NavigationTree {
public:
    static inline const QString GroupTag = QStringLiteral("0");
    static inline const QString EntryTag = QStringLiteral("1");
    static inline const QString ImageRoot = QStringLiteral("IMG_ROOT");
    static inline const QString ImageReport = QStringLiteral("IMG_REPORT");
    static inline const QString SettingsGroup = QStringLiteral("参数设置");
    // The eight entries of the settings group, in their order.
    static const QStringList& settingsEntries();
    // The group of the two statistics reports, and its entries in their order.
    static inline const QString StatisticsGroup = QStringLiteral("统计分析");
    static const QStringList& statisticsEntries();

    // The whole tree before the rights filter: "管理提示" with "管理提醒", "所有客户" with
    // "所有客户", one top-level group per customer type with pid 0 (sub-types below it at every
    // depth, each level in the order of the names), "统计分析" with the two reports "分类统计" and
    // "分类清单", then "参数设置" with its eight entries.
    // A failing query is thrown as DbError.
    void build(const clsMDB& db);

    // Removes every entry without right (with what lies below it) and then every top-level node
    // left without children, unless the operator is the built-in "veziz" (who keeps everything).
    // Entries with right are marked for blue text.
    void hideNotRightNode(const std::function<bool(const QString&)>& haveRight, bool builtInOperator);

    // Groups expanded except "参数设置", entries collapsed.
    void applyExpansion();

    // Adds a node and answers its index; a key already taken gets a "#n" suffix.
    int add(int parent, const QString& key, const QString& text, const QString& image, const QString& textTag,
            const QString& variantTag = QString());
    void clear();

    const std::vector<NavigationNode>& nodes() const { return m_nodes; }
    std::vector<NavigationNode>& nodes() { return m_nodes; }
    std::vector<int> children(int node) const;
    // Index of the first node with the text, -1 when there is none.
    int find(const QString& text) const;

private:
    void addTypeNodes(const clsMDB& db, int node);
    int addNode(int parent, const QString& key, const QString& text, const QString& image,
                const QString& textTag, const QString& variantTag, bool avoidReserved);
    QString uniqueKey(const QString& wanted, bool avoidReserved) const;
    void removeMarked(const std::vector<bool>& removed);

    std::vector<NavigationNode> m_nodes;
    QSet<QString> m_keys;
    // Keys of the fixed nodes and of the top-level types, kept for them while sub-types (keyed by
    // their names) are added.
    QSet<QString> m_reserved;
    QSet<qint64> m_typesAdded;
};

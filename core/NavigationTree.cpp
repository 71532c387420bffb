#include "core/NavigationTree.h"
#include "core/DbError.h"
#include "core/clsMDB.h"

const QStringList& NavigationTree::settingsEntries() {
    static const QStringList entries{QStringLiteral("分类类型"), QStringLiteral("头衔"),
                                     QStringLiteral("模块名称"), QStringLiteral("权限名称"),
                                     QStringLiteral("角色管理"), QStringLiteral("部门设置"),
                                     QStringLiteral("用户管理"), QStringLiteral("用户权限")};
    return entries;
}

const QStringList& NavigationTree::statisticsEntries() {
    static const QStringList entries{QStringLiteral("分类统计"), QStringLiteral("分类清单")};
    return entries;
}

void NavigationTree::clear() {
    m_nodes.clear();
    m_keys.clear();
    m_reserved.clear();
    m_typesAdded.clear();
}

QString NavigationTree::uniqueKey(const QString& wanted, bool avoidReserved) const {
    const auto taken = [&](const QString& key) {
        return m_keys.contains(key) || (avoidReserved && m_reserved.contains(key));
    };
    if (!taken(wanted))
        return wanted;
    for (int n = 2;; ++n) {
        const QString key = wanted + QLatin1Char('#') + QString::number(n);
        if (!taken(key))
            return key;
    }
}

int NavigationTree::add(int parent, const QString& key, const QString& text, const QString& image,
                        const QString& textTag, const QString& variantTag) {
    return addNode(parent, key, text, image, textTag, variantTag, false);
}

int NavigationTree::addNode(int parent, const QString& key, const QString& text, const QString& image,
                            const QString& textTag, const QString& variantTag, bool avoidReserved) {
    NavigationNode node;
    node.key = uniqueKey(key, avoidReserved);
    node.text = text;
    node.image = image;
    node.textTag = textTag;
    node.variantTag = variantTag;
    node.parent = parent;
    m_keys.insert(node.key);
    m_nodes.push_back(std::move(node));
    return static_cast<int>(m_nodes.size()) - 1;
}

std::vector<int> NavigationTree::children(int node) const {
    std::vector<int> result;
    for (int i = node + 1; i < static_cast<int>(m_nodes.size()); ++i)
        if (m_nodes[i].parent == node)
            result.push_back(i);
    return result;
}

int NavigationTree::find(const QString& text) const {
    for (int i = 0; i < static_cast<int>(m_nodes.size()); ++i)
        if (m_nodes[i].text == text)
            return i;
    return -1;
}

void NavigationTree::build(const clsMDB& db) {
    clear();
    std::optional<Recordset> rs =
        db.GetRS(QStringLiteral("select * from customer_type ") + QStringLiteral(" where pid = 0 ") +
                 QStringLiteral(" order by name"));
    if (!rs)
        throw DbError(db.lastError(), QStringLiteral("LoadReportList"));
    m_reserved = {QStringLiteral("a_0"),      QStringLiteral("管理提醒"), QStringLiteral("a_1"),
                  QStringLiteral("所有客户"), QStringLiteral("a_2"),      QStringLiteral("a_3")};
    for (const QString& entry : settingsEntries() + statisticsEntries())
        m_reserved.insert(entry);
    // The top-level types have their place already: a type keyed 0 finds them among its sub-types.
    for (; !rs->Eof(); rs->MoveNext()) {
        m_reserved.insert(QStringLiteral("c_") + rs->Text(QStringLiteral("etid")));
        m_typesAdded.insert(rs->Fields(QStringLiteral("etid")).toLongLong());
    }
    rs->MoveFirst();

    const int hints = add(-1, QStringLiteral("a_0"), QStringLiteral("管理提示"), ImageRoot, GroupTag);
    add(hints, QStringLiteral("管理提醒"), QStringLiteral("管理提醒"), ImageReport, EntryTag);
    const int all = add(-1, QStringLiteral("a_1"), QStringLiteral("所有客户"), ImageRoot, GroupTag);
    add(all, QStringLiteral("所有客户"), QStringLiteral("所有客户"), ImageReport, EntryTag);

    for (; !rs->Eof(); rs->MoveNext()) {
        const QString etid = rs->Text(QStringLiteral("etid"));
        const int type = add(-1, QStringLiteral("c_") + etid, rs->Text(QStringLiteral("name")), ImageRoot,
                             GroupTag, QStringLiteral("c_") + etid);
        addTypeNodes(db, type);
        m_nodes[type].expanded = true;
    }

    // The report window has no other way in: its two entries get a group of their own.
    const int statistics = add(-1, QStringLiteral("a_2"), StatisticsGroup, ImageRoot, GroupTag);
    for (const QString& entry : statisticsEntries())
        add(statistics, entry, entry, ImageReport, EntryTag);

    const int settings = add(-1, QStringLiteral("a_3"), SettingsGroup, ImageRoot, GroupTag);
    for (const QString& entry : settingsEntries())
        add(settings, entry, entry, ImageReport, EntryTag);
}

// All sub-types of a type are added before any of theirs.
void NavigationTree::addTypeNodes(const clsMDB& db, int node) {
    const QString typeId = m_nodes[node].variantTag.section(QLatin1Char('_'), 1, 1);
    bool numeric = false;
    const qint64 id = typeId.toLongLong(&numeric);
    std::optional<Recordset> rs = db.GetRS(
        QStringLiteral(" select * ") + QStringLiteral(" from customer_type") +
            QStringLiteral(" where PID=?") + QStringLiteral("    ") + QStringLiteral(" order by name"),
        {numeric ? QVariant(id) : QVariant(typeId)});
    if (!rs)
        throw DbError(db.lastError(), QStringLiteral("AddTypeNodes"));
    for (; !rs->Eof(); rs->MoveNext()) {
        const qint64 etid = rs->Fields(QStringLiteral("etid")).toLongLong();
        // A type listed under itself (a type keyed 0) would recurse without end.
        if (m_typesAdded.contains(etid))
            continue;
        m_typesAdded.insert(etid);
        const QString name = rs->Text(QStringLiteral("name"));
        addNode(node, name, name, ImageReport, EntryTag,
                QStringLiteral("c_") + rs->Text(QStringLiteral("etid")), true);
    }
    for (int child : children(node))
        addTypeNodes(db, child);
}

void NavigationTree::hideNotRightNode(const std::function<bool(const QString&)>& haveRight,
                                      bool builtInOperator) {
    const int count = static_cast<int>(m_nodes.size());
    std::vector<bool> removed(count, false);
    for (int i = 0; i < count; ++i) {
        NavigationNode& node = m_nodes[i];
        if (node.parent >= 0 && removed[node.parent]) {
            removed[i] = true; // went with its parent
            continue;
        }
        if (node.textTag != EntryTag)
            continue;
        node.hasRight = haveRight(node.text);
        if (!node.hasRight && !builtInOperator)
            removed[i] = true;
    }
    if (!builtInOperator) {
        std::vector<bool> hasChild(count, false);
        for (int i = 0; i < count; ++i)
            if (!removed[i] && m_nodes[i].parent >= 0)
                hasChild[m_nodes[i].parent] = true;
        for (int i = 0; i < count; ++i)
            if (m_nodes[i].parent < 0 && !hasChild[i])
                removed[i] = true;
    }
    removeMarked(removed);
}

void NavigationTree::removeMarked(const std::vector<bool>& removed) {
    std::vector<int> newIndex(m_nodes.size(), -1);
    std::vector<NavigationNode> kept;
    for (int i = 0; i < static_cast<int>(m_nodes.size()); ++i) {
        if (removed[i])
            continue;
        NavigationNode node = m_nodes[i];
        node.parent = node.parent >= 0 ? newIndex[node.parent] : -1;
        newIndex[i] = static_cast<int>(kept.size());
        kept.push_back(std::move(node));
    }
    m_nodes = std::move(kept);
    m_keys.clear();
    for (const NavigationNode& node : m_nodes)
        m_keys.insert(node.key);
}

void NavigationTree::applyExpansion() {
    for (NavigationNode& node : m_nodes)
        node.expanded = node.textTag == GroupTag && node.text != SettingsGroup;
}

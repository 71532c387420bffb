#include "pickers/TreeValueList.h"
#include "core/BlankTrim.h"
#include "core/clsMDB.h"

#include <QSet>
#include <limits>

namespace {

template <typename T> bool store(bool readOnly, T& field, const T& value) {
    if (readOnly)
        return false;
    field = value;
    return true;
}

} // namespace

bool TreeValueList::setTitle(const QString& value) {
    return store(m_readOnly, m_title, value);
}
bool TreeValueList::setBaseSql(const QString& value) {
    return store(m_readOnly, m_baseSql, value);
}
bool TreeValueList::setReturnField(const QString& value) {
    return store(m_readOnly, m_returnField, value);
}
bool TreeValueList::setShowField(const QString& value) {
    return store(m_readOnly, m_showField, value);
}
bool TreeValueList::setConnection(const clsMDB* db) {
    return store(m_readOnly, m_connection, db);
}
bool TreeValueList::setDataSourceType(int value) {
    return store(m_readOnly, m_dataSourceType, value);
}
bool TreeValueList::setSelectMode(int value) {
    return store(m_readOnly, m_selectMode, value);
}

bool TreeValueList::Reset() {
    if (m_readOnly)
        return false;
    m_leaves.clear();
    m_hasRoot = false;
    m_baseSql.clear();
    m_returnField.clear();
    m_showField.clear();
    m_dataSourceType = 0;
    m_selectMode = 0;
    return true;
}

bool TreeValueList::LoadData(QString& errorText, bool* refused) {
    errorText.clear();
    if (refused)
        *refused = m_readOnly;
    if (m_readOnly)
        return false;
    if (!m_connection || !m_connection->Connection()) {
        errorText = QStringLiteral("数据库没有打开");
        return false;
    }
    if (trimBlanks(m_baseSql).isEmpty()) {
        errorText = QStringLiteral("没有设置查询语句");
        return false;
    }
    const auto rs = m_connection->GetRS(m_baseSql);
    if (!rs) {
        errorText = m_connection->lastError();
        return false;
    }
    m_leaves.clear();
    m_hasRoot = true;
    if (rs->RecordCount() > std::numeric_limits<qint16>::max()) {
        errorText = QStringLiteral("溢出");
        return false;
    }
    const int keyColumn = rs->FieldIndex(m_returnField);
    const int textColumn = rs->FieldIndex(m_showField);
    QSet<QString> keys{RootKey};
    for (int row = 0; row < rs->RecordCount(); ++row) {
        if (keyColumn < 0 || textColumn < 0) {
            errorText = QStringLiteral("在对应所需名称或序数的集合中，未找到项目。");
            return false;
        }
        const QVariant key = rs->Value(row, keyColumn);
        const QVariant text = rs->Value(row, textColumn);
        if (!key.isValid() || key.isNull() || !text.isValid() || text.isNull()) {
            errorText = QStringLiteral("无效使用 Null");
            return false;
        }
        const QString keyText = key.toString();
        if (keyText.isEmpty()) {
            errorText = QStringLiteral("无效的关键字");
            return false;
        }
        if (keys.contains(keyText)) {
            errorText = QStringLiteral("集合中的关键字不唯一");
            return false;
        }
        keys.insert(keyText);
        m_leaves.append(Leaf{keyText, text.toString(), Picture::UnCheck});
    }
    return true;
}

QString TreeValueList::joined(bool keys) const {
    QString result;
    for (const Leaf& leaf : m_leaves)
        if (leaf.ticked())
            result += (keys ? leaf.key : leaf.text) + QLatin1Char(',');
    result = trimBlanks(result);
    if (!result.isEmpty())
        result.chop(1);
    return result;
}

QString TreeValueList::GetValues() const {
    return joined(true);
}

QString TreeValueList::GetValuesText() const {
    return joined(false);
}

bool TreeValueList::Setvalues(const QString& values, const QString& separator, bool* refused) {
    if (refused)
        *refused = m_readOnly;
    if (m_readOnly)
        return false;
    SelectAllNode(false);
    bool ticked = false;
    // An empty separator keeps the text whole.
    const QStringList parts = separator.isEmpty() ? QStringList{values} : values.split(separator);
    for (const QString& part : parts) {
        for (int i = 0; i < m_leaves.size(); ++i)
            if (m_leaves.at(i).key == part) {
                SelectNode(i, true);
                ticked = true;
                break;
            }
    }
    return ticked;
}

void TreeValueList::SelectNode(int leaf, bool ticked) {
    if (leaf < 0 || leaf >= m_leaves.size())
        return;
    m_leaves[leaf].picture = !ticked             ? Picture::UnCheck
                             : m_selectMode == 1 ? Picture::MultiCheck
                                                 : Picture::SingleCheck;
}

void TreeValueList::SelectAllNode(bool ticked) {
    for (int i = 0; i < m_leaves.size(); ++i)
        SelectNode(i, ticked);
}

bool TreeValueList::clickNode(int leaf) {
    if (m_readOnly)
        return false;
    if (leaf < 0 || leaf >= m_leaves.size())
        return true; // the root: nothing changes, the click is still reported
    const bool wasTicked = m_leaves.at(leaf).ticked();
    if (m_selectMode != 1)
        SelectAllNode(false);
    SelectNode(leaf, !wasTicked);
    return true;
}

#include "pickers/ValuePickerList.h"
#include "core/BlankTrim.h"
#include "core/clsMDB.h"

#include <limits>

namespace {

const QString NotUniqueKey = QStringLiteral("集合中的关键字不唯一");
const QString UnknownField = QStringLiteral("在对应所需名称或序数的集合中，未找到项目。");
const QString InvalidNull = QStringLiteral("无效使用 Null");
const QString Overflow = QStringLiteral("溢出");

} // namespace

ValuePickerList::DuplicateKey::DuplicateKey()
    : std::runtime_error(QStringLiteral("此关键字已经与该集合的一个元素相关联").toStdString()) {}

void ValuePickerList::startList() {
    m_items.clear();
    m_current = -1;
    m_items.append(Item{KeyPrefix + EmptyValue, EmptyText, false});
}

bool ValuePickerList::loadRows(QString& errorText) {
    if (!m_connection || !m_connection->Connection()) {
        errorText = QStringLiteral("数据库没有打开");
        return false;
    }
    if (trimBlanks(m_baseSql).isEmpty()) {
        errorText = QStringLiteral("没有设置查询语句");
        return false;
    }
    auto rs = m_connection->GetRS(m_baseSql);
    if (!rs) {
        errorText = m_connection->lastError();
        return false;
    }
    startList();
    if (rs->RecordCount() > std::numeric_limits<qint16>::max()) {
        errorText = Overflow;
        return false;
    }
    const int keyColumn = rs->FieldIndex(m_returnField);
    const int textColumn = rs->FieldIndex(m_showField);
    QSet<QString> keys{m_items.first().key};
    for (int row = 0; row < rs->RecordCount(); ++row) {
        if (keyColumn < 0 || textColumn < 0) {
            errorText = UnknownField;
            return false;
        }
        const QVariant text = rs->Value(row, textColumn);
        if (!text.isValid() || text.isNull()) {
            errorText = InvalidNull;
            return false;
        }
        // A Null value gives the prefix alone.
        const QString key = KeyPrefix + rs->Value(row, keyColumn).toString();
        if (keys.contains(key)) {
            errorText = NotUniqueKey;
            return false;
        }
        keys.insert(key);
        m_items.append(Item{key, text.toString(), true});
    }
    return true;
}

bool ValuePickerList::LoadData(QString& errorText) {
    errorText.clear();
    switch (m_dataSourceType) {
    case 0:
        return loadRows(errorText);
    case 1:
        startList();
        for (const auto& [key, text] : m_table) {
            if (key == m_items.first().key) {
                errorText = NotUniqueKey;
                return false;
            }
            m_items.append(Item{key, text, true});
        }
        return true;
    default:
        return true;
    }
}

bool ValuePickerList::Setvalues(const QString& value, const QString&) {
    const QString key = trimBlanks(KeyPrefix + trimBlanks(value));
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).key == key) {
            m_current = i;
            return true;
        }
    return false;
}

QString ValuePickerList::GetValues() const {
    if (m_current < 0 || m_current >= m_items.size())
        return QString();
    const QString rest = trimBlanks(m_items.at(m_current).key).mid(KeyPrefix.size());
    return trimBlanks(rest) == EmptyValue ? QString() : rest;
}

void ValuePickerList::locate(const QString& text) {
    if (text.isEmpty())
        return;
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).text == text)
            m_current = i;
}

void ValuePickerList::Reset() {
    m_items.clear();
    m_current = -1;
    m_baseSql.clear();
    m_returnField.clear();
    m_showField.clear();
    m_dataSourceType = 0;
    m_table.clear();
    m_tableKeys.clear();
}

void ValuePickerList::AddItem(const QString& key, const QString& text) {
    const QString fullKey = KeyPrefix + key;
    if (m_tableKeys.contains(fullKey))
        throw DuplicateKey();
    m_tableKeys.insert(fullKey);
    m_table.append({fullKey, text});
}

void ValuePickerList::setCurrentIndex(int index) {
    m_current = index >= 0 && index < m_items.size() ? index : -1;
}

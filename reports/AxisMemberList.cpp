#include "reports/AxisMemberList.h"

void AxisMemberList::clear() {
    m_members.clear();
    m_index.clear();
}

int AxisMemberList::indexOf(const CrossValue& key) const {
    return m_index.value(key, -1);
}

int AxisMemberList::collect(const CrossValue& key, const CrossValue& title) {
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd())
        return found.value();
    const int index = size();
    m_members.push_back(AxisMember{key, title});
    m_index.insert(key, index);
    return index;
}

void AxisMemberList::append(const CrossValue& key, const CrossValue& title) {
    const int index = size();
    m_members.push_back(AxisMember{key, title});
    if (!m_index.contains(key)) // lookups find the first member of a key
        m_index.insert(key, index);
}

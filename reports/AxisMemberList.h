#pragma once
#include "reports/CrossValue.h"

#include <QHash>
#include <QString>
#include <vector>

// One member of an axis: the value of the axis's key column and the title of the first record that
// brought it.
struct AxisMember {
    CrossValue Key;
    CrossValue Title;
};

// The members of one axis in order of first appearance. Lookup goes through a hash of the key, so a
// build costs the same whether an axis has ten members or a hundred thousand.
class AxisMemberList {
public:
    static constexpr const char* SubtotalKey = "xj";
    static constexpr const char* SubtotalTitle = "小计";

    void clear();
    int size() const { return static_cast<int>(m_members.size()); }
    bool empty() const { return m_members.empty(); }
    const AxisMember& operator[](int index) const { return m_members[static_cast<size_t>(index)]; }
    const AxisMember& last() const { return m_members.back(); }
    auto begin() const { return m_members.begin(); }
    auto end() const { return m_members.end(); }

    // The index of the first member whose key equals `key`, or -1.
    int indexOf(const CrossValue& key) const;
    // The index of the member with `key`; a new member with `title` is appended when there is none.
    int collect(const CrossValue& key, const CrossValue& title);
    // Appends a member without looking the key up (the subtotal member, the empty trailing member).
    void append(const CrossValue& key, const CrossValue& title);
    void appendSubtotal() { append(CrossValue(SubtotalKey), CrossValue(QString::fromUtf8(SubtotalTitle))); }

private:
    std::vector<AxisMember> m_members;
    QHash<CrossValue, int> m_index; // the first member of each key
};

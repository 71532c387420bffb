#pragma once
#include "core/Recordset.h"
#include "reports/CrossValue.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

// One member of an axis: the value of the axis's key column and the title of the first record that
// brought it.
struct AxisMember {
    CrossValue Key;
    CrossValue Title;
};

// The members of one axis in order of first appearance. Lookup goes through a hash of the key's kind
// and value, so a build costs the same whether an axis has ten members or a hundred thousand; cells
// of a result are looked up by their bytes, without making a value first.
class AxisMemberList {
public:
    static constexpr const char* SubtotalKey = "xj";
    static constexpr const char* SubtotalTitle = "小计";

    void clear();
    void reserve(int members) { m_members.reserve(static_cast<size_t>(members)); }
    int size() const { return static_cast<int>(m_members.size()); }
    bool empty() const { return m_members.empty(); }
    const AxisMember& operator[](int index) const { return m_members[static_cast<size_t>(index)]; }
    auto begin() const { return m_members.begin(); }
    auto end() const { return m_members.end(); }

    // The index of the first member whose key equals `key` (the same kind of value and the same
    // value; whole and other numbers compare by value, texts exactly), or -1.
    int indexOf(const CrossValue& key) const;
    // The same for a cell of a result, a Null read as the empty text.
    int indexOfCell(const Recordset::CellView& cell) const;
    // Appends a member; lookups keep finding the first member of a key.
    void append(const CrossValue& key, const CrossValue& title);
    // Appends the member whose key the last lookup did not find (cheaper: the key is not encoded again).
    void appendNotFound(const CrossValue& key, const CrossValue& title);
    void appendSubtotal() { append(CrossValue(SubtotalKey), CrossValue(QString::fromUtf8(SubtotalTitle))); }

private:
    // The index: open addressing over a table of at most half-used slots, each the hash of a key and
    // the member whose key it is; the keys lie one after the other in one text. A build of a member per
    // record then costs one table lookup a record and no allocation a member.
    struct Slot {
        quint32 hash = 0;
        qint32 member = -1;
    };
    static void encodeNumber(qint64 whole, std::string& out);
    static void encodeNumber(double number, std::string& out);
    static void encode(const CrossValue& key, std::string& out);
    // The member of the key, or -1; remembers where a new key of that hash goes.
    int find(std::string_view encoded) const;
    std::string_view keyOf(int member) const;
    // Indexes the member with the key of the last lookup, which did not find it.
    void indexLastLookup(int member);
    void growIndex();

    std::vector<AxisMember> m_members;
    std::string m_keys;                 // the encoded keys of the indexed members
    std::vector<size_t> m_keyStarts{0}; // where each member's key starts in m_keys, and where it ends
    std::vector<Slot> m_slots;          // a power of two in size
    int m_used = 0;
    mutable std::string m_scratch;
    mutable size_t m_lastSlot = 0;
    mutable quint32 m_lastHash = 0;
};

#include "reports/AxisMemberList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

// A key as text: a letter for its kind, then its bytes (UTF-8 for texts, the eight bytes of a whole
// number, or of any other number). Whole doubles take the form of whole numbers, so 1 and 1.0 meet.

void AxisMemberList::encodeNumber(qint64 whole, std::string& out) {
    out.assign(1, 'i');
    out.append(reinterpret_cast<const char*>(&whole), sizeof whole);
}

void AxisMemberList::encodeNumber(double number, std::string& out) {
    if (std::trunc(number) == number && std::fabs(number) < 9.2e18) {
        encodeNumber(static_cast<qint64>(number), out);
        return;
    }
    out.assign(1, 'd');
    out.append(reinterpret_cast<const char*>(&number), sizeof number);
}

void AxisMemberList::encode(const CrossValue& key, std::string& out) {
    switch (key.kind()) {
    case CrossValue::Kind::Integer:
        encodeNumber(key.integer(), out);
        break;
    case CrossValue::Kind::Double:
        encodeNumber(key.number(), out);
        break;
    case CrossValue::Kind::Text: {
        const QByteArray bytes = key.textValue().toUtf8();
        out.assign(1, 't');
        out.append(bytes.constData(), static_cast<size_t>(bytes.size()));
        break;
    }
    case CrossValue::Kind::Empty:
        out.assign(1, 'e');
        break;
    case CrossValue::Kind::Null:
        out.assign(1, 'n');
        break;
    }
}

namespace {
quint32 hashOf(std::string_view encoded) {
    return static_cast<quint32>(std::hash<std::string_view>{}(encoded));
}
} // namespace

void AxisMemberList::clear() {
    // A build of a member per record leaves large tables: they go, not only their contents.
    std::vector<AxisMember>().swap(m_members);
    std::string().swap(m_keys);
    m_keyStarts.assign(1, 0);
    m_keyStarts.shrink_to_fit();
    std::vector<Slot>().swap(m_slots);
    m_used = 0;
}

std::string_view AxisMemberList::keyOf(int member) const {
    const size_t start = m_keyStarts[static_cast<size_t>(member)];
    return std::string_view(m_keys).substr(start, m_keyStarts[static_cast<size_t>(member) + 1] - start);
}

int AxisMemberList::find(std::string_view encoded) const {
    m_lastHash = hashOf(encoded);
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = m_lastHash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.member < 0) {
            m_lastSlot = i;
            return -1;
        }
        if (slot.hash == m_lastHash && keyOf(slot.member) == encoded)
            return slot.member;
    }
}

void AxisMemberList::growIndex() {
    std::vector<Slot> table(std::max<size_t>(16, m_slots.size() * 2));
    const size_t mask = table.size() - 1;
    for (const Slot& slot : m_slots) {
        if (slot.member < 0)
            continue;
        size_t i = slot.hash & mask;
        while (table[i].member >= 0)
            i = (i + 1) & mask;
        table[i] = slot;
    }
    m_slots = std::move(table);
}

void AxisMemberList::indexLastLookup(int member) {
    m_keys += m_scratch;
    m_keyStarts.push_back(m_keys.size());
    if (static_cast<size_t>(m_used + 1) * 2 > m_slots.size()) {
        growIndex();
        const size_t mask = m_slots.size() - 1;
        m_lastSlot = m_lastHash & mask;
        while (m_slots[m_lastSlot].member >= 0)
            m_lastSlot = (m_lastSlot + 1) & mask;
    }
    m_slots[m_lastSlot] = Slot{m_lastHash, member};
    ++m_used;
}

int AxisMemberList::indexOf(const CrossValue& key) const {
    encode(key, m_scratch);
    return find(m_scratch);
}

int AxisMemberList::indexOfCell(const Recordset::CellView& cell) const {
    using Kind = Recordset::CellView::Kind;
    switch (cell.kind) {
    case Kind::Integer:
        encodeNumber(cell.integer, m_scratch);
        break;
    case Kind::Double:
        encodeNumber(cell.real, m_scratch);
        break;
    case Kind::Text:
    case Kind::Blob:
        m_scratch.assign(1, 't');
        m_scratch.append(cell.bytes.data(), static_cast<size_t>(cell.bytes.size()));
        break;
    case Kind::Null:
        m_scratch.assign(1, 't');
        break;
    }
    return find(m_scratch);
}

void AxisMemberList::append(const CrossValue& key, const CrossValue& title) {
    encode(key, m_scratch);
    if (find(m_scratch) < 0) {
        appendNotFound(key, title);
        return;
    }
    // A later member of a key is never found: it keeps no key of its own.
    m_members.push_back(AxisMember{key, title});
    m_keyStarts.push_back(m_keys.size());
}

void AxisMemberList::appendNotFound(const CrossValue& key, const CrossValue& title) {
    const int index = size();
    m_members.push_back(AxisMember{key, title});
    indexLastLookup(index);
}

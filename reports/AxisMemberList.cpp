#include "reports/AxisMemberList.h"

#include <cmath>
#include <cstring>

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

void AxisMemberList::clear() {
    m_members.clear();
    m_index.clear();
}

int AxisMemberList::find(const std::string& encoded) const {
    const auto found = m_index.find(std::string_view(encoded));
    return found == m_index.end() ? -1 : found->second;
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
    const int index = size();
    m_members.push_back(AxisMember{key, title});
    std::string encoded;
    encode(key, encoded);
    m_index.try_emplace(std::move(encoded), index);
}

void AxisMemberList::appendNotFound(const CrossValue& key, const CrossValue& title) {
    const int index = size();
    m_members.push_back(AxisMember{key, title});
    m_index.try_emplace(m_scratch, index);
}

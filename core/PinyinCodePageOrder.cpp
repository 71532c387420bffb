#include "core/PinyinCodePageOrder.h"
#include "core/CodePage936.h"
#include "core/PinyinCollation.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

namespace {

// Weights of the groups, above any code within the group.
constexpr quint32 GroupGb2312 = 0x10000;
constexpr quint32 GroupGbk = 0x20000;
constexpr quint32 GroupOutside = 0x30000;

bool isGb2312(quint16 code) {
    const int lead = code >> 8, trail = code & 0xFF;
    return lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

// The rank of every BMP code point in the order above, computed once (a few milliseconds): a dense
// 16-bit rank keeps the table at 128 KB, so a comparison costs one cached look-up per character from
// the first difference on. Characters beyond the BMP rank after all of them, by code point.
constexpr quint32 BeyondBmp = 0x10000;

struct RankTable {
    std::unique_ptr<quint16[]> ranks = std::make_unique<quint16[]>(0x10000);
    RankTable() {
        std::vector<quint32> weight(0x10000);
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            if (unit < 0x80) {
                weight[unit] = unit >= 'A' && unit <= 'Z' ? unit + ('a' - 'A') : unit;
                continue;
            }
            const quint16 code = unit >= 0xD800 && unit <= 0xDFFF ? CodePage936::NoCode
                                                                  : CodePage936::code(QChar(char16_t(unit)));
            if (code == CodePage936::NoCode)
                weight[unit] = GroupOutside + unit;
            else if (!CodePage936::isDoubleByte(code))
                weight[unit] = code; // 0x80, the euro sign
            else
                weight[unit] = (isGb2312(code) ? GroupGb2312 : GroupGbk) + code;
        }
        std::vector<quint32> order(0x10000);
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return weight[a] < weight[b]; });
        quint32 rank = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && weight[order[i]] != weight[order[i - 1]])
                ++rank;
            ranks[order[i]] = quint16(rank);
        }
    }
};

const quint16* ranks() {
    static const RankTable table;
    return table.ranks.get();
}

// Decodes the character at p (not past end) and answers its weight; a byte that starts no valid
// sequence weighs as a code point of its own beyond Unicode, so the order stays total.
quint32 nextWeight(const unsigned char*& p, const unsigned char* end, const quint16* table) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
        ++p;
        return table[lead];
    }
    int length = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, cp = lead & 0x1F;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, cp = lead & 0x0F;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, cp = lead & 0x07;
    if (length == 0 || end - p < length) {
        ++p;
        return BeyondBmp + 0x110000 + lead;
    }
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            ++p;
            return BeyondBmp + 0x110000 + lead;
        }
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += length;
    return cp < 0x10000 ? table[cp] : BeyondBmp + cp;
}

} // namespace

namespace PinyinCodePageOrder {

int compare(const char* a, int sizeA, const char* b, int sizeB) {
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    // Equal bytes weigh the same: skip the common prefix, back to the start of the character it ends
    // in. Every byte that is no continuation byte starts a character, however the text is formed.
    const int common = sizeA < sizeB ? sizeA : sizeB;
    int i = PinyinCollation::commonPrefixLength(pa, pb, common);
    if (i == sizeA && i == sizeB)
        return 0;
    const auto continues = [](const unsigned char* p, int size, int at) {
        return at < size && (p[at] & 0xC0) == 0x80;
    };
    while (i > 0 && (continues(pa, sizeA, i) || continues(pb, sizeB, i)))
        --i;
    static const quint16* const table = ranks();
    // The usual case, decided at once: both texts differ in a three-byte character (all of the CJK
    // characters) of different rank.
    if (i + 3 <= sizeA && i + 3 <= sizeB) {
        const auto threeByte = [](const unsigned char* p) {
            return (p[0] & 0xF0) == 0xE0 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80;
        };
        const auto rank = [](const unsigned char* p) {
            return table[((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F)];
        };
        if (threeByte(pa + i) && threeByte(pb + i)) {
            const quint16 ra = rank(pa + i), rb = rank(pb + i);
            if (ra != rb)
                return ra < rb ? -1 : 1;
        }
    }
    const unsigned char* endA = pa + sizeA;
    const unsigned char* endB = pb + sizeB;
    pa += i;
    pb += i;
    while (pa < endA && pb < endB) {
        const quint32 wa = nextWeight(pa, endA, table);
        const quint32 wb = nextWeight(pb, endB, table);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (pa < endA)
        return 1;
    if (pb < endB)
        return -1;
    return 0;
}

int compare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

} // namespace PinyinCodePageOrder

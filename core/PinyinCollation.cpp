#include "core/PinyinCollation.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unicode/ucol.h>
#include <unicode/uscript.h>
#include <vector>

namespace {

// A Chinese collator that ignores letter case (and only what lies below accents).
UCollator* openCollator() {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("zh", &status);
    if (U_FAILURE(status)) {
        ucol_close(collator);
        return nullptr;
    }
    ucol_setStrength(collator, UCOL_SECONDARY);
    return collator;
}

struct CollatorCloser {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

// The rank of each Han character of the BMP in the collator's order, 0 for every other unit: comparing
// two Han characters by rank is what the collator does with them, at a table look-up's cost. A Han
// character is ranked only where that holds whatever follows it: its weights are one primary weight
// sequence that no other ranked character's begins with, and characters of equal primary weights are
// alike in their secondary ones too. The ranks are read from the sort keys once (a few milliseconds).
struct HanRanks {
    std::unique_ptr<quint16[]> ranks = std::make_unique<quint16[]>(0x10000);

    HanRanks() {
        const CollatorPtr collator(openCollator());
        if (!collator)
            return;
        struct Key {
            std::string primary, secondary;
            char16_t unit;
        };
        std::vector<Key> keys;
        for (UChar32 c = 0; c < 0x10000; ++c) {
            UErrorCode status = U_ZERO_ERROR;
            if (U_IS_SURROGATE(c) || uscript_getScript(c, &status) != USCRIPT_HAN)
                continue;
            const std::string key = sortKey(collator.get(), UChar(c));
            keys.push_back({key.substr(0, key.find('\x01')), key, char16_t(c)});
        }
        std::sort(keys.begin(), keys.end(),
                  [](const Key& a, const Key& b) { return a.secondary < b.secondary; });
        quint32 rank = 0;
        for (std::size_t first = 0; first < keys.size();) {
            std::size_t end = first + 1;
            bool alike = true;
            while (end < keys.size() && keys[end].primary == keys[first].primary) {
                alike = alike && keys[end].secondary == keys[first].secondary;
                ++end;
            }
            const bool prefix = end < keys.size() && keys[end].primary.starts_with(keys[first].primary);
            if (alike && !prefix && !keys[first].primary.empty()) {
                ++rank;
                for (std::size_t i = first; i < end; ++i)
                    ranks[keys[i].unit] = quint16(rank);
            }
            first = end;
        }
    }

    // The key of primary and secondary weights, the two parts apart by the byte 1 (no weight byte is 1).
    static std::string sortKey(UCollator* collator, UChar unit) {
        uint8_t key[64];
        const int32_t length = ucol_getSortKey(collator, &unit, 1, key, sizeof key);
        // Without the terminating zero byte, so that one key can be seen to begin another.
        return length > 1 && length <= int32_t(sizeof key)
                   ? std::string(reinterpret_cast<char*>(key), length - 1)
                   : std::string();
    }
};

const quint16* hanRanks() {
    static const HanRanks table;
    return table.ranks.get();
}

bool isAscii(unsigned char byte) {
    return byte < 0x80;
}

unsigned char folded(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
}

// The rank of the three-byte character at p (before end), or 0.
quint16 rankAt(const unsigned char* p, const unsigned char* end, const quint16* ranks) {
    if (end - p < 3 || (p[0] & 0xF0) != 0xE0 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
        return 0;
    return ranks[((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F)];
}

const unsigned char* runEnd(const unsigned char* p, const unsigned char* end) {
    while (p < end && !isAscii(*p))
        ++p;
    return p;
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Two runs of non-ASCII characters, each to the end of its text or its next ASCII character. Han
// characters are compared by rank for as long as both runs hold them; what the ranks cannot decide the
// collator does.
int compareRuns(const UCollator* collator, const unsigned char* a, const unsigned char* endA,
                const unsigned char* b, const unsigned char* endB) {
    static const quint16* const ranks = hanRanks();
    const unsigned char* pa = a;
    const unsigned char* pb = b;
    for (;;) {
        const bool moreA = pa < endA && !isAscii(*pa);
        const bool moreB = pb < endB && !isAscii(*pb);
        const quint16 ra = moreA ? rankAt(pa, endA, ranks) : 0;
        const quint16 rb = moreB ? rankAt(pb, endB, ranks) : 0;
        if (!moreA && !moreB)
            return 0;
        // A ranked character weighs more than the end of a run.
        if (!moreA && rb)
            return -1;
        if (!moreB && ra)
            return 1;
        if (!ra || !rb)
            break;
        if (ra != rb)
            return ra < rb ? -1 : 1;
        pa += 3;
        pb += 3;
    }
    if (!collator)
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        ucol_strcollUTF8(collator, reinterpret_cast<const char*>(a), int32_t(runEnd(a, endA) - a),
                         reinterpret_cast<const char*>(b), int32_t(runEnd(b, endB) - b), &status);
    return U_FAILURE(status) ? 0 : int(result);
}

// The texts from a point on which they differ, their common part being ASCII-folded alike: byte by
// byte, ASCII letters without regard to case, the shorter first.
int compareFoldedBytes(const unsigned char* a, const unsigned char* endA, const unsigned char* b,
                       const unsigned char* endB) {
    for (; a < endA && b < endB; ++a, ++b)
        if (folded(*a) != folded(*b))
            return folded(*a) < folded(*b) ? -1 : 1;
    return sign(int(endA - a) - int(endB - b));
}

int collate(void* collator, int sizeA, const void* a, int sizeB, const void* b) {
    return PinyinCollation::compare(static_cast<const UCollator*>(collator), static_cast<const char*>(a),
                                    sizeA, static_cast<const char*>(b), sizeB);
}

void closeCollator(void* collator) {
    ucol_close(static_cast<UCollator*>(collator));
}

} // namespace

namespace PinyinCollation {

int compare(const UCollator* collator, const char* textA, int sizeA, const char* textB, int sizeB) {
    const auto* a = reinterpret_cast<const unsigned char*>(textA);
    const auto* b = reinterpret_cast<const unsigned char*>(textB);
    const unsigned char* endA = a + sizeA;
    const unsigned char* endB = b + sizeB;
    // Equal bytes weigh the same: skip the common prefix.
    const int common = std::min(sizeA, sizeB);
    int i = commonPrefixLength(a, b, common);
    if (i == sizeA && i == sizeB)
        return 0;
    const int differsAt = i;
    // Where either text goes on with a non-ASCII character, the comparison starts at the run that
    // character belongs to, which begins within the common prefix.
    if ((i < sizeA && !isAscii(a[i])) || (i < sizeB && !isAscii(b[i])))
        while (i > 0 && !isAscii(a[i - 1]))
            --i;
    const unsigned char* pa = a + i;
    const unsigned char* pb = b + i;
    while (pa < endA && pb < endB) {
        const bool asciiA = isAscii(*pa), asciiB = isAscii(*pb);
        if (asciiA != asciiB)
            return asciiA ? -1 : 1;
        if (asciiA) {
            if (folded(*pa) != folded(*pb))
                return folded(*pa) < folded(*pb) ? -1 : 1;
            ++pa, ++pb;
            continue;
        }
        if (const int result = compareRuns(collator, pa, endA, pb, endB))
            return result;
        pa = runEnd(pa, endA);
        pb = runEnd(pb, endB);
    }
    if (pa < endA || pb < endB)
        return pa < endA ? 1 : -1;
    return compareFoldedBytes(a + differsAt, endA, b + differsAt, endB);
}

int compare(const char* a, int sizeA, const char* b, int sizeB) {
    thread_local const CollatorPtr collator(openCollator());
    return compare(collator.get(), a, sizeA, b, sizeB);
}

int compare(const QString& a, const QString& b) {
    const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
    return compare(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

// The connection's one collator serves every thread that sorts for it: a large sort runs the collation
// on the engine's helper threads beside the thread that steps the statement. ICU allows this. Its User
// Guide, page "ICU Architectural Design", section "ICU Threading Model and Open and Close Model",
// paragraph "Thread-safe const APIs", makes a service object usable by several threads at once as long
// as all of them call only const APIs, which in C are those that take a const service pointer. The
// collator is set up (ucol_setStrength) before SQLite has it; a comparison holds it as const and calls
// only ucol_strcollUTF8 (const UCollator*) on it; SQLite closes it with the connection, once every
// statement, and with it every helper thread of its sorts, has ended. Nothing else a comparison reads
// is written after it is made: the table of ranks is filled once under the guard of a function-local
// static, and the comparison writes only its own locals. So the threads need neither a clone of the
// collator each nor a lock.
bool registerOn(sqlite3* db) {
    UCollator* collator = openCollator();
    if (!collator)
        return false;
    // SQLite closes the collator with the connection, but not when it refuses the collation.
    if (sqlite3_create_collation_v2(db, Name, SQLITE_UTF8, collator, collate, closeCollator) == SQLITE_OK)
        return true;
    ucol_close(collator);
    return false;
}

} // namespace PinyinCollation

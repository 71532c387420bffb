#pragma once
#include <QString>
#include <cstdint>
#include <cstring>

struct sqlite3;
struct UCollator;

// The order in which Chinese names are listed: the collation "PINYIN" that every connection carries
// and that the schema puts on the name columns.
//
// A text is read as a sequence of ASCII characters and runs of other characters. ASCII characters
// come first and compare by their byte, letters without regard to case (as NOCASE compares them); a
// run of other characters (Chinese names above all) compares by ICU's Chinese collator in pinyin
// order, 北京 < 成都 < 鑫 < 重庆. Texts that differ only in the case of ASCII letters compare equal, so
// equality stays what NOCASE made it; any other two texts that the collator finds alike are told
// apart by their bytes, so that no two different names are equal.
namespace PinyinCollation {

inline constexpr const char* Name = "PINYIN";

// Registers the collation on a connection, with a collator of its own; false when SQLite refuses it
// or ICU has no Chinese collator.
bool registerOn(sqlite3* db);

// The comparison itself over UTF-8 bytes, with the calling thread's collator: negative, 0 or positive.
int compare(const char* a, int sizeA, const char* b, int sizeB);
int compare(const QString& a, const QString& b);

// How many leading bytes two texts share: equal bytes weigh the same in any order of texts, so a
// comparison can start where they part.
// Inline: it runs at every comparison of a sort.
inline int commonPrefixLength(const unsigned char* a, const unsigned char* b, int size) {
    int i = 0;
    while (i + 8 <= size) {
        std::uint64_t wa, wb;
        std::memcpy(&wa, a + i, 8);
        std::memcpy(&wb, b + i, 8);
        if (wa != wb)
            break;
        i += 8;
    }
    while (i < size && a[i] == b[i])
        ++i;
    return i;
}

// The same with a collator of the caller's: one of ucol_open("zh") at secondary strength. Only ICU's const
// functions are called on it, so several threads may compare with one collator at once (registerOn
// says why that is safe).
int compare(const UCollator* collator, const char* a, int sizeA, const char* b, int sizeB);

} // namespace PinyinCollation

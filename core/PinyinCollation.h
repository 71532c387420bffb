#pragma once
#include <QString>

struct sqlite3;

// The order in which Chinese names are listed: the collation "PINYIN" that every connection carries
// and that the schema puts on the name columns.
//
// Characters are weighed by their code in code page 936, whose first-level characters stand in pinyin
// order: ASCII first (letters without regard to case, as NOCASE compares them), then the GB2312 area
// (symbols, the first-level characters in pinyin order, the second-level ones), then the further GBK
// characters, then every character outside the code page by its code point. Texts that differ only in
// the case of ASCII letters compare equal, so equality stays what NOCASE made it.
namespace PinyinCollation {

inline constexpr const char* Name = "PINYIN";

// Registers the collation on a connection; false when SQLite refuses it.
bool registerOn(sqlite3* db);

// The comparison itself over UTF-8 bytes: negative, 0 or positive.
int compare(const char* a, int sizeA, const char* b, int sizeB);
int compare(const QString& a, const QString& b);

} // namespace PinyinCollation

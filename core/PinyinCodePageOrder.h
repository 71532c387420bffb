#pragma once
#include <QString>

// The order in which the collation PINYIN listed names in earlier versions of the program: characters
// weighed by their code in code page 936, whose first-level characters stand in pinyin order. ASCII
// first (letters without regard to case, as NOCASE compares them), then the GB2312 area (symbols, the
// first-level characters in pinyin order, the second-level ones by radical), then the further GBK
// characters, then every character outside the code page by its code point.
//
// Kept to measure the present order against, and to write files as those versions wrote them.
namespace PinyinCodePageOrder {

// The comparison over UTF-8 bytes: negative, 0 or positive.
int compare(const char* a, int sizeA, const char* b, int sizeB);
int compare(const QString& a, const QString& b);

} // namespace PinyinCodePageOrder

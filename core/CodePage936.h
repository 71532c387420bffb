#pragma once
#include <QChar>
#include <QString>

// Character codes of the Simplified Chinese code page 936 (GB2312 extended by GBK), as glibc's iconv
// converter "GBK" gives them. Texts are taken one UTF-16 unit at a time, as the program has always
// counted characters; a surrogate half on its own has no code.
//
// A one-byte character has a code from 0 to 0xFF (ASCII, and 0x80 for the euro sign), a two-byte
// character has lead byte * 256 + trail byte (0x8140 to 0xFEFE).
class CodePage936 {
public:
    // The code of a character the code page cannot represent (never a real code: trail bytes end at 0xFE).
    static constexpr quint16 NoCode = 0xFFFF;

    // Whether the GBK converter could be loaded. Without it only ASCII characters have a code.
    static bool available();

    // The code of one character, NoCode when it has none.
    static quint16 code(QChar c);
    static bool isDoubleByte(quint16 code) { return code > 0xFF && code != NoCode; }

    // The character's code as the Windows ANSI conversion hands it over: a signed 16-bit number, so a
    // two-byte code (lead byte 0x81 and up) is negative. A character without a code gives the
    // replacement character '?' (63), as the Windows conversion does.
    static qint16 ansiCode(QChar c);

    // The character that a code stands for, converted back through iconv; empty text when the code is
    // not a character of the code page.
    static QString character(quint16 code);
};

#pragma once
#include <QByteArrayView>
#include <QChar>

// Walks UTF-8 bytes as the UTF-16 units a string made of them holds, without making the string: calls
// `unit` for each. Answers false, having stopped, at bytes that a string would not hold as they are
// (bytes that are no UTF-8, which a string replaces, and the byte-order mark and the two
// non-characters of a plane, which it may treat apart); the caller then makes the string.
template <typename Unit> bool forEachUtf16Unit(QByteArrayView utf8, Unit&& unit) {
    const auto* at = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = at + utf8.size();
    while (at < end) {
        const unsigned char lead = *at;
        if (lead < 0x80) {
            unit(static_cast<char16_t>(lead));
            ++at;
            continue;
        }
        int follow;
        char32_t code;
        char32_t least;
        if ((lead & 0xE0) == 0xC0) {
            follow = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            follow = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            follow = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (end - at <= follow)
            return false;
        for (int i = 1; i <= follow; ++i) {
            if ((at[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (at[i] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFEFF ||
            (code & 0xFFFE) == 0xFFFE)
            return false;
        at += follow + 1;
        if (code < 0x10000) {
            unit(static_cast<char16_t>(code));
        } else {
            unit(QChar::highSurrogate(code));
            unit(QChar::lowSurrogate(code));
        }
    }
    return true;
}

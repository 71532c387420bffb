#include "core/CodePage936.h"

#include <iconv.h>
#include <memory>

namespace {

// Codes of all UTF-16 units, computed once: 65,536 conversions take a few milliseconds, after which a
// character's code is one array look-up.
struct CodeTable {
    bool available = false;
    std::unique_ptr<quint16[]> codes = std::make_unique<quint16[]>(0x10000);
};

CodeTable buildTable() {
    CodeTable table;
    for (char32_t unit = 0; unit < 0x10000; ++unit)
        table.codes[unit] = unit < 0x80 ? quint16(unit) : CodePage936::NoCode;

    iconv_t converter = iconv_open("GBK", "UTF-32LE");
    if (converter == iconv_t(-1))
        return table;
    table.available = true;
    for (char32_t unit = 0x80; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        char input[4] = {char(unit & 0xFF), char((unit >> 8) & 0xFF), 0, 0};
        unsigned char output[8];
        char* in = input;
        char* out = reinterpret_cast<char*>(output);
        size_t inLeft = sizeof input;
        size_t outLeft = sizeof output;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &in, &inLeft, &out, &outLeft) == size_t(-1))
            continue;
        const size_t length = sizeof output - outLeft;
        if (length == 1)
            table.codes[unit] = output[0];
        else if (length == 2)
            table.codes[unit] = quint16(output[0] << 8 | output[1]);
    }
    iconv_close(converter);
    return table;
}

const CodeTable& codeTable() {
    static const CodeTable table = buildTable();
    return table;
}

} // namespace

bool CodePage936::available() {
    return codeTable().available;
}

quint16 CodePage936::code(QChar c) {
    return codeTable().codes[c.unicode()];
}

qint16 CodePage936::ansiCode(QChar c) {
    const quint16 value = code(c);
    return value == NoCode ? qint16('?') : qint16(value);
}

QString CodePage936::character(quint16 code) {
    if (code == NoCode)
        return {};
    iconv_t converter = iconv_open("UTF-16LE", "GBK");
    if (converter == iconv_t(-1))
        return {};
    char input[2];
    size_t inLeft = 0;
    if (code > 0xFF) {
        input[0] = char(code >> 8);
        input[1] = char(code & 0xFF);
        inLeft = 2;
    } else {
        input[0] = char(code);
        inLeft = 1;
    }
    char16_t output[4];
    char* in = input;
    char* out = reinterpret_cast<char*>(output);
    size_t outLeft = sizeof output;
    const bool converted = iconv(converter, &in, &inLeft, &out, &outLeft) != size_t(-1) && inLeft == 0;
    iconv_close(converter);
    if (!converted)
        return {};
    return QString::fromUtf16(output, qsizetype((sizeof output - outLeft) / sizeof(char16_t)));
}

#include "core/enCode.h"
#include "core/CodePage936.h"
#include "core/Messages.h"

#include <array>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <vector>

namespace {

using Word = std::uint32_t;

// Chaining values and step constants (the values of RFC 1321, so that ASCII text gives its MD5 digest).
constexpr std::array<Word, 4> InitialValues = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};

constexpr std::array<Word, 64> StepConstants = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391,
};

// Rotation amounts of the four steps that repeat within each round.
constexpr std::array<std::array<int, 4>, 4> Rotations = {
    {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}}};

// Shifts and rotations take a count from 0 to 31; every count here comes from the tables above or
// from a byte position, so the range holds by construction.
constexpr Word shiftLeft(Word value, int bits) {
    Q_ASSERT(bits >= 0 && bits <= 31);
    return value << bits;
}

constexpr Word shiftRight(Word value, int bits) {
    Q_ASSERT(bits >= 0 && bits <= 31);
    return value >> bits;
}

constexpr Word rotateLeft(Word value, int bits) {
    return shiftLeft(value, bits) | shiftRight(value, (32 - bits) & 31);
}

// Addition modulo 2^32 (unsigned arithmetic wraps).
constexpr Word addUnsigned(Word a, Word b) {
    return a + b;
}

// Message word of step k (0 to 63).
constexpr int messageIndex(int k) {
    switch (k / 16) {
    case 0:
        return k;
    case 1:
        return (1 + 5 * k) % 16;
    case 2:
        return (5 + 3 * k) % 16;
    default:
        return (7 * k) % 16;
    }
}

constexpr Word roundFunction(int k, Word b, Word c, Word d) {
    switch (k / 16) {
    case 0:
        return (b & c) | (~b & d);
    case 1:
        return (b & d) | (c & ~d);
    case 2:
        return b ^ c ^ d;
    default:
        return c ^ (b | ~d);
    }
}

class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One byte position per character: the signed code, extended to 32 bits and shifted to its position,
// is OR-ed into its word; then the 0x80 end marker and the length in bits.
std::vector<Word> wordArray(const QString& text) {
    const Word length = Word(text.size());
    const std::size_t wordCount = (std::size_t(length + 8) / 64 + 1) * 16;
    std::vector<Word> words(wordCount, 0);
    for (Word i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (CodePage936::code(c) == CodePage936::NoCode && !CodePage936::available())
            throw EncodingError("代码页936(GBK)的字符转换不可用");
        const Word code = Word(std::int32_t(CodePage936::ansiCode(c)));
        words[i / 4] |= shiftLeft(code, int(8 * (i % 4)));
    }
    words[length / 4] |= shiftLeft(0x80, int(8 * (length % 4)));
    words[wordCount - 2] = shiftLeft(length, 3);
    words[wordCount - 1] = shiftRight(length, 29);
    return words;
}

QString digest(const QString& text) {
    const std::vector<Word> words = wordArray(text);
    Word a = InitialValues[0];
    Word b = InitialValues[1];
    Word c = InitialValues[2];
    Word d = InitialValues[3];
    for (std::size_t block = 0; block < words.size(); block += 16) {
        const Word savedA = a, savedB = b, savedC = c, savedD = d;
        for (int k = 0; k < 64; ++k) {
            Word sum = addUnsigned(a, roundFunction(k, b, c, d));
            sum = addUnsigned(
                sum, addUnsigned(words[block + std::size_t(messageIndex(k))], StepConstants[std::size_t(k)]));
            const Word next =
                addUnsigned(b, rotateLeft(sum, Rotations[std::size_t(k / 16)][std::size_t(k % 4)]));
            a = d;
            d = c;
            c = b;
            b = next;
        }
        a = addUnsigned(a, savedA);
        b = addUnsigned(b, savedB);
        c = addUnsigned(c, savedC);
        d = addUnsigned(d, savedD);
    }
    QString hex;
    hex.reserve(32);
    static constexpr char Digits[] = "0123456789abcdef";
    for (const Word value : {a, b, c, d}) {
        for (int byte = 0; byte < 4; ++byte) {
            const Word bits = shiftRight(value, 8 * byte) & 0xFF;
            hex += QLatin1Char(Digits[bits >> 4]);
            hex += QLatin1Char(Digits[bits & 0xF]);
        }
    }
    return hex;
}

} // namespace

QString enCodeValue(const QString& text) {
    try {
        return digest(text);
    } catch (const std::exception& error) {
        Messages::show(QStringLiteral("函数:enCodeValue(") + QString::fromUtf8(error.what()) +
                           QLatin1Char(')'),
                       MsgIcon::None, MsgButtons::OK);
        return {};
    }
}

#include "core/ClassPy.h"
#include "core/BlankTrim.h"
#include "core/CodePage936.h"
#include "core/PinyinReadings.h"

#include <algorithm>
#include <memory>

namespace {

struct Boundary {
    quint16 code;
    char letter;
};

// The first character of each initial in the first level of GB2312 (sorted by pinyin): 啊 芭 擦 搭 蛾
// 发 噶 哈 击 喀 垃 妈 拿 哦 啪 期 然 撒 塌 挖 昔 压 匝. No syllable starts with I, U or V. The first
// level gives its initials by this table alone; a character elsewhere falls back on it only when ICU
// knows no reading for it (then every code from 匝 up gives "Z").
constexpr std::array<Boundary, 23> Boundaries = {{
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
}};

// Two-byte symbols (full-width punctuation, letters and digits, GBK codes below the first level).
const QString SymbolEntry = QStringLiteral("     ");

// What the table below holds for a unit besides a letter.
constexpr char Unchanged = '\0';
constexpr char Symbol = '\1';

bool isFirstLevel(quint16 code) {
    const int lead = code >> 8, trail = code & 0xFF;
    return lead >= 0xB0 && lead <= 0xD7 && trail >= 0xA1 && trail <= 0xFE;
}

char boundaryEntry(quint16 code) {
    const auto above = std::upper_bound(Boundaries.begin(), Boundaries.end(), code,
                                        [](quint16 value, const Boundary& row) { return value < row.code; });
    return above == Boundaries.begin() ? Symbol : std::prev(above)->letter;
}

char entryOf(char16_t unit) {
    const quint16 code = CodePage936::code(QChar(unit));
    if (CodePage936::isDoubleByte(code) && isFirstLevel(code))
        return boundaryEntry(code);
    if (const char letter = PinyinReadings::initial(unit))
        return letter;
    // One-byte characters and characters the code page cannot represent.
    if (!CodePage936::isDoubleByte(code))
        return unit >= u'a' && unit <= u'z' ? char(unit - u'a' + 'A') : Unchanged;
    return boundaryEntry(code);
}

// The entry of every UTF-16 unit, worked out once (a few milliseconds, after the code page's own
// table): a character's initial is then one look-up.
struct EntryTable {
    std::unique_ptr<char[]> entries = std::make_unique<char[]>(0x10000);
    EntryTable() {
        for (char32_t unit = 0; unit < 0x10000; ++unit)
            entries[unit] = entryOf(char16_t(unit));
    }
};

const char* entries() {
    static const EntryTable table;
    return table.entries.get();
}

} // namespace

ClassPy::ClassPy() {
    initialize();
}

void ClassPy::initialize() {
    m_MSPYIndex = 0;
}

qint32 ClassPy::GetHandle(qint32 i) const {
    return i >= 1 && i <= m_Count ? m_layoutHandles[std::size_t(i - 1)] : 0;
}

QString ClassPy::GetName(qint32 i) const {
    return i >= 1 && i <= m_Count ? m_layoutNames[std::size_t(i - 1)] : QString();
}

QString ClassPy::MSPYReverse(const QString& text, qint16 mode, const QString& separator) const {
    Q_UNUSED(mode);
    Q_UNUSED(separator);
    return trimBlanks(GetPYStr(text));
}

QString ClassPy::GetPYStr(const QString& text) const {
    if (text == QLatin1String(" "))
        return {};
    QString result;
    result.reserve(text.size());
    for (const QChar c : text)
        appendInitial(c, result);
    return result;
}

void ClassPy::appendInitial(QChar c, QString& result) {
    static const char* const table = entries();
    const char entry = table[c.unicode()];
    if (entry == Unchanged)
        result += c;
    else if (entry == Symbol)
        result += SymbolEntry;
    else
        result += QLatin1Char(entry);
}

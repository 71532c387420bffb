#include "core/ClassPy.h"
#include "core/CodePage936.h"

#include <gtest/gtest.h>

namespace {

const QString FiveBlanks = QStringLiteral("     ");

TEST(ClassPyTest, InitialsOfTexts) {
    const std::pair<const char*, const char*> cases[] = {
        {"北京科技有限公司", "BJKJYXGS"},
        {"中国", "ZG"},
        {"亚洲", "YZ"},
        {"abc电子厂", "ABCDZC"},
        {"A1-2号", "A1-2H"},
        // Full-width brackets are two-byte symbols: five blanks each, kept inside the result.
        {"上海（集团）公司", "SH     JT     GS"},
        {"（北京）", "BJ"},
        {"  北京  ", "BJ"},
        {"\t北京", "\tBJ"}, // only blanks are removed at the ends
        {"座", "Z"},        // last character of the first level
        {"Hello, World 123", "HELLO, WORLD 123"},
        {"€", "€"},    // one-byte code
        {"กข", "กข"},  // no code in the code page: unchanged
        {"😀北", "😀B"}, // both halves of a surrogate pair pass unchanged
        {"", ""},
        {" ", ""},
        {"   ", ""},
    };
    const ClassPy py;
    for (const auto& [text, initials] : cases)
        EXPECT_EQ(py.MSPYReverse(QString::fromUtf8(text), 0, QString()), QString::fromUtf8(initials)) << text;
}

// Characters outside the first level of GB2312 are read by their Mandarin pronunciation; the first
// level keeps what its boundary table gives, also where the reading differs (长 stands under chang
// in the code page).
TEST(ClassPyTest, InitialsOfCharactersOutsideTheFirstLevel) {
    const std::pair<const char*, const char*> cases[] = {
        {"鑫源电器", "XYDQ"},
        // Common in company names: the second level of GB2312, and 珺 of GBK only.
        {"鑫", "X"},
        {"昊", "H"},
        {"晟", "C"},
        {"淼", "M"},
        {"琦", "Q"},
        {"钰", "Y"},
        {"珺", "J"},
        {"骐", "Q"},
        {"烜", "X"},
        {"丂", "K"}, // GBK, below the first level
        {"盃", "B"}, // GBK, code 0xB0A0: just below 啊 in number, yet no first-level character
        {"們", "M"}, // GBK, a traditional form
        {"〇", "L"}, // a two-byte character below the first level that ICU reads (líng)
        {"㐀", "Q"}, // no code in the code page, but a reading
        {"﨎", "Z"}, // code 0xFE42 without a reading: by its code, as before
        {"长城", "CC"},
        {"重庆", "ZQ"},
        {"厦门", "XM"},
        {"金鑫（集团）", "JX     JT"}, // full-width brackets stay symbols
        {"昊天2号ABc", "HT2HABC"},
    };
    const ClassPy py;
    for (const auto& [text, initials] : cases)
        EXPECT_EQ(py.MSPYReverse(QString::fromUtf8(text), 0, QString()), QString::fromUtf8(initials)) << text;
}

TEST(ClassPyTest, GetPYStrKeepsOneEntryPerCharacter) {
    const ClassPy py;
    EXPECT_EQ(py.GetPYStr(QStringLiteral(" ")), QString());
    EXPECT_EQ(py.GetPYStr(QStringLiteral("   ")), QStringLiteral("   "));
    EXPECT_EQ(py.GetPYStr(QString::fromUtf8("（北京）")), FiveBlanks + QStringLiteral("BJ") + FiveBlanks);
    EXPECT_EQ(py.GetPYStr(QString::fromUtf8(" a啊")), QStringLiteral(" AA"));
    // Mode and separator change nothing.
    EXPECT_EQ(py.MSPYReverse(QString::fromUtf8("北京"), 1, QStringLiteral("-")), QStringLiteral("BJ"));
}

// Each boundary character gives its letter; the character whose code is one lower gives the letter
// before it (below the first, 0xB0A0 is a GBK character outside the first level, read above).
TEST(ClassPyTest, BoundaryCharactersAndTheCharactersBelowThem) {
    struct Row {
        const char* character;
        quint16 code;
        char letter;
    };
    const Row rows[] = {
        {"啊", 0xB0A1, 'A'}, {"芭", 0xB0C5, 'B'}, {"擦", 0xB2C1, 'C'}, {"搭", 0xB4EE, 'D'},
        {"蛾", 0xB6EA, 'E'}, {"发", 0xB7A2, 'F'}, {"噶", 0xB8C1, 'G'}, {"哈", 0xB9FE, 'H'},
        {"击", 0xBBF7, 'J'}, {"喀", 0xBFA6, 'K'}, {"垃", 0xC0AC, 'L'}, {"妈", 0xC2E8, 'M'},
        {"拿", 0xC4C3, 'N'}, {"哦", 0xC5B6, 'O'}, {"啪", 0xC5BE, 'P'}, {"期", 0xC6DA, 'Q'},
        {"然", 0xC8BB, 'R'}, {"撒", 0xC8F6, 'S'}, {"塌", 0xCBFA, 'T'}, {"挖", 0xCDDA, 'W'},
        {"昔", 0xCEF4, 'X'}, {"压", 0xD1B9, 'Y'}, {"匝", 0xD4D1, 'Z'},
    };
    const ClassPy py;
    QString previous;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.character);
        const QString boundary = QString::fromUtf8(row.character);
        ASSERT_EQ(CodePage936::code(boundary.at(0)), row.code);
        const QString letter(QLatin1Char(row.letter));
        EXPECT_EQ(py.GetPYStr(boundary), letter);

        const QString below = CodePage936::character(row.code - 1);
        ASSERT_EQ(below.size(), 1);
        ASSERT_EQ(CodePage936::code(below.at(0)), row.code - 1);
        if (!previous.isEmpty()) {
            EXPECT_EQ(py.GetPYStr(below), previous);
        }
        previous = letter;
    }
}

TEST(ClassPyTest, KnowsNoKeyboardLayouts) {
    const ClassPy py;
    EXPECT_FALSE(py.MSPYInstalled());
    EXPECT_EQ(py.MSPYIndex(), 0);
    EXPECT_EQ(py.Count(), 0);
    for (const qint32 i : {0, 1, 40, 41}) {
        EXPECT_EQ(py.GetHandle(i), 0);
        EXPECT_EQ(py.GetName(i), QString());
    }
}

} // namespace

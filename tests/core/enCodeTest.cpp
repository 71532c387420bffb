#include "core/enCode.h"
#include "core/CodePage936.h"
#include "core/Messages.h"
#include "tests/fixtures/MessageRecorder.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace {

QString md5Of(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

// None of these texts may fail: no message box.
class EnCodeValueTest : public ::testing::Test {
protected:
    MessageRecorder messages;
    void TearDown() override { EXPECT_TRUE(messages.empty()) << messages.texts().join('\n').toStdString(); }
};

TEST(CodePage936Test, CodesOfOneAndTwoByteCharacters) {
    struct Case {
        const char* character;
        quint16 code;
        qint16 ansi;
    };
    const Case cases[] = {
        {"A", 0x41, 65},
        {"~", 0x7E, 126},
        {"€", 0x80, 128},                         // the one-byte euro sign
        {"啊", 0xB0A1, qint16(0xB0A1 - 0x10000)}, // two-byte codes are negative
        {"丂", 0x8140, qint16(0x8140 - 0x10000)}, // first GBK code
        {"（", 0xA3A8, qint16(0xA3A8 - 0x10000)},
        {"鑫", 0xF6CE, qint16(0xF6CE - 0x10000)},
        {"ก", CodePage936::NoCode, 63}, // not in the code page: '?'
    };
    ASSERT_TRUE(CodePage936::available());
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.character);
        SCOPED_TRACE(c.character);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(CodePage936::code(text.at(0)), c.code);
        EXPECT_EQ(CodePage936::ansiCode(text.at(0)), c.ansi);
        if (c.code != CodePage936::NoCode) {
            EXPECT_EQ(CodePage936::character(c.code), text);
        }
    }
    EXPECT_EQ(CodePage936::code(QChar(0xD83D)), CodePage936::NoCode); // a surrogate half on its own
    EXPECT_EQ(CodePage936::character(0x81), QString());               // a lead byte alone
    EXPECT_EQ(CodePage936::character(CodePage936::NoCode), QString());
}

TEST_F(EnCodeValueTest, AsciiTextGivesTheRfc1321TestSuite) {
    const std::pair<const char*, const char*> suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [text, digest] : suite)
        EXPECT_EQ(enCodeValue(QString::fromLatin1(text)), QString::fromLatin1(digest)) << text;
}

// The empty text and texts up to 55 characters take one block, 56 to 119 two, and so on.
TEST_F(EnCodeValueTest, AsciiTextGivesMd5AcrossBlockBoundaries) {
    QList<QByteArray> texts = {"admin", "123456", "veziz", "Pass word!", "~`!@#$%^&*()_+{}|:\"<>?"};
    for (const int length : {0, 1, 54, 55, 56, 57, 63, 64, 65, 119, 120, 121, 200}) {
        QByteArray text;
        for (int i = 0; i < length; ++i)
            text += char(' ' + (i * 7) % 95);
        texts.append(text);
    }
    for (const QByteArray& text : texts) {
        const QString digest = enCodeValue(QString::fromLatin1(text));
        EXPECT_EQ(digest, md5Of(text)) << "length " << text.size();
        EXPECT_EQ(digest.size(), 32);
    }
}

// A two-byte code is sign-extended: the lead byte goes into the next byte position and 0xFF fills the
// positions above it within the same word, covering whatever the later characters of that word put
// there. 密 is 0xC3DC, 码 0xC2EB, 半 0xB0EB; "密码" makes the first word 0xFFFFEBDC, with the end marker
// 0x80 at position 2 covered too. The digests of "密码" and "密码123" were computed by a separate
// implementation of the MD5 steps over that word array.
TEST_F(EnCodeValueTest, ChineseTextIsEncodedBySignedTwoByteCodes) {
    const QString password = QString::fromUtf8("密码");
    EXPECT_EQ(enCodeValue(password), QStringLiteral("9e4f66da92d4c2905579249f551fc0e7"));
    EXPECT_EQ(enCodeValue(QString::fromUtf8("密码123")), QStringLiteral("026112dd907e4d2b96b45595e2d76efa"));
    EXPECT_EQ(enCodeValue(password), enCodeValue(password));
    EXPECT_NE(enCodeValue(password), md5Of(QByteArray("\xC3\xDC\xC2\xEB")));
    EXPECT_NE(enCodeValue(password), md5Of(password.toUtf8()));

    // Texts with the same word array share their digest.
    EXPECT_EQ(enCodeValue(QString::fromUtf8("密半")), enCodeValue(password));
    EXPECT_EQ(enCodeValue(QString::fromUtf8("密码993")), enCodeValue(QString::fromUtf8("密码123")));
    EXPECT_NE(enCodeValue(QString::fromUtf8("密码124")), enCodeValue(QString::fromUtf8("密码123")));

    // In the highest position of a word only the trail byte remains, which is plain MD5 of those bytes.
    EXPECT_EQ(enCodeValue(QString::fromUtf8("abc密")), md5Of(QByteArray("abc\xDC")));
    EXPECT_EQ(enCodeValue(QString::fromUtf8("abc密def码")), md5Of(QByteArray("abc\xDC"
                                                                             "def\xEB")));
}

TEST_F(EnCodeValueTest, OneByteCodesAndCharactersWithoutCode) {
    EXPECT_EQ(enCodeValue(QString::fromUtf8("€")), md5Of(QByteArray("\x80")));
    // Characters outside the code page count as '?', as the Windows conversion gives them.
    EXPECT_EQ(enCodeValue(QString::fromUtf8("กa")), md5Of("?a"));
    EXPECT_EQ(enCodeValue(QString::fromUtf8("😀")), md5Of("??")); // two UTF-16 units
}

} // namespace

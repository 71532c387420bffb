// Names sort as a Chinese reader expects, wherever the database orders them.
#include "core/PinyinCollation.h"
#include "core/clsMDB.h"
#include "tests/fixtures/TestDatabase.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <unicode/ucol.h>

namespace {

// The names in the order the collation gives: the empty name, ASCII without regard to case (a
// character beyond ASCII weighs more than any ASCII one), then ICU's Chinese order: symbols before
// Han characters, and those by pinyin whatever level of the code page they stand in (鑫 xin, 們 men,
// 长 and 重 under the readings the collator gives them, zhang and zhong).
const QStringList Expected = {
    QString(),
    QStringLiteral("abc"),
    QStringLiteral("ASCII"),
    QStringLiteral("A公司"),
    QStringLiteral("Zebra"),
    QStringLiteral("😀"),
    QStringLiteral("啊"),
    QStringLiteral("安徽"),
    QStringLiteral("北京"),
    QStringLiteral("成都"),
    QStringLiteral("們"),
    QStringLiteral("鑫"),
    QStringLiteral("长沙"),
    QStringLiteral("重庆"),
};

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

TEST(PinyinCollation, OrdersNamesAsAChineseReaderExpects) {
    QStringList shuffled = Expected;
    std::reverse(shuffled.begin(), shuffled.end());
    std::swap(shuffled[2], shuffled[7]);
    QStringList sorted = shuffled;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return PinyinCollation::compare(a, b) < 0; });
    EXPECT_EQ(sorted, Expected);
    // Letter case of ASCII makes no difference, as with NOCASE; everything else does.
    EXPECT_EQ(PinyinCollation::compare(QStringLiteral("Abc北京"), QStringLiteral("aBC北京")), 0);
    EXPECT_LT(PinyinCollation::compare(QStringLiteral("北京"), QStringLiteral("北京市")), 0);
    EXPECT_GT(PinyinCollation::compare(QStringLiteral("北京市"), QStringLiteral("北京")), 0);
    EXPECT_NE(PinyinCollation::compare(QStringLiteral("北"), QStringLiteral("京")), 0);
    // Characters the collator finds alike stay apart: a compatibility ideograph and its unified form.
    EXPECT_NE(PinyinCollation::compare(QStringLiteral("\uF900"), QStringLiteral("\u8C48")), 0);
}

// Company names of both levels of GB2312 and of GBK only, as a customer list shows them.
TEST(PinyinCollation, FirstAndSecondLevelNamesStandTogetherByPinyin) {
    const QStringList expected = {
        QStringLiteral("ABC电子"),          QStringLiteral("安达物流"),    QStringLiteral("北京华信"),
        QStringLiteral("北京华信（集团）"), QStringLiteral("昊天科技"),    QStringLiteral("珺瑶服饰"),
        QStringLiteral("淼森环保"),         QStringLiteral("琦丰贸易"),    QStringLiteral("上海东方"),
        QStringLiteral("鑫源电器"),         QStringLiteral("鑫源电器2号"), QStringLiteral("钰龙机械"),
        QStringLiteral("中联重科"),
    };
    QStringList sorted = expected;
    std::reverse(sorted.begin(), sorted.end());
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString& a, const QString& b) { return PinyinCollation::compare(a, b) < 0; });
    EXPECT_EQ(sorted, expected);
}

// The comparison is a total order that agrees with ICU's collator on text without ASCII, over random
// texts of the characters names are made of, including those the fast path leaves to the collator.
TEST(PinyinCollation, IsATotalOrderThatAgreesWithTheChineseCollator) {
    const QString alphabet = QStringLiteral("北京鑫昊珺們丂\uF900\u8C48（）·、—aBzZ1 -é\u0301😀");
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 5), letter(0, int(alphabet.size()) - 1);
    QStringList texts;
    for (int i = 0; i < 400; ++i) {
        QString text;
        for (int n = length(random); n > 0; --n) {
            const QChar c = alphabet.at(letter(random));
            text += c;
            if (c.isHighSurrogate())
                text += alphabet.at(alphabet.indexOf(c) + 1);
        }
        texts << text;
    }
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("zh", &status);
    ASSERT_TRUE(U_SUCCESS(status));
    ucol_setStrength(collator, UCOL_SECONDARY);
    const auto folded = [](const QString& text) {
        QString result = text;
        for (QChar& c : result)
            if (c.unicode() < 0x80)
                c = c.toLower();
        return result;
    };
    for (const QString& a : texts) {
        const QByteArray ua = a.toUtf8();
        for (const QString& b : texts) {
            const int result = PinyinCollation::compare(a, b);
            ASSERT_EQ(result, -PinyinCollation::compare(b, a)) << a.toStdString() << " | " << b.toStdString();
            ASSERT_EQ(result == 0, folded(a) == folded(b)) << a.toStdString() << " | " << b.toStdString();
            const QByteArray ub = b.toUtf8();
            const bool ascii = std::any_of(ua.begin(), ua.end(), [](char c) { return uchar(c) < 0x80; }) ||
                               std::any_of(ub.begin(), ub.end(), [](char c) { return uchar(c) < 0x80; });
            const int icu = ucol_strcollUTF8(collator, ua.constData(), int(ua.size()), ub.constData(),
                                             int(ub.size()), &status);
            if (!ascii && icu != 0) {
                ASSERT_EQ(sign(result), icu) << a.toStdString() << " | " << b.toStdString();
            }
        }
    }
    ucol_close(collator);
    QStringList sorted = texts;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return PinyinCollation::compare(a, b) < 0; });
    for (int i = 0; i < sorted.size(); ++i)
        for (int j = i + 1; j < sorted.size(); ++j)
            ASSERT_LE(PinyinCollation::compare(sorted[i], sorted[j]), 0)
                << sorted[i].toStdString() << " | " << sorted[j].toStdString();
}

TEST(PinyinCollation, TheSchemaOrdersAndComparesNamesByIt) {
    TestDatabase t;
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("delete from customer_type")));
    QStringList shuffled = Expected;
    std::rotate(shuffled.begin(), shuffled.begin() + 5, shuffled.end());
    for (int i = 0; i < shuffled.size(); ++i)
        ASSERT_TRUE(
            t.db().ExecSQL(QStringLiteral("insert into customer_type (etid, name, pid) values (?, ?, ?)"),
                           {i + 1, shuffled[i], 0}));
    const auto names = [&](const QString& sql) {
        QStringList result;
        auto rs = t.db().GetRS(sql);
        EXPECT_TRUE(rs) << sql.toStdString() << ": " << t.db().lastError().toStdString();
        for (; rs && !rs->Eof(); rs->MoveNext())
            result << rs->Fields(0).toString();
        return result;
    };
    EXPECT_EQ(names(QStringLiteral("select name from customer_type order by name")), Expected);
    // A view's computed name column orders the same way: departments by their parents' names.
    for (int i = 0; i < shuffled.size(); ++i) {
        ASSERT_TRUE(
            t.db().ExecSQL(QStringLiteral("insert into manage_dept (mdid, name, pid) values (?, ?, 0)"),
                           {100 + i, shuffled[i]}));
        ASSERT_TRUE(
            t.db().ExecSQL(QStringLiteral("insert into manage_dept (mdid, name, pid) values (?, ?, ?)"),
                           {200 + i, QStringLiteral("部门%1").arg(i), 100 + i}));
    }
    EXPECT_EQ(
        names(QStringLiteral("select parentname from manage_dept_view where pid >= 100 order by parentname")),
        Expected);
    // Equality keeps ignoring the case of ASCII letters.
    EXPECT_EQ(names(QStringLiteral("select name from customer_type where name = 'ABC'")),
              QStringList{QStringLiteral("abc")});
}

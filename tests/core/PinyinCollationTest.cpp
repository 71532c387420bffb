// Names sort as a Chinese reader expects, wherever the database orders them.
#include "core/PinyinCollation.h"
#include "core/clsMDB.h"
#include "tests/fixtures/TestDatabase.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The names in the order the collation gives: the empty name, ASCII without regard to case (a
// Chinese character weighs more than any ASCII one), the first-level characters in pinyin order
// (重 stands under zhong in the code page), the second level (鑫), further GBK characters (們), and
// characters outside the code page last.
const QStringList Expected = {
    QString(),
    QStringLiteral("abc"),
    QStringLiteral("ASCII"),
    QStringLiteral("A公司"),
    QStringLiteral("Zebra"),
    QStringLiteral("啊"),
    QStringLiteral("安徽"),
    QStringLiteral("北京"),
    QStringLiteral("长沙"),
    QStringLiteral("成都"),
    QStringLiteral("重庆"),
    QStringLiteral("鑫"),
    QStringLiteral("們"),
    QStringLiteral("😀"),
};

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

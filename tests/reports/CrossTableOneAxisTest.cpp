// The one-axis table shows a member of one record straight from its record and sums the others.
#include "tests/reports/CrossTableFixture.h"

#include <gtest/gtest.h>

TEST(CrossTableOneAxis, MembersOfOneRecordShowItAsItIsAndMembersOfSeveralTheirSums) {
    CrossTableFixture f;
    f.insert({
        {"A", "p", "u", 1, 10.5, "甲"},
        {"C", "p", "u", 7, QVariant(), "丙"},
        {"A", "q", "u", 2, 20, "乙"},
        {"D", "q", "v", QVariant(), 0.1, "丁"},
        {QVariant(), "q", "v", 4, 2.25, "戊"},
    });
    f.configure(1, QStringLiteral("m1:M1,m2:M2,t:T"));
    f.build();
    GridModel& g = f.grid();
    const QList<QStringList> expected{
        {"", "M1", "M2", "T"},   {"A", "3", "30.5", "甲乙"}, {"C", "7", "0", "丙"}, // a Null shows "0"
        {"D", "0", "0.1", "丁"}, {"", "4", "2.25", "戊"}, // the Null key reads as the empty text
    };
    ASSERT_EQ(g.Rows(), expected.size());
    ASSERT_EQ(g.Cols(), 4);
    for (int r = 0; r < g.Rows(); ++r)
        for (int c = 0; c < g.Cols(); ++c)
            EXPECT_EQ(g.TextMatrix(r, c), expected[r][c]) << r << ", " << c;
    EXPECT_EQ(g.RowData(3), QVariant(QStringLiteral("D")));
    EXPECT_TRUE(f.engine().state().sums.empty()); // the sums served the build only

    // Cells read from their record are written over like any other, and saved as shown.
    g.setTextMatrix(2, 1, QStringLiteral("x"));
    EXPECT_EQ(g.TextMatrix(2, 1), QStringLiteral("x"));
    EXPECT_TRUE(g.tabText().contains(QStringLiteral("D\t0\t0.1\t丁\r\n")));

    // The next build lets the grid go of the last result.
    const std::weak_ptr<const Recordset> first = f.engine().state().results.first();
    f.engine().setSql(QStringLiteral("select * from cross_rows where x = 'A'"));
    f.build();
    EXPECT_TRUE(first.expired());
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.TextMatrix(1, 3), QStringLiteral("甲乙"));
    g.ResetTable();
    EXPECT_EQ(g.TextMatrix(1, 3), QString());
}

// The grid's text store keeps every written text through the changes of its rows and columns, and
// holds room only for rows with texts.
#include "ui/GridCellTexts.h"

#include <gtest/gtest.h>

namespace {
QString text(int r, int c) {
    return QStringLiteral("%1-%2").arg(r).arg(c);
}
} // namespace

TEST(GridCellTexts, TextsSurviveRowAndColumnChangesAndEmptyRowsCostNoCells) {
    GridCellTexts texts;
    texts.resize(3000, 3);
    for (int r = 0; r < 3000; r += 2)
        for (int c = 0; c < 3; ++c)
            texts.ref(r, c) = text(r, c);
    EXPECT_FALSE(texts.hasRow(1));
    EXPECT_TRUE(texts.at(1, 0).isNull());

    // Most rows dropped at once, then one by one: the store is made anew, the rest keep their texts.
    std::vector<bool> drop(3000, false);
    for (int r = 0; r < 2000; ++r)
        drop[static_cast<size_t>(r)] = true;
    texts.dropRows(drop);
    for (int r = 2000; r < 2900; r += 2) {
        texts.ref(r, 0) = QString();
        texts.ref(r, 1) = QString();
        texts.ref(r, 2) = QString();
        texts.squeezeRow(r);
    }
    EXPECT_FALSE(texts.hasRow(2000));
    EXPECT_TRUE(texts.at(1000, 1).isNull());
    EXPECT_EQ(texts.at(2998, 2), text(2998, 2));

    texts.removeRow(2000);
    EXPECT_EQ(texts.at(2997, 1), text(2998, 1));
    texts.insertRow(2001);
    EXPECT_EQ(texts.rows(), 3000);
    EXPECT_EQ(texts.at(2998, 1), text(2998, 1));
    EXPECT_FALSE(texts.hasRow(2001));
    texts.resize(2998, 2); // two rows and a column fewer
    EXPECT_EQ(texts.cols(), 2);
    EXPECT_EQ(texts.at(2996, 1), text(2996, 1));
    texts.resize(2998, 4);
    EXPECT_EQ(texts.at(2996, 0), text(2996, 0));
    EXPECT_TRUE(texts.at(2996, 3).isNull());
    texts.ref(7, 3) = QStringLiteral("x");
    EXPECT_EQ(texts.at(7, 3), QStringLiteral("x"));
    texts.clear();
    EXPECT_FALSE(texts.hasRow(2996));
    EXPECT_EQ(texts.rows(), 2998);
}

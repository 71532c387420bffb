#include "pickers/ctrl_SelectMonth.h"
#include "pickers/ctrl_SelectYear.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

TEST(YearMonthPickerTest, StartOnTodayAndSetOnlyListedNumbers) {
    const ctrl_SelectYear inRange(nullptr, QDate(2008, 3, 9));
    EXPECT_EQ(inRange.GetYear(), QStringLiteral("2008"));
    EXPECT_EQ(inRange.ImgCombo()->count(), 21);
    EXPECT_EQ(inRange.ImgCombo()->itemText(0), QStringLiteral("2000 年"));
    EXPECT_EQ(inRange.ImgCombo()->itemData(20).toString(), QStringLiteral("a_2020"));

    ctrl_SelectYear late(nullptr, QDate(2024, 3, 9));
    EXPECT_EQ(late.GetYear(), QString());
    EXPECT_EQ(late.ImgCombo()->currentIndex(), -1);
    EXPECT_EQ(late.ImgCombo()->placeholderText(), QStringLiteral("请选择年份"));
    late.SetYear(1999);
    EXPECT_EQ(late.GetYear(), QString());
    late.SetYear(2015);
    EXPECT_EQ(late.GetYear(), QStringLiteral("2015"));

    ctrl_SelectMonth month(nullptr, QDate(2024, 3, 9));
    EXPECT_EQ(month.GetMonth(), QStringLiteral("3"));
    EXPECT_EQ(month.ImgCombo()->itemText(9), QStringLiteral("10 月"));
    EXPECT_EQ(month.ImgCombo()->placeholderText(), QStringLiteral("请选择月份"));
    month.SetMonth(13);
    EXPECT_EQ(month.GetMonth(), QStringLiteral("3"));
    month.SetMonth(7);
    EXPECT_EQ(month.GetMonth(), QStringLiteral("7"));
    month.ImgCombo()->setCurrentIndex(11);
    EXPECT_EQ(month.GetMonth(), QStringLiteral("12"));
}

} // namespace

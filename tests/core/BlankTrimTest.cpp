// Blank trimming as the stores apply it to typed names, remarks and descriptions.
#include "core/BlankTrim.h"

#include <gtest/gtest.h>

TEST(BlankTrim, OnlyBlanksGoAndNothingLeftKeepsOneBlank) {
    const struct {
        const char* text;
        const char* trimmed;
        const char* orSpace;
    } cases[] = {
        {"", "", " "},
        {"   ", "", " "},
        {"  名称  ", "名称", "名称"},
        {"a b", "a b", "a b"},
        {"\ta\n", "\ta\n", "\ta\n"}, // tabs and line breaks stay
        {" \t ", "\t", "\t"},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(trimBlanks(text), QString::fromUtf8(c.trimmed)) << c.text;
        EXPECT_EQ(trimBlanksOrSpace(text), QString::fromUtf8(c.orSpace)) << c.text;
    }
}

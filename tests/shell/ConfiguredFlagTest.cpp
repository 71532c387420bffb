// The configured flag read at each database opening; without it the single-user settings are written.
#include "core/AppInfo.h"
#include "core/ProgramEnd.h"
#include "core/Settings.h"
#include "core/ShellUtils.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"

#include <gtest/gtest.h>

TEST(IsDbConfigured, FlagByLeadingNumber) {
    TestProgramFolder folder;
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"7", true},    {"2abc", true}, {"0", false},
                                                  {"", false}, {"abc", false}, {"0.0", false}};
    for (const auto& [flag, configured] : cases) {
        Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234"), QString::fromUtf8(flag));
        MessageRecorder messages;
        int ended = -1;
        ScopedHook<void(int)> endHook(ProgramEnd::handler(), [&](int code) { ended = code; });
        IsDbConfigured();
        if (configured) {
            EXPECT_TRUE(messages.empty()) << flag;
            EXPECT_EQ(ended, -1) << flag;
        } else {
            // Not configured: the single-user settings are written and the program asks to be restarted.
            ASSERT_FALSE(messages.empty()) << flag;
            EXPECT_EQ(messages.last().text, QStringLiteral("配置成功！请重新启动系统!"));
            EXPECT_EQ(ended, 0) << flag;
            EXPECT_EQ(Settings::GetSetting(AppInfo::ConfigSection, QStringLiteral("abcd1234")),
                      QStringLiteral("1"));
        }
    }
}

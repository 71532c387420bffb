// A slot's errors end in a message, never past the event loop.
#include "ui/SlotGuard.h"
#include "core/DbError.h"
#include "tests/fixtures/MessageRecorder.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(SlotGuard, ShowsTheErrorOfTheBodyAndAnswersWhetherItRanThrough) {
    MessageRecorder messages;
    EXPECT_TRUE(guardSlot([] {}));
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(guardSlot([] { throw DbError(QStringLiteral("no such table: x"), QStringLiteral("src")); }));
    EXPECT_FALSE(guardSlot([] { throw std::runtime_error("out of range"); }, QStringLiteral("删除失败！")));
    EXPECT_EQ(messages.texts(), QStringList({QStringLiteral("数据提取失败！（no such table: x）"),
                                             QStringLiteral("删除失败！（out of range）")}));
}

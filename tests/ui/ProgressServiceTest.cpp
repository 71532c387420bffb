// The progress display of long work: the program's dialog leaves nothing behind, and a display that
// tests install is the one long work gets.
#include "ui/ProgressService.h"

#include <QApplication>
#include <QProgressDialog>
#include <gtest/gtest.h>

namespace {
int progressDialogs() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<QProgressDialog*>(widget) != nullptr;
    return count;
}
} // namespace

TEST(ProgressService, TheProgramsDisplayRunsToTheEndAndLeavesNoDialog) {
    std::unique_ptr<ProgressService> progress = ProgressService::create();
    progress->start(QStringLiteral("导出"), QStringLiteral("正在导出…"), 1000);
    bool going = true;
    for (int i = 0; i <= 1000; ++i)
        going = going && progress->setValue(i);
    progress->finish();
    EXPECT_TRUE(going);
    EXPECT_EQ(progressDialogs(), 0);
}

TEST(ProgressService, AnInstalledDisplayIsTheOneWorkGets) {
    struct Scripted : ProgressService {
        void start(const QString&, const QString&, int maximum) override { last = -maximum; }
        bool setValue(int value) override { return (last = value) < 3; }
        void finish() override { finished = true; }
        int last = 0;
        bool finished = false;
    };
    Scripted* made = nullptr;
    ScopedHook<std::unique_ptr<ProgressService>()> hook(ProgressService::factory(), [&] {
        auto display = std::make_unique<Scripted>();
        made = display.get();
        return std::unique_ptr<ProgressService>(std::move(display));
    });
    std::unique_ptr<ProgressService> progress = ProgressService::create();
    ASSERT_EQ(progress.get(), made);
    progress->start(QString(), QString(), 10);
    EXPECT_EQ(made->last, -10);
    EXPECT_TRUE(progress->setValue(2));
    EXPECT_FALSE(progress->setValue(3));
    progress->finish();
    EXPECT_TRUE(made->finished);
}

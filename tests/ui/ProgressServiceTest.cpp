// The progress display of long work: the program's dialog leaves nothing behind, and a display that
// tests install is the one long work gets.
#include "ui/ProgressService.h"

#include <QApplication>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <functional>
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

// Work that runs on: the dialog comes up counting to the work's maximum (or without an end), and its
// 取消, Escape or closing the dialog stops the work.
TEST(ProgressService, TheProgramsDialogCountsTheWorkAndItsCancelStopsIt) {
    struct Case {
        const char* how;
        int maximum;
        std::function<void(QProgressDialog&)> cancel;
    };
    const auto cancelButton = [](QProgressDialog& dialog) {
        auto* cancel = dialog.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
        cancel->click();
    };
    const auto escape = [](QProgressDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };
    const QList<Case> cases = {
        {"取消", 1000, cancelButton},
        {"Escape", 1000, escape},
        {"Escape while counting without an end", 0, escape},
        {"the dialog closed", 1000, [](QProgressDialog& dialog) { dialog.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        std::unique_ptr<ProgressService> progress = ProgressService::create();
        progress->start(QStringLiteral("导出Excel"), QStringLiteral("正在导出"), c.maximum);
        QProgressDialog* dialog = nullptr;
        int value = 0;
        for (; value < 1000 && !dialog; ++value) {
            ASSERT_TRUE(progress->setValue(value));
            QThread::msleep(10); // the dialog waits for half a second of work
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* shown = qobject_cast<QProgressDialog*>(widget))
                    dialog = shown;
        }
        ASSERT_NE(dialog, nullptr) << "no progress dialog within 1,000 steps of 10 ms";
        EXPECT_EQ(dialog->maximum(), c.maximum);
        if (c.maximum > 0) {
            EXPECT_EQ(dialog->value(), value - 1);
            auto* bar = dialog->findChild<QProgressBar*>();
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(bar->text(), QStringLiteral("%1 / 1000").arg(value - 1));
        }
        c.cancel(*dialog);
        EXPECT_FALSE(progress->setValue(value + 1));
        progress->finish();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(progressDialogs(), 0);
    }
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

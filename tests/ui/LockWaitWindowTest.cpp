// A database that another program holds locked: after a second the waiting window shows, its button
// stops the wait, and a lock released in time is waited for without a window.
#include "ui/LockWaitWindow.h"
#include "core/AppInfo.h"
#include "core/LockWait.h"
#include "core/Settings.h"
#include "core/clsMDB.h"
#include "tests/fixtures/DatabaseLockHolder.h"
#include "tests/fixtures/TestDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class LockWaitTest : public ::testing::Test {
protected:
    void SetUp() override {
        LockWaitWindow::install();
        Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("DB_TimeOut"), QStringLiteral("30"));
        t.db().CloseDatabase();
    }
    void TearDown() override {
        LockWait::waiting().install([](int) { return true; });
        LockWait::ended().install([] {});
    }
    TestDatabase t;
};

} // namespace

TEST_F(LockWaitTest, TheWindowShowsAfterASecondAndItsButtonEndsTheWait) {
    DatabaseLockHolder other(t.file(), -1);
    ASSERT_TRUE(other.locked());
    int shownAtMs = -1;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<LockWaitWindow*>(w); window && window->isVisible()) {
                if (shownAtMs < 0)
                    shownAtMs = int(clock.elapsed());
                EXPECT_EQ(window->lblWaiting->text(),
                          QStringLiteral("数据库正被其他程序使用，程序正在等待它释放……"));
                window->cmdStopWaiting->click();
            }
    });
    poll.start(50);
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(error, QStringLiteral("数据库正被其他程序使用（已锁定）：database is locked"));
    EXPECT_GE(shownAtMs, LockWaitWindow::ShowAfterMs);
    EXPECT_LT(waited, 10000); // the button ended it, long before the time-out
    QApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<LockWaitWindow*>(w) && w->isVisible());
}

TEST_F(LockWaitTest, ALockReleasedWithinTheSecondIsWaitedForWithoutAWindow) {
    DatabaseLockHolder other(t.file(), 300);
    ASSERT_TRUE(other.locked());
    clsMDB db;
    QString error;
    EXPECT_TRUE(db.OpenDatabase(error)) << error.toStdString();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<LockWaitWindow*>(w), nullptr);
}

// With nobody at the window the wait ends at the time-out, as locked.
TEST_F(LockWaitTest, TheTimeOutBoundsTheWait) {
    Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("DB_TimeOut"), QStringLiteral("1"));
    DatabaseLockHolder other(t.file(), -1);
    clsMDB db;
    QString error;
    EXPECT_FALSE(db.OpenDatabase(error));
    EXPECT_EQ(error, QStringLiteral("数据库正被其他程序使用（已锁定）：database is locked"));
}

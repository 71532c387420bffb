// The progress of a long read: the display counts the rows, the program's dialog shows them and its
// Escape stops the read; a short read makes no display at all.
#include "ui/ReadProgress.h"
#include "core/clsMDB.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/ProgressService.h"

#include <QApplication>
#include <QLabel>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString sortedNumbers(int rows) {
    return QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n limit %1) "
                          "select i, 'row ' || i as name from n order by name desc")
        .arg(rows);
}

// What the read's display was told, and the program's dialog behind it when `real` is set.
struct Seen {
    QStringList log;
    QStringList labels;
    int made = 0;
    std::function<bool(int value)> onValue = [](int) { return true; };
};

class SeenDisplay final : public ProgressService {
public:
    SeenDisplay(Seen& seen, bool real) : m_seen(seen), m_dialog(real ? ProgressService::dialog() : nullptr) {}
    void start(const QString& title, const QString& label, int maximum) override {
        m_seen.log << QStringLiteral("start %1 %2 %3").arg(title, label).arg(maximum);
        if (m_dialog)
            m_dialog->start(title, label, maximum);
    }
    bool setValue(int value) override {
        const bool goOn = !m_dialog || m_dialog->setValue(value);
        return m_seen.onValue(value) && goOn;
    }
    void setLabel(const QString& label) override {
        m_seen.labels << label;
        if (m_dialog)
            m_dialog->setLabel(label);
    }
    void setOwner(QWidget* owner) override {
        if (m_dialog)
            m_dialog->setOwner(owner);
    }
    void finish() override {
        m_seen.log << QStringLiteral("finish");
        if (m_dialog)
            m_dialog->finish();
    }

private:
    Seen& m_seen;
    std::unique_ptr<ProgressService> m_dialog;
};

ScopedHook<std::unique_ptr<ProgressService>()> seenDisplays(Seen& seen, bool real) {
    return ScopedHook<std::unique_ptr<ProgressService>()>(ProgressService::factory(), [&seen, real] {
        ++seen.made;
        return std::unique_ptr<ProgressService>(new SeenDisplay(seen, real));
    });
}

// The program's dialog shows as soon as the work reports, while it lives.
class DialogAtOnce {
public:
    DialogAtOnce() : m_before(ProgressService::showAfterMs()) { ProgressService::setShowAfterMs(0); }
    ~DialogAtOnce() { ProgressService::setShowAfterMs(m_before); }

private:
    int m_before;
};

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QProgressDialog* shownProgressDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

TEST(ReadProgress, ALongReadCountsItsRowsAndAShortOneMakesNoDisplay) {
    TestDatabase t;
    Seen seen;
    const auto hook = seenDisplays(seen, false);
    {
        ReadProgress progress(t.db(), nullptr, QStringLiteral("分类清单报表"));
        ASSERT_TRUE(t.db().GetRS(QStringLiteral("select name from manage_module")));
        EXPECT_EQ(seen.made, 0) << "a short read makes no display";

        const std::optional<Recordset> rs = t.db().GetRS(sortedNumbers(300000));
        ASSERT_TRUE(rs);
        EXPECT_FALSE(progress.cancelled());
    }
    EXPECT_EQ(seen.made, 1);
    ASSERT_EQ(seen.log.size(), 2) << "one display for the read, finished as it ends";
    EXPECT_TRUE(seen.log.first().startsWith(QStringLiteral("start 分类清单报表 ")))
        << seen.log.first().toStdString();
    EXPECT_TRUE(seen.log.first().endsWith(QStringLiteral(" 0"))) << "counting without an end";
    EXPECT_EQ(seen.log.last(), QStringLiteral("finish"));
    ASSERT_FALSE(seen.labels.isEmpty());
    EXPECT_TRUE(seen.labels.last().startsWith(QStringLiteral("正在读取数据：已读取 ")))
        << seen.labels.last().toStdString();
}

// The program's dialog over the read (shown at once here): it shows the rows read so far, the window
// behind it repaints, and its Escape stops the read, which fails as cancelled.
TEST(ReadProgress, TheProgramsDialogShowsTheRowsAndItsEscapeStopsTheRead) {
    TestDatabase t;
    const DialogAtOnce atOnce;
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QApplication::processEvents();
    PaintCounter painted;
    owner.installEventFilter(&painted);
    Seen seen;
    QString shownLabel;
    seen.onValue = [&](int) {
        owner.update();
        QProgressDialog* dialog = shownProgressDialog();
        if (!dialog || painted.paints == 0)
            return true;
        const auto* label = dialog->findChild<QLabel*>();
        if (label && label->text().contains(QStringLiteral("已读取"))) {
            shownLabel = label->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
        return true;
    };
    const auto hook = seenDisplays(seen, true);
    {
        ReadProgress progress(t.db(), &owner, QStringLiteral("所有客户"));
        EXPECT_FALSE(t.db().GetRS(sortedNumbers(1000000)));
        EXPECT_TRUE(progress.cancelled());
    }
    EXPECT_GT(painted.paints, 0) << "the window behind the dialog repaints during the read";
    EXPECT_TRUE(shownLabel.startsWith(QStringLiteral("正在读取数据：已读取 "))) << shownLabel.toStdString();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(shownProgressDialog(), nullptr);
    EXPECT_TRUE(t.db().GetRS(QStringLiteral("select name from manage_module")));
}

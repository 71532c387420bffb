// Which windows reload when the user opens, switches and closes child windows of the main window: only
// the list the user goes to runs its query again.
#include "core/Globals.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"
#include "customers/CustomerForms.h"
#include "lists/ListForms.h"
#include "reports/ReportForms.h"
#include "shell/MDIMain.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/MemoryRelease.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

// The captions of the customer lists whose query ran, one entry per run.
class ListQueryLog {
public:
    ListQueryLog()
        : m_hook(clsMDB::queryObserver(), [this](const QString& sql) {
              if (sql.startsWith(QLatin1String("SELECT ciid,sign_date,nextdate")))
                  m_runs << (sql.contains(QLatin1String("Nextdate<")) ? QStringLiteral("管理提醒")
                                                                      : QStringLiteral("所有客户"));
          }) {}
    std::string take() { return std::exchange(m_runs, {}).join(u',').toStdString(); }

private:
    QStringList m_runs;
    ScopedHook<void(const QString&)> m_hook;
};

void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::sendPostedEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // closed windows go
        QApplication::processEvents();
    }
}

class WindowSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SampleData::fillCustomers(m_db.db(), 200));
        gMDB = &m_db.db();
        m_app = std::make_unique<clsApp>(m_db.db());
        gApp = m_app.get();
        ASSERT_TRUE(m_app->CheckUserPassword(QStringLiteral("veziz"), QStringLiteral("123456")));
        registerListForms();
        registerCustomerForms();
        registerReportForms();
        m_main = std::make_unique<MDIMain>();
        gMDIMain = m_main.get();
        m_main->resize(1200, 800);
        m_main->show();
        QApplication::setActiveWindow(m_main.get());
        settle();
    }
    void TearDown() override {
        m_main.reset();
        gMDIMain = nullptr;
        gApp = nullptr;
        gMDB = nullptr;
    }
    QMdiSubWindow* child(const QString& caption) const {
        for (QMdiSubWindow* sub : m_main->mdiArea()->subWindowList())
            if (sub->windowTitle() == caption || (sub->widget() && sub->widget()->windowTitle() == caption))
                return sub;
        return nullptr;
    }

    TestDatabase m_db;
    std::unique_ptr<clsApp> m_app;
    std::unique_ptr<MDIMain> m_main;
    MessageRecorder m_messages;
    // The report's condition dialog runs its query (the button "查询"); any other dialog closes at once.
    ScopedHook<int(QDialog&)> m_modal{ModalRunner::handler(), [](QDialog& dialog) {
                                          if (auto* query =
                                                  dialog.findChild<QPushButton*>(QStringLiteral("cmdOK_0")))
                                              query->click();
                                          return int(QDialog::Rejected);
                                      }};
};

TEST_F(WindowSwitchTest, OnlyTheWindowTheUserGoesToRunsItsListQuery) {
    ListQueryLog log;
    m_main->OpenReportNode(QStringLiteral("管理提醒"));
    settle();
    EXPECT_EQ(log.take(), "管理提醒") << "the first list on its opening";

    m_main->OpenReportNode(QStringLiteral("所有客户"));
    settle();
    EXPECT_EQ(log.take(), "所有客户") << "a second list: the first stays as it is";

    m_main->OpenReportNode(QStringLiteral("分类清单"));
    settle();
    ASSERT_NE(child(QStringLiteral("分类清单报表")), nullptr);
    EXPECT_EQ(log.take(), "") << "a report window and its condition dialog over the lists";

    m_main->mdiArea()->setActiveSubWindow(child(QStringLiteral("所有客户")));
    settle();
    EXPECT_EQ(log.take(), "所有客户") << "the user switches back";

    QDialog dialog;
    ModalRunner::run(dialog);
    settle();
    EXPECT_EQ(log.take(), "") << "a dialog over the list";

    m_main->OpenReportNode(QStringLiteral("管理提醒")); // the open window comes forward
    settle();
    EXPECT_EQ(log.take(), "管理提醒");

    child(QStringLiteral("管理提醒"))->close();
    settle();
    EXPECT_EQ(log.take(), "") << "a window closes over the others";
    EXPECT_TRUE(m_messages.empty()) << m_messages.texts().join(u'\n').toStdString();
}

} // namespace

namespace {

TEST_F(WindowSwitchTest, MemoryGoesBackOnceAClosedWindowIsGone) {
    m_main->OpenReportNode(QStringLiteral("所有客户"));
    m_main->OpenReportNode(QStringLiteral("分类清单"));
    settle();
    QPointer<QWidget> report = child(QStringLiteral("分类清单报表"))->widget();
    QPointer<QWidget> list = child(QStringLiteral("所有客户"))->widget();
    ASSERT_TRUE(report && list);

    std::vector<std::string> releases; // what was still there at each release
    ScopedHook<void()> hook(MemoryRelease::handler(), [&] {
        releases.push_back(
            QStringLiteral("report:%1 list:%2").arg(!report.isNull()).arg(!list.isNull()).toStdString());
    });
    child(QStringLiteral("分类清单报表"))->close();
    settle();
    EXPECT_EQ(releases, std::vector<std::string>{"report:0 list:1"});

    QDialog dialog;
    ModalRunner::run(dialog);
    settle();
    EXPECT_EQ(releases.size(), 2u) << "after a dialog";

    m_main->mdiArea()->closeAllSubWindows();
    settle();
    ASSERT_EQ(releases.size(), 3u) << "the windows closed together: one release";
    EXPECT_EQ(releases[2], "report:0 list:0");
}

} // namespace

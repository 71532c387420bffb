#include "app/Startup.h"
#include "core/AppInfo.h"
#include "core/Globals.h"
#include "core/ListWindowParams.h"
#include "core/LockWait.h"
#include "core/NodeCatalogue.h"
#include "core/ProgramEnd.h"
#include "core/Settings.h"
#include "shell/MDIMain.h"
#include "shell/frmBaseEnvCfg.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/DatabaseLockHolder.h"
#include "tests/fixtures/MessageRecorder.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/LockWaitWindow.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSysInfo>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Attempt {
    QString userId;
    QString password; // empty: press Cancel
};

// Answers the login dialog with the given attempts, one per showing, and records other dialogs.
class ScriptedDialogs {
public:
    explicit ScriptedDialogs(QList<Attempt> attempts)
        : m_attempts(std::move(attempts)), m_hook(ModalRunner::handler(), [this](QDialog& dialog) {
              if (auto* login = qobject_cast<frmLogin*>(&dialog)) {
                  const Attempt attempt = m_attempts.isEmpty() ? Attempt{} : m_attempts.takeFirst();
                  ++loginShown;
                  if (attempt.password.isEmpty()) {
                      login->cmdOK_Click(1);
                      return int(QDialog::Rejected);
                  }
                  login->txtUserName()->setText(attempt.userId);
                  login->txtPassWord()->setText(attempt.password);
                  login->cmdOK_Click(0);
                  return int(QDialog::Accepted);
              }
              shownDialogs << dialog.metaObject()->className();
              return int(QDialog::Rejected);
          }) {}

    int loginShown = 0;
    QStringList shownDialogs;

private:
    QList<Attempt> m_attempts;
    ScopedHook<int(QDialog&)> m_hook;
};

struct EndRecorder {
    int code = -1;
    ScopedHook<void(int)> hook{ProgramEnd::handler(), [this](int c) { code = c; }};
};

QStringList childTitles() {
    QStringList titles;
    for (QMdiSubWindow* child : gMDIMain->mdiArea()->subWindowList())
        titles << child->widget()->windowTitle();
    return titles;
}

// A fresh program folder with its database, every message recorded and the end of the program caught.
class StartupTest : public ::testing::Test {
protected:
    const QList<Attempt> rightLogin{{QStringLiteral("veziz"), QStringLiteral("123456")}};
    TestDatabase t;
    MessageRecorder messages;
    EndRecorder ended;
};

} // namespace

TEST_F(StartupTest, LoginShowsTheMainWindowAndTheReminderList) {
    ScriptedDialogs dialogs({{QStringLiteral("VEZIZ"), QStringLiteral("wrong")},
                             {QStringLiteral(" veziz "), QStringLiteral("123456")}});
    Startup startup;
    ASSERT_TRUE(startup.run()) << messages.texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(dialogs.loginShown, 2);
    ASSERT_EQ(messages.messages().size(), 1); // the wrong password, once
    EXPECT_EQ(ended.code, -1);
    EXPECT_EQ(gLoginName, QStringLiteral("veziz"));
    EXPECT_TRUE(startup.mainWindow()->isVisible());
    // A maximized child adds its caption to the main window's, as in any MDI program.
    EXPECT_TRUE(startup.mainWindow()->windowTitle().startsWith(AppInfo::ProgramTitle));
    EXPECT_GT(startup.mainWindow()->trvReport()->topLevelItemCount(), 0);
    EXPECT_EQ(childTitles(), QStringList{QStringLiteral("管理提醒")});
    EXPECT_TRUE(gMDIMain->mdiArea()->subWindowList().first()->isMaximized());
}

TEST_F(StartupTest, CancelAtLoginEndsTheProgram) {
    ScriptedDialogs dialogs(QList<Attempt>{Attempt{}});
    Startup startup;
    EXPECT_FALSE(startup.run());
    EXPECT_EQ(ended.code, 0);
    EXPECT_FALSE(startup.mainWindow()->isVisible());
    EXPECT_EQ(startup.mainWindow()->trvReport()->topLevelItemCount(), 0);
}

TEST_F(StartupTest, MissingFollowUpIntervalIsAnUnknownError) {
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("delete from info_parameter where name='回访周期'")));
    ScriptedDialogs dialogs(rightLogin);
    Startup startup;
    EXPECT_FALSE(startup.run());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.last().text, QStringLiteral("系统发生未知错误，不能运行！"));
    EXPECT_EQ(messages.last().icon, MsgIcon::Critical);
    EXPECT_EQ(messages.last().title, AppInfo::ProgramTitle);
    EXPECT_EQ(ended.code, 1);
}

TEST_F(StartupTest, AnEmptyFollowUpIntervalIsAccepted) {
    ASSERT_TRUE(t.db().ExecSQL(QStringLiteral("update info_parameter set remark='' where name='回访周期'")));
    ScriptedDialogs dialogs(rightLogin);
    Startup startup;
    EXPECT_TRUE(startup.run());
    EXPECT_TRUE(messages.empty());
}

TEST_F(StartupTest, ASecondInstanceSaysSoAndEndsAlone) {
    ScriptedDialogs dialogs(rightLogin);
    Startup first;
    ASSERT_TRUE(first.run());
    Startup second;
    EXPECT_FALSE(second.run());
    EXPECT_EQ(messages.last().text, QStringLiteral("这个程序正在运行！"));
    EXPECT_EQ(ended.code, 0);
    EXPECT_TRUE(first.mainWindow()->isVisible());
}

TEST_F(StartupTest, AFileThatCannotBeOpenedShowsItsDescriptionAndTheConfiguration) {
    t.db().CloseDatabase();
    QFile file(t.file());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
    file.close();
    ScriptedDialogs dialogs(QList<Attempt>{});
    Startup startup;
    EXPECT_FALSE(startup.run());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.messages().first().text,
              QStringLiteral("文件不是数据库，或者已经损坏：file is not a database"));
    EXPECT_EQ(messages.messages().first().title, AppInfo::ProgramTitle);
    EXPECT_EQ(dialogs.shownDialogs, QStringList{QStringLiteral("frmBaseEnvCfg")});
    EXPECT_EQ(ended.code, 0);
}

TEST_F(StartupTest, AnEntryOpenedOverTheMaximizedReminderListComesToTheFront) {
    ScriptedDialogs dialogs(rightLogin);
    Startup startup;
    ASSERT_TRUE(startup.run());
    QApplication::processEvents();
    gMDIMain->OpenReportNode(QStringLiteral("头衔"));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(gMDIMain->mdiArea()->activeSubWindow());
    EXPECT_EQ(gMDIMain->mdiArea()->activeSubWindow()->widget()->windowTitle(), QStringLiteral("头衔"));
    EXPECT_TRUE(gMDIMain->mdiArea()->activeSubWindow()->isMaximized());
}

// The reminder list start-up opens, field for field.
TEST_F(StartupTest, ReminderListParameters) {
    ScriptedDialogs dialogs(rightLogin);
    Startup startup;
    ASSERT_TRUE(startup.run());
    auto* list = dynamic_cast<IListWindow*>(gMDIMain->mdiArea()->subWindowList().first()->widget());
    ASSERT_TRUE(list);
    const ListWindowParams& p = list->listParams();
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(p.caption, QStringLiteral("管理提醒"));
    EXPECT_EQ(p.lbFormName, QStringLiteral("管理提醒"));
    EXPECT_EQ(
        p.txtFields,
        QStringLiteral(
            "company,address,sign_date,nextdate,typename,office_tel1,cardname,duty,mobile_tel1,fax,Status"));
    EXPECT_EQ(p.txtLblFields,
              QStringLiteral("客户名称|地址|登记日期|回访日期|分类|办公电话1|联系人|职位|手机1|传真|状态"));
    EXPECT_EQ(p.txtTableNameAndID, QStringLiteral("customer_info_view,ciid"));
    EXPECT_EQ(
        p.txtSQL,
        QStringLiteral("SELECT ciid,sign_date,nextdate,typename,company,address,office_tel1,cardname,duty,"
                       "mobile_tel1,fax,Status from customer_info_view where ((Nextdate< '") +
            today +
            QStringLiteral("') or ((Nextdate is null or Nextdate='') and dateadd('d',dateday,sign_date)< '") +
            today + QStringLiteral("')) order by nextdate desc,company"));
    EXPECT_EQ(p.txtTableSql, QStringLiteral("SELECT * from customer_info_view where 1=1"));
    EXPECT_EQ(
        p.HeadString,
        QStringLiteral(
            "编号|<登记日期|<回访日期|<分类|<客户名称|<地址|<办公电话1|<联系人|<职位|<手机1|<传真|<状态"));
    EXPECT_EQ(p.txtFieldWidth, QStringLiteral("80|120|140|200|300|500|200|200|120|140|140|120"));
    EXPECT_EQ(p.txtFrmName, QStringLiteral("frmAdd_client"));
}

// Who is due: a next visit before today, or, without a next visit date, registration plus the
// follow-up days before today.
TEST_F(StartupTest, ReminderListHoldsTheCustomersThatAreDue) {
    const QDate today = QDate::currentDate();
    auto day = [&](int offset) { return today.addDays(offset).toString(QStringLiteral("yyyy-MM-dd")); };
    const struct {
        const char* company;
        QVariant nextdate;
        QVariant signDate;
        QVariant dateday;
        int isdel;
        bool due;
    } customers[] = {
        {"下次回访已过", day(-1), day(0), QStringLiteral("30"), 0, true},
        {"下次回访今天", day(0), day(0), QStringLiteral("30"), 0, false},
        {"无回访日期但周期已过", QVariant(), day(-40), QStringLiteral("30"), 0, true},
        {"周期未到", day(5), day(-10), QStringLiteral("30"), 0, false},
        {"登记已久但刚回访", day(5), day(-400), QStringLiteral("30"), 0, false},
        {"回访日期为空且周期已过", QString(), day(-40), QStringLiteral("30"), 0, true},
        {"已删除", day(-5), day(-40), QStringLiteral("30"), 1, false},
    };
    for (const auto& c : customers)
        ASSERT_TRUE(t.db().ExecSQL(
            QStringLiteral("insert into customer_info (company, etid, nextdate, sign_date, dateday, "
                           "isdel) values (?, 2, ?, ?, ?, ?)"),
            {QString::fromUtf8(c.company), c.nextdate, c.signDate, c.dateday, c.isdel}));
    auto rs = t.db().GetRS(NodeCatalogue::reminderList(today).txtSQL);
    ASSERT_TRUE(rs);
    QStringList due;
    for (; !rs->Eof(); rs->MoveNext())
        due << rs->Text(QStringLiteral("company"));
    QStringList expected;
    for (const auto& c : customers)
        if (c.due)
            expected << QString::fromUtf8(c.company);
    std::sort(due.begin(), due.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(due, expected);
}

// The single-instance lock file as the folder holds it at start-up: what a start says or takes over.
TEST_F(StartupTest, TheInstanceLockSaysWhatIsWrongOrIsTakenOver) {
    const QString lockPath = QDir(t.folder()).filePath(QStringLiteral("crm.lock"));
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QString running = QStringLiteral("这个程序正在运行！");
    const QString noFolder = QStringLiteral("不能在程序所在的文件夹");
    struct Case {
        const char* what;
        std::function<void()> prepare;
        QString folder;  // the program's folder for the start; empty: the test's
        QString message; // the start of the message; empty: the start takes the lock and goes on
    };
    std::unique_ptr<QLockFile> other;
    const auto writeLock = [&](const QByteArray& content) {
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    };
    const QString missing = QDir(t.folder()).filePath(QStringLiteral("no/such/folder"));
    std::vector<Case> cases = {
        {"empty", [&] { writeLock(""); }, {}, {}},
        {"garbage", [&] { writeLock("\x01\xff garbage\n\n"); }, {}, {}},
        {"half written", [&] { writeLock("12"); }, {}, {}},
        {"a process that has ended", [&] { writeLock("99999999\nvelmora_crm\n" + host + "\n"); }, {}, {}},
        {"a running instance",
         [&] {
             other = std::make_unique<QLockFile>(lockPath);
             ASSERT_TRUE(other->tryLock(0));
         },
         {},
         running},
        {"a folder that is not there", [] {}, missing, noFolder},
    };
    // A folder that cannot be written to (a read-only file system here, since root writes anywhere else).
    if (!QFileInfo(QStringLiteral("/sys")).isWritable() &&
        !QFile(QStringLiteral("/sys/crm.lock")).open(QIODevice::WriteOnly))
        cases.push_back({"a read-only folder", [] {}, QStringLiteral("/sys"), noFolder});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        ended.code = -1;
        QFile::remove(lockPath);
        c.prepare();
        if (!c.folder.isEmpty())
            AppInfo::setProgramFolder(c.folder);
        ScriptedDialogs dialogs(rightLogin);
        {
            Startup startup;
            const bool ran = startup.run();
            AppInfo::setProgramFolder(t.folder());
            EXPECT_EQ(ran, c.message.isEmpty()) << messages.texts().join(u'|').toStdString();
            if (c.message.isEmpty()) {
                EXPECT_EQ(ended.code, -1);
                EXPECT_TRUE(messages.empty()) << messages.texts().join(u'|').toStdString();
                // The lock is this start's now: a further start is refused.
                QLockFile probe(lockPath);
                EXPECT_FALSE(probe.tryLock(0));
            } else {
                ASSERT_FALSE(messages.empty());
                EXPECT_TRUE(messages.messages().first().text.startsWith(c.message))
                    << messages.messages().first().text.toStdString();
                const bool namesFolder =
                    messages.messages().first().text.contains(QDir::toNativeSeparators(c.folder));
                EXPECT_TRUE(c.folder.isEmpty() || namesFolder);
                EXPECT_FALSE(dialogs.loginShown);
            }
        }
        other.reset();
    }
}

// A database that another program holds locked at start-up: the waiting window's button ends the wait,
// and start-up ends with the locked message and the configuration, as for any database it cannot open.
TEST_F(StartupTest, ALockedDatabaseShowsTheWaitingWindowWhoseButtonEndsTheStart) {
    LockWaitWindow::install();
    Settings::SaveSetting(AppInfo::ConfigSection, QStringLiteral("DB_TimeOut"), QStringLiteral("60"));
    t.db().CloseDatabase();
    DatabaseLockHolder other(t.file());
    ASSERT_TRUE(other.locked());
    bool shown = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<LockWaitWindow*>(w); window && window->isVisible()) {
                shown = true;
                window->cmdStopWaiting->click();
            }
    });
    poll.start(50);
    ScriptedDialogs dialogs(rightLogin);
    Startup startup;
    EXPECT_FALSE(startup.run());
    LockWait::waiting().install([](int) { return true; });
    LockWait::ended().install([] {});
    EXPECT_TRUE(shown);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.messages().first().text,
              QStringLiteral("数据库正被其他程序使用（已锁定）：database is locked"));
    EXPECT_EQ(messages.messages().first().title, AppInfo::ProgramTitle);
    EXPECT_EQ(dialogs.shownDialogs, QStringList{QStringLiteral("frmBaseEnvCfg")});
    EXPECT_EQ(dialogs.loginShown, 0);
    EXPECT_EQ(ended.code, 0);
}

#include "app/Startup.h"
#include "app/FormRegistration.h"
#include "core/AppInfo.h"
#include "core/DbError.h"
#include "core/Globals.h"
#include "core/ListWindowParams.h"
#include "core/Messages.h"
#include "core/NodeCatalogue.h"
#include "core/ProgramEnd.h"
#include "core/clsApp.h"
#include "core/clsMDB.h"
#include "shell/ApplicationShell.h"
#include "shell/MDIMain.h"
#include "shell/frmBaseEnvCfg.h"
#include "ui/FormFactory.h"
#include "ui/ModalRunner.h"

#include <QDir>
#include <stdexcept>

namespace {

// Start-up refuses to go on; the caller shows the unknown-error message.
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void endWithUnknownError() {
    Messages::show(QStringLiteral("系统发生未知错误，不能运行！"), MsgIcon::Critical, MsgButtons::OK,
                   AppInfo::ProgramTitle);
    ProgramEnd::end(1);
}

} // namespace

QString BlankIfEmpty(const QString& text) {
    return text.isEmpty() ? QStringLiteral(" ") : text.trimmed();
}

Startup::Startup() = default;

Startup::~Startup() {
    // The main window goes first: its children may still use the global objects.
    m_main.reset();
    gMDIMain = nullptr;
    gApp = nullptr;
    gMDB = nullptr;
}

bool Startup::run() {
    try {
        if (!ensureSingleInstance())
            return false;
        registerAllForms();
        m_main = std::make_unique<MDIMain>();
        gMDIMain = m_main.get();
        if (!openDatabase() || !logIn())
            return false;
        readFollowUpParameter();
        openReminderList();
        return true;
    } catch (const std::exception&) {
        endWithUnknownError();
        return false;
    }
}

// A lock file in the program's folder: a second start finds it held by the first, which keeps running.
bool Startup::ensureSingleInstance() {
    const QString folder = AppInfo::programFolder();
    m_instanceLock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("crm.lock")));
    m_instanceLock->setStaleLockTime(0); // a lock left by a crashed run is taken over by its process id
    if (m_instanceLock->tryLock(0))
        return true;
    if (m_instanceLock->error() != QLockFile::LockFailedError) {
        // Not another instance: the folder does not let the lock file be made.
        Messages::show(
            QStringLiteral("不能在程序所在的文件夹“%1”中建立锁文件，程序不能运行！请检查这个文件夹是否"
                           "存在、是否允许写入。")
                .arg(QDir::toNativeSeparators(folder)),
            MsgIcon::Critical, MsgButtons::OK, AppInfo::ProgramTitle);
        ProgramEnd::end(1);
        return false;
    }
    // A lock file that names no process (left empty or half written by a run that was killed while
    // writing it) is stale like one naming a process that has ended. A running instance keeps its file
    // locked, so it cannot be taken from it.
    qint64 pid = 0;
    QString host, application;
    if (!m_instanceLock->getLockInfo(&pid, &host, &application) && m_instanceLock->removeStaleLockFile() &&
        m_instanceLock->tryLock(0))
        return true;
    Messages::show(QStringLiteral("这个程序正在运行！"), MsgIcon::Critical);
    ProgramEnd::end(0);
    return false;
}

bool Startup::openDatabase() {
    m_db = std::make_unique<clsMDB>();
    m_app = std::make_unique<clsApp>(*m_db);
    gMDB = m_db.get();
    gApp = m_app.get();
    QString error;
    // The one opening that makes the database when there is none.
    if (m_db->OpenDatabase(error, clsMDB::OpenMode::CreateFromSchema))
        return true;
    Messages::show(error.isEmpty() ? QStringLiteral("系统连接数据库失败！") : error, MsgIcon::Critical,
                   MsgButtons::OK, AppInfo::ProgramTitle);
    frmBaseEnvCfg config;
    ModalRunner::run(config);
    ProgramEnd::end(0);
    return false;
}

bool Startup::logIn() {
    m_main->setWindowTitle(AppInfo::ProgramTitle);
    if (!ApplicationShell::UserLogin(*m_app)) {
        ApplicationShell::ClearReportLise(*m_main->trvReport());
        return false;
    }
    gLoginName = m_app->LoginName();
    ApplicationShell::LoadReportList(*m_app, *m_main->trvReport());
    m_main->show();
    ApplicationShell::InitStatusBar(*m_app, *m_main->statusBar());
    m_main->tblReportHead()->update();
    return true;
}

// The follow-up interval must be there for the program to run, though nothing uses it here.
void Startup::readFollowUpParameter() {
    clsMDB db;
    QString error;
    if (!db.OpenDatabase(error))
        throw StartupError(error.toStdString());
    const auto rs = db.GetRS(QStringLiteral("select remark from info_parameter where name='回访周期'"));
    if (!rs || rs->Eof() || rs->Fields(0).isNull())
        throw StartupError("no follow-up interval");
    QString days = BlankIfEmpty(rs->Fields(0).toString());
    if (days.trimmed().isEmpty())
        days = QStringLiteral("0");
    db.CloseDatabase();
}

void Startup::openReminderList() {
    QWidget* window = FormFactory::create(NodeCatalogue::CustomerListForm);
    auto* list = dynamic_cast<IListWindow*>(window);
    if (!list)
        throw StartupError("no customer list window");
    const ListWindowParams params = NodeCatalogue::reminderList();
    window->setWindowTitle(params.caption);
    list->setListParams(params);
    m_main->showChild(window);
}

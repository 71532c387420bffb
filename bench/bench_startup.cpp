// links: crm_app
// Start-up times as a user meets them: from the process start to the login dialog on the screen, and
// from pressing OK to the reminder list filled, over a database of 100,000 customers.
#include "app/Startup.h"
#include "core/Globals.h"
#include "lists/frmDBListPact.h"
#include "shell/MDIMain.h"
#include "shell/frmLogin.h"
#include "tests/fixtures/SampleData.h"
#include "tests/fixtures/TestDatabase.h"
#include "ui/DataGrid.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds since the kernel started this process (from /proc; 10 ms resolution).
double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat")), uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray statText = stat.readAll();
    const QList<QByteArray> fields = statText.mid(statText.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / sysconf(_SC_CLK_TCK)) * 1000.0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const double toApplication = msSinceProcessStart();
    const int customers = 100000;

    double toLogin = 0;
    Clock::time_point okPressed;
    ScopedHook<int(QDialog&)> modal(ModalRunner::handler(), [&](QDialog& dialog) {
        auto* login = qobject_cast<frmLogin*>(&dialog);
        if (!login)
            return int(QDialog::Rejected);
        login->show();
        QApplication::processEvents();
        toLogin = msSinceProcessStart();
        login->txtUserName()->setText(QStringLiteral("veziz"));
        login->txtPassWord()->setText(QStringLiteral("123456"));
        okPressed = Clock::now();
        login->cmdOK_Click(0);
        return int(QDialog::Accepted);
    });

    // The database is filled beforehand and its time left out of the first figure.
    const auto prepareStart = Clock::now();
    TestDatabase t;
    if (!SampleData::fillCustomers(t.db(), customers))
        return 1;
    t.db().CloseDatabase();

    const auto startupBegin = Clock::now();
    Startup startup;
    if (!startup.run())
        return 1;
    QApplication::processEvents();
    const double loginToList = std::chrono::duration<double, std::milli>(Clock::now() - okPressed).count();
    const double prepareMs = std::chrono::duration<double, std::milli>(startupBegin - prepareStart).count();
    const double startupToLogin = toLogin - prepareMs;

    int rows = -1;
    for (QMdiSubWindow* child : gMDIMain->mdiArea()->subWindowList())
        if (auto* list = qobject_cast<frmDBListPact*>(child->widget()))
            rows = list->dbView->Rows() - 1;
    std::printf("process start to QApplication:        %8.0f ms\n", toApplication);
    std::printf(
        "process start to login dialog shown:  %8.0f ms (preparing the database, %.0f ms, left out)\n",
        startupToLogin, prepareMs);
    std::printf("login OK to reminder list filled:     %8.0f ms (%d rows of %d customers)\n", loginToList,
                rows, customers);
    return 0;
}

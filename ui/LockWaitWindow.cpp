#include "ui/LockWaitWindow.h"
#include "core/AppInfo.h"
#include "core/LockWait.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace {

// The one window of the current wait; a wait inside a wait (another window's timer) shares it.
QPointer<LockWaitWindow>& current() {
    static QPointer<LockWaitWindow> window;
    return window;
}

bool keepWaiting(int elapsedMs) {
    if (elapsedMs < LockWaitWindow::ShowAfterMs ||
        !qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QThread::msleep(20);
        return true;
    }
    QPointer<LockWaitWindow>& window = current();
    if (!window) {
        window = new LockWaitWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        window->raise();
    }
    // Keeps the window alive (and its button clickable) between the retries.
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(20);
    return window && !window->stopRequested();
}

void waitEnded() {
    if (QPointer<LockWaitWindow>& window = current())
        window->close();
}

} // namespace

LockWaitWindow::LockWaitWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLockWait"));
    setWindowTitle(AppInfo::ProgramTitle);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint & ~Qt::WindowCloseButtonHint);
    // Nothing else of the program takes input while it waits.
    setWindowModality(Qt::ApplicationModal);
    lblWaiting = new QLabel(QStringLiteral("数据库正被其他程序使用，程序正在等待它释放……"), this);
    lblWaiting->setObjectName(QStringLiteral("lblWaiting"));
    cmdStopWaiting = new QPushButton(QStringLiteral("停止等待(&S)"), this);
    cmdStopWaiting->setObjectName(QStringLiteral("cmdStopWaiting"));
    connect(cmdStopWaiting, &QPushButton::clicked, this, [this] {
        m_stop = true;
        cmdStopWaiting->setEnabled(false);
    });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->setSpacing(12);
    layout->addWidget(lblWaiting);
    layout->addWidget(cmdStopWaiting, 0, Qt::AlignHCenter);
}

void LockWaitWindow::install() {
    LockWait::waiting().install(keepWaiting);
    LockWait::ended().install(waitEnded);
}

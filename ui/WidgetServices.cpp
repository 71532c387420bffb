#include "ui/WidgetServices.h"
#include "core/FileDialogs.h"
#include "core/ShellOpen.h"
#include "core/WaitCursor.h"
#include "ui/LockWaitWindow.h"
#include "ui/MessageBoxService.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>

namespace {

QString askUser(QWidget* parent, const FileDialogs::Request& request) {
    switch (request.kind) {
    case FileDialogs::Kind::SaveFile:
        return QFileDialog::getSaveFileName(parent, request.caption, request.startPath, request.filter);
    case FileDialogs::Kind::OpenFile:
        return QFileDialog::getOpenFileName(parent, request.caption, request.startPath, request.filter);
    case FileDialogs::Kind::Folder:
        break;
    }
    return QFileDialog::getExistingDirectory(parent, request.caption, request.startPath);
}

void showWaitCursor(bool on) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace

void installWidgetServices() {
    installMessageBox();
    FileDialogs::handler().install(askUser);
    ShellOpen::handler().install([](const QUrl& url) { return QDesktopServices::openUrl(url); });
    WaitCursor::handler().install(showWaitCursor);
    LockWaitWindow::install();
}

#include "shell/FileDialogs.h"

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

} // namespace

namespace FileDialogs {

ServiceHook<QString(QWidget*, const Request&)>& handler() {
    static ServiceHook<QString(QWidget*, const Request&)> hook(askUser);
    return hook;
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                        const QString& filter) {
    return handler()(parent, Request{Kind::SaveFile, caption, startPath, filter});
}

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& startPath,
                        const QString& filter) {
    return handler()(parent, Request{Kind::OpenFile, caption, startPath, filter});
}

QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& startPath) {
    return handler()(parent, Request{Kind::Folder, caption, startPath, QString()});
}

} // namespace FileDialogs

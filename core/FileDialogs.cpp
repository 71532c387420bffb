#include "core/FileDialogs.h"

namespace FileDialogs {

ServiceHook<QString(QWidget*, const Request&)>& handler() {
    // Without a screen nothing is chosen.
    static ServiceHook<QString(QWidget*, const Request&)> hook(
        [](QWidget*, const Request&) { return QString(); });
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

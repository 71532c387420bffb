#pragma once
#include "core/ServiceHook.h"

#include <QString>

class QWidget; // the owner of the picker, where a window asks

// The file pickers (save, open, folder). Tests install a handler that answers with a path.
namespace FileDialogs {

enum class Kind { SaveFile, OpenFile, Folder };

struct Request {
    Kind kind = Kind::OpenFile;
    QString caption;
    QString startPath;
    QString filter;
};

// Answers the chosen path, or empty text when the user cancels.
ServiceHook<QString(QWidget*, const Request&)>& handler();

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                        const QString& filter);
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& startPath,
                        const QString& filter);
QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& startPath = QString());

} // namespace FileDialogs

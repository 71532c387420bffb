#pragma once
#include <QByteArray>
#include <QString>

// Copying a file stored in the database (a BLOB field) to a file and back.
namespace AttachmentFiles {

// Writes the field's bytes into the file; false when it cannot be written (no partial file stays).
bool SaveFieldToFile(const QByteArray& field, const QString& path);
// Reads the whole file into the field; false when it cannot be read.
bool SaveFileToField(QByteArray& field, const QString& path);

// The path of the copy of a stored file in the program's temporary folder (made when missing): the
// stored name without any folder part, so a name cannot point outside the folder. Empty when the
// name holds no file name or the folder cannot be made.
QString tempCopyPath(const QString& storedName);

// Opens a saved copy with the desktop's program for its kind. When no program opens it the user is
// told where the file was saved ("没有可以打开此文件的程序，文件已保存在：<path>") and false comes back.
bool openCopy(const QString& path);

} // namespace AttachmentFiles

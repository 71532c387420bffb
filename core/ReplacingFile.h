#pragma once
#include <QIODevice>
#include <QString>

// A new file written beside the file it is to replace, under a passing name
// ("<target>.XXXXXX.part"), which takes the target's place only once it is complete and on the disk:
// until then an earlier file of the target's name stays as it was, and a failed or cancelled write
// leaves nothing behind. Unlike QSaveFile it keeps the system's error number of a failure, so that
// the user is told its reason in the program's words (failureReason) whatever the system's language.
class ReplacingFile : public QIODevice {
    Q_OBJECT
public:
    explicit ReplacingFile(QString target, QObject* parent = nullptr);
    ~ReplacingFile() override;

    // The passing file takes the permissions of this file instead of those of an earlier target (a
    // copy of a file keeps the original's); set before open.
    void setPermissionsFrom(const QString& file) { m_permissionsFrom = file; }
    // Makes the passing file (with the permissions of an earlier target, if there is one); only
    // writing is possible. A writer of its own (a database engine) may fill the file under
    // passingName() instead, closing it before commit.
    bool open(OpenMode mode = WriteOnly) override;
    bool isSequential() const override { return true; }
    // Puts what was written on the disk and gives it the target's name; false (the passing file
    // removed) when any step of the write failed.
    bool commit();
    // Drops what was written; closing the file without commit does the same.
    void cancelWriting();
    void close() override { cancelWriting(); }

    const QString& target() const { return m_target; }
    const QString& passingName() const { return m_passing; }
    // The errno value of the first failure; 0 while there is none.
    int errorNumber() const { return m_error; }
    // Its reason in the program's words, naming the target or its folder.
    QString failure() const;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    void fail(int error);
    void closeDescriptor();

    QString m_target;
    QString m_passing;
    QString m_permissionsFrom;
    int m_fd = -1;
    int m_error = 0;
};

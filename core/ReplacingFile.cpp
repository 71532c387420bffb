#include "core/ReplacingFile.h"
#include "core/FailureReason.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString PartSuffix = QStringLiteral(".part");

// Six letters or digits, as mkstemp takes them.
QString randomLetters() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString text;
    for (int i = 0; i < 6; ++i)
        text += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return text;
}

} // namespace

ReplacingFile::ReplacingFile(QString target, QObject* parent)
    : QIODevice(parent), m_target(std::move(target)) {}

ReplacingFile::~ReplacingFile() {
    cancelWriting();
}

bool ReplacingFile::open(OpenMode mode) {
    if (isOpen() || !(mode & WriteOnly) || (mode & ReadOnly)) {
        fail(EINVAL);
        return false;
    }
    m_error = 0;
    const QByteArray target = QFile::encodeName(m_target);
    struct stat earlier {};
    const bool replaces = ::stat(target.constData(), &earlier) == 0;
    if (replaces && S_ISDIR(earlier.st_mode)) {
        fail(EISDIR);
        return false;
    }
    struct stat model = earlier;
    const bool modelled = m_permissionsFrom.isEmpty()
                              ? replaces
                              : ::stat(QFile::encodeName(m_permissionsFrom).constData(), &model) == 0;
    // A name of its own, made without a race: another file of that name makes the next one be tried.
    for (int tries = 0; m_fd < 0 && tries < 100; ++tries) {
        m_passing = m_target + QLatin1Char('.') + randomLetters() + PartSuffix;
        m_fd =
            ::open(QFile::encodeName(m_passing).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        fail(errno);
        m_passing.clear();
        return false;
    }
    // The new file takes the place of the earlier one with its permissions, as a file written in place.
    if (modelled && ::fchmod(m_fd, model.st_mode & 07777) != 0) {
        fail(errno);
        cancelWriting();
        return false;
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

qint64 ReplacingFile::writeData(const char* data, qint64 size) {
    if (m_fd < 0 || m_error != 0)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t written = ::write(m_fd, data + done, size_t(size - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return -1;
        }
        done += written;
    }
    return done;
}

bool ReplacingFile::commit() {
    if (m_fd < 0) {
        if (m_error == 0)
            fail(EBADF);
        return false;
    }
    // A full disk may answer only when the data is put on it, or when the file is closed.
    if (m_error == 0 && ::fsync(m_fd) != 0)
        fail(errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0 && m_error == 0)
        fail(errno);
    if (m_error == 0 &&
        ::rename(QFile::encodeName(m_passing).constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(errno);
    QIODevice::close();
    if (m_error != 0) {
        QFile::remove(m_passing);
        m_passing.clear();
        return false;
    }
    m_passing.clear();
    return true;
}

void ReplacingFile::cancelWriting() {
    closeDescriptor();
    if (!m_passing.isEmpty())
        QFile::remove(std::exchange(m_passing, QString()));
    if (isOpen())
        QIODevice::close();
}

QString ReplacingFile::failure() const {
    return m_error == 0 ? QString() : failureReason(FailureCode::system(m_error), m_target);
}

void ReplacingFile::fail(int error) {
    if (m_error == 0)
        m_error = error;
    setErrorString(failure());
}

void ReplacingFile::closeDescriptor() {
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

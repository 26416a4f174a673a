#include "ports/TableFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondrel {

void FailFile(const QString& file, const QString& what) {
    throw TableError(QStringLiteral("%1: %2").arg(file, what).toStdString());
}

QString ResolveCase(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) return info.absoluteFilePath();
    const QDir dir = info.absoluteDir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.absoluteFilePath(name);
    return info.absoluteFilePath();
}

namespace {

QString KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

QString SystemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

void ReadRegularFileInPieces(const QString& path, const QString& what, qint64 maxBytes,
                             qint64 pieceBytes, const FilePieces& take, bool* changed) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0) {
        const int error = errno;
        if (error == ENOENT) FailFile(path, QStringLiteral("%1 is missing").arg(what));
        FailFile(path, QStringLiteral("%1 cannot be read (%2)").arg(what, SystemError(error)));
    }
    if (!S_ISREG(before.st_mode))
        FailFile(path, QStringLiteral("%1 is %2, not a file").arg(what, KindOf(before.st_mode)));

    // O_NONBLOCK: should a FIFO take the file's place after the check, opening it does not wait
    // for a writer; fstat below refuses it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        FailFile(path, QStringLiteral("%1 cannot be read (%2)").arg(what, SystemError(errno)));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        FailFile(path, QStringLiteral("%1 cannot be read (%2)").arg(what, file.errorString()));
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode))
        FailFile(path, QStringLiteral("%1 is not a regular file").arg(what));
    if (opened.st_size > maxBytes)
        FailFile(path, QStringLiteral("%1 is too large (%2 bytes; at most %3 are accepted)")
                           .arg(what)
                           .arg(qint64(opened.st_size))
                           .arg(maxBytes));
    // Exactly the size found, in pieces of one buffer: never more than a piece is held.
    const qint64 size = opened.st_size;
    QByteArray piece(
        qsizetype(std::min(std::max<qint64>(pieceBytes, 1), std::max<qint64>(size, 1))),
        Qt::Uninitialized);
    qint64 at = 0;
    bool shortRead = false;
    while (at < size) {
        const qint64 want = std::min<qint64>(piece.size(), size - at);
        const qint64 got = file.read(piece.data(), want);
        if (got < 0)
            FailFile(path, QStringLiteral("%1 cannot be read (%2)").arg(what, file.errorString()));
        if (got == 0) {
            shortRead = true;
            break;
        }
        take(QByteArrayView(piece.constData(), got), at, size);
        at += got;
    }
    char extra = 0;
    const bool grew = file.read(&extra, 1) == 1;
    struct stat after {};
    const bool same = ::fstat(fd, &after) == 0 && after.st_size == opened.st_size &&
                      after.st_mtim.tv_sec == opened.st_mtim.tv_sec &&
                      after.st_mtim.tv_nsec == opened.st_mtim.tv_nsec;
    if (changed) {
        *changed = !same || grew || shortRead;
        return;
    }
    if (shortRead || grew) FailFile(path, QStringLiteral("%1 changed while it was read").arg(what));
}

QByteArray ReadRegularFile(const QString& path, const QString& what, qint64 maxBytes,
                           bool* changed) {
    QByteArray bytes;
    ReadRegularFileInPieces(
        path, what, maxBytes, 64 * 1024,
        [&](QByteArrayView piece, qint64, qint64 size) {
            if (bytes.isEmpty()) bytes.reserve(qsizetype(size));
            bytes.append(piece);
        },
        changed);
    return bytes;
}

QString ClearDeadLock(const QString& lockPath) {
    const QFileInfo info(lockPath);
    if (!info.exists() && !info.isSymLink()) return {};
    if (!info.isFile()) return QStringLiteral("%1 is not a regular file; remove it").arg(lockPath);
    // A lock is being written the instant it is made: only an old one is judged by its content.
    const bool old = info.lastModified().secsTo(QDateTime::currentDateTime()) > 5;
    QFile file(lockPath);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QList<QByteArray> lines = file.read(1024).split('\n');
    file.close();
    bool isNumber = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&isNumber);
    const bool aLock = isNumber && pid > 0 && lines.size() >= 3;
    if (!aLock) {
        if (old) QFile::remove(lockPath);
        return {};
    }
    const bool here = QString::fromUtf8(lines.value(2).trimmed()) == QSysInfo::machineHostName();
    if (here && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) QFile::remove(lockPath);
    return {};
}

} // namespace ondrel

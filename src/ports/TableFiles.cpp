#include "TableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
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

QByteArray ReadRegularFile(const QString& path, const QString& what, qint64 maxBytes,
                           bool* changed) {
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
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
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
    // Exactly the size found: a buffer of the cap would cost its whole allocation every time.
    QByteArray bytes = file.read(opened.st_size);
    const bool grew = !file.read(1).isEmpty();
    if (file.error() != QFileDevice::NoError)
        FailFile(path, QStringLiteral("%1 cannot be read (%2)").arg(what, file.errorString()));
    struct stat after {};
    const bool same = ::fstat(fd, &after) == 0 && after.st_size == opened.st_size &&
                      after.st_mtim.tv_sec == opened.st_mtim.tv_sec &&
                      after.st_mtim.tv_nsec == opened.st_mtim.tv_nsec;
    if (changed) {
        *changed = !same || grew || bytes.size() != opened.st_size;
        return bytes;
    }
    if (bytes.size() != opened.st_size || grew)
        FailFile(path, QStringLiteral("%1 changed while it was read").arg(what));
    return bytes;
}

} // namespace ondrel

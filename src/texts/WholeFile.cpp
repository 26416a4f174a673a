#include "texts/WholeFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace ondrel {

namespace {

// Qt's reason, or the system's where Qt has none to give (a file-size limit).
QString Reason(const QSaveFile& file, int error) {
    const QString qt = file.errorString();
    if (error != 0 && (qt.isEmpty() || qt == QLatin1String("Unknown error")))
        return QString::fromLocal8Bit(std::strerror(error));
    return qt;
}

} // namespace

QString WriteWholeFile(const QString& file, const QByteArray& bytes) {
    const QFileInfo existing(file);
    if (existing.exists() && !existing.isFile())
        return QStringLiteral("not a regular file; nothing was written");
    if (existing.exists() && !existing.isWritable())
        return QStringLiteral("the file is read-only; nothing was written");
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return out.errorString();
    errno = 0;
    if (out.write(bytes) != bytes.size() || !out.flush()) {
        const QString reason = Reason(out, errno);
        out.cancelWriting();
        return reason + QStringLiteral("; nothing was written");
    }
    errno = 0;
    if (!out.commit()) return Reason(out, errno) + QStringLiteral("; nothing was written");
    return {};
}

} // namespace ondrel

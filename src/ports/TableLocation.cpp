#include "ports/TableLocation.h"

#include "ports/TableFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace ondrel {

namespace {

const QStringList kTableFiles{QStringLiteral("ports.dbf"), QStringLiteral("ports.tags"),
                              QStringLiteral("harmonics.bin")};

bool HasTable(const QString& dir) {
    return QFileInfo::exists(QDir(dir).filePath(QStringLiteral("ports.dbf")));
}

// Copies one file through a temporary name so that an interrupted copy leaves nothing half done.
bool CopyAtomically(const QString& from, const QString& to, QString* error) {
    const QString partial = to + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial)) {
        *error = QStringLiteral("cannot copy %1 to %2").arg(from, partial);
        return false;
    }
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    QFile::remove(to);
    if (!QFile::rename(partial, to)) {
        *error = QStringLiteral("cannot write %1").arg(to);
        return false;
    }
    return true;
}

} // namespace

QString ProgramDirectory() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // A program that makes no QCoreApplication (ondrel-cli): the system says which file runs.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

QString BundledTableDirectory() {
    // Installed: <prefix>/bin/ondrel and <prefix>/share/ondrel. In the build tree the programs sit
    // one level deeper (build/src/cli, build/src/app) and the build copies the table to
    // build/share/ondrel. A folder "data" beside the program serves a copied-out program.
    const QString programDir = ProgramDirectory();
    if (programDir.isEmpty()) return {};
    const QDir appDir(programDir);
    const QString candidates[] = {appDir.filePath(QStringLiteral("../share/ondrel")),
                                  appDir.filePath(QStringLiteral("../../share/ondrel")),
                                  appDir.filePath(QStringLiteral("data"))};
    for (const QString& dir : candidates)
        if (HasTable(dir)) return QDir(dir).canonicalPath();
    return {};
}

QString CompanionToRead(const QString& tablePath, const QString& fileName) {
    const QString beside = QFileInfo(tablePath).absoluteDir().filePath(fileName);
    if (QFileInfo::exists(beside)) return beside;
    const QString bundled = BundledTableDirectory();
    const QString shipped = bundled.isEmpty() ? QString() : QDir(bundled).filePath(fileName);
    return !shipped.isEmpty() && QFileInfo::exists(shipped) ? shipped : beside;
}

QString UserTableDirectory() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Ondrel"));
}

TableLocation LocatePortTable(const QString& workingDir) {
    if (HasTable(workingDir)) return {QDir(workingDir).filePath(QStringLiteral("ports.dbf")), {}};
    const QString userDir = UserTableDirectory();
    if (HasTable(userDir)) {
        // A table seeded by an earlier version of the program gets the harmonic data beside it.
        const QString companion = QDir(userDir).filePath(kTableFiles[2]);
        const QString bundled = BundledTableDirectory();
        if (!QFileInfo::exists(companion) && !bundled.isEmpty() &&
            QFileInfo::exists(QDir(bundled).filePath(kTableFiles[2]))) {
            QString ignored; // without it the table model serves, and says so
            CopyAtomically(QDir(bundled).filePath(kTableFiles[2]), companion, &ignored);
        }
        return {QDir(userDir).filePath(QStringLiteral("ports.dbf")), {}};
    }

    const QString bundled = BundledTableDirectory();
    if (bundled.isEmpty())
        return {{},
                QStringLiteral("no ports.dbf in %1 or %2, and no table shipped with the program")
                    .arg(workingDir, userDir)};
    if (!QDir().mkpath(userDir)) return {{}, QStringLiteral("cannot create %1").arg(userDir)};
    // The copy is a write of the table like any other: one writer at a time, and a copy made
    // meanwhile by another Ondrel (perhaps already holding its ports) is never replaced.
    const QString lockPath = QDir(userDir).filePath(QStringLiteral("ports.lock"));
    if (const QString problem = ClearDeadLock(lockPath); !problem.isEmpty()) return {{}, problem};
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(10000))
        return {{}, QStringLiteral("%1 is locked by another Ondrel").arg(userDir)};
    if (HasTable(userDir)) return {QDir(userDir).filePath(QStringLiteral("ports.dbf")), {}};
    QString error;
    // The tag file and the harmonic data first: the table only counts as present once ports.dbf
    // is there.
    for (const QString& name : {kTableFiles[1], kTableFiles[2], kTableFiles[0]}) {
        const QString from = QDir(bundled).filePath(name);
        if (!QFileInfo::exists(from)) continue;
        if (!CopyAtomically(from, QDir(userDir).filePath(name), &error)) return {{}, error};
    }
    return {QDir(userDir).filePath(QStringLiteral("ports.dbf")), {}};
}

} // namespace ondrel

// Fuzz target: harmonics.bin, the port table's companion, read the way the program reads it:
// opened, then every port's constants, full-list flag and time zone asked for. Every failure must
// be a message; anything else (a crash, a sanitizer report, an exception, a hang) is a finding.
#include "FuzzTarget.h"

#include "HarmonicsFile.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using namespace ondrel;

QString ScratchPath() {
    static QTemporaryDir dir{(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                  ? QStringLiteral("/dev/shm")
                                  : QDir::tempPath()) +
                             QStringLiteral("/ondrel-fuzz-XXXXXX")};
    return dir.filePath(kHarmonicsFileName);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ScratchPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    HarmonicsFile file;
    if (!file.open(path)) return 0;
    PortRecord port;
    for (int i = 0; i < file.portCount() && i < 64; ++i) {
        const QString name = file.portName(i);
        port.name = name.toStdString();
        (void)file.hasFullList(name);
        (void)file.timeZoneName(name);
        QString why;
        if (const auto constants = file.constantsFor(port, &why)) (void)constants->terms.size();
    }
    return 0;
}

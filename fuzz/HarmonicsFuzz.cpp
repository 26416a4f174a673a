// Fuzz target: harmonics.bin, the port table's companion, read the way the program reads it:
// opened, then every port's constants, full-list flag and time zone asked for. Every failure must
// be a message; anything else (a crash, a sanitizer report, an exception, a hang) is a finding.
// Each input is read as it is, then with its size and checksums made right, so that mutations
// also reach the index and the records behind the checksums.
#include "FuzzTarget.h"

#include "ports/HarmonicsFile.h"

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

std::uint32_t U32(const QByteArray& b, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t{static_cast<unsigned char>(b[at + i])} << (8 * i);
    return v;
}

void PutU32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

void PutU64(QByteArray& b, qsizetype at, std::uint64_t v) {
    for (int i = 0; i < 8; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// The file with its size field, its records' checksums and its header checksum recomputed,
// where the header's counts allow (the layout of docs/HARMONICS_FILE.md).
QByteArray Repaired(QByteArray b) {
    constexpr qsizetype kHeader = 48;
    if (b.size() < kHeader) return b;
    PutU64(b, 32, static_cast<std::uint64_t>(b.size()));
    const std::uint64_t ports = U32(b, 12);
    const std::uint64_t indexOffset = U32(b, 20);
    const std::uint64_t end = indexOffset + 64 * ports;
    if (ports > 100000 || end > static_cast<std::uint64_t>(b.size()) || indexOffset < kHeader)
        return b;
    for (std::uint64_t i = 0; i < ports; ++i) {
        const qsizetype entry = static_cast<qsizetype>(indexOffset + 64 * i);
        const std::uint64_t offset = U32(b, entry + 52);
        const std::uint64_t size = U32(b, entry + 56);
        if (offset + size <= static_cast<std::uint64_t>(b.size()))
            PutU32(b, entry + 60,
                   static_cast<std::uint32_t>(Fnv1a64(b.constData() + offset, size)));
    }
    PutU64(b, 40,
           WordHash64(b.constData() + kHeader, static_cast<std::size_t>(end - kHeader),
                      WordHash64(b.constData(), kHeader - 8)));
    return b;
}

void ReadAsTheProgramDoes(const QString& path, const QByteArray& bytes) {
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
        f.write(bytes);
    }
    HarmonicsFile file;
    if (!file.open(path)) return;
    PortRecord port;
    for (int i = 0; i < file.portCount() && i < 64; ++i) {
        const QString name = file.portName(i);
        port.name = name.toStdString();
        (void)file.hasFullList(name);
        (void)file.timeZoneName(name);
        QString why;
        if (const auto constants = file.constantsFor(port, &why)) (void)constants->terms.size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = ScratchPath();
    ReadAsTheProgramDoes(path, bytes);
    ReadAsTheProgramDoes(path, Repaired(bytes));
    return 0;
}

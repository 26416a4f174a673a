// Fuzz target: a port table and its tag file, opened and read the way the program reads them.
//
// The input is the .dbf, optionally followed by kTagsMarker and the tag file; without the marker
// the standard tag file is used. Every failure must be a TableError: anything else (a crash, a
// sanitizer report, another exception, a hang) is a finding.
#include "PortTableFuzz.h"

#include "ports/PortColumns.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using namespace ondrel;

// In memory when the system offers it: rewriting a file on a disk file system can wait for the
// disk (ext4 flushes a file truncated and written again), which would slow a campaign 100-fold.
QString ScratchRoot() {
    const QString shm = QStringLiteral("/dev/shm");
    return QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
}

struct Scratch {
    QTemporaryDir dir{ScratchRoot() + QStringLiteral("/ondrel-fuzz-XXXXXX")};
    QString dbf = dir.filePath(QStringLiteral("ports.dbf"));
    QString tags = PortTable::tagFilePath(dbf);
    QByteArray standardTags;

    Scratch() {
        PortTable::writeStandardTags(dbf);
        QFile f(tags);
        if (f.open(QIODevice::ReadOnly)) standardTags = f.readAll();
    }
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

bool Write(const QString& path, QByteArrayView bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return f.write(bytes.data(), bytes.size()) == bytes.size();
}

// Reads every visible record of the current tag as the port list and the loading step do.
void ReadVisible(PortTable& table) {
    PortRecord port;
    for (table.first(); !table.atEnd(); table.next()) {
        (void)table.text(PortColumn::NOM);
        (void)table.visibleText(table.visiblePosition(), PortColumn::PORT_REF);
        try {
            Chargement(table, port, {});
            (void)CountryOfZone(table.zone());
        } catch (const TableError&) {
            // A damaged row is refused; the walk goes on.
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Scratch& scratch = TheScratch();
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype marker = input.indexOf(QByteArrayView(kTagsMarker));
    const QByteArrayView dbf = marker < 0 ? input : input.first(marker);
    const QByteArrayView tags = marker < 0
                                    ? QByteArrayView(scratch.standardTags)
                                    : input.sliced(marker + qsizetype(sizeof(kTagsMarker) - 1));
    if (!Write(scratch.dbf, dbf) || !Write(scratch.tags, tags)) return 0;

    PortTable table;
    table.setReadOnly(true);
    try {
        table.open(scratch.dbf);
    } catch (const TableError&) {
        return 0;
    }
    for (const QString& tag : table.tagNames()) {
        try {
            table.selectTag(tag);
            ReadVisible(table);
            table.setRange(QStringLiteral("B"), QStringLiteral("M"));
            ReadVisible(table);
            table.goNearest(QStringLiteral("C"));
            (void)table.findKey(QStringLiteral("1001"));
        } catch (const TableError&) {
            // A range or key that does not suit the tag's key: refused, as it should be.
        }
    }
    return 0;
}

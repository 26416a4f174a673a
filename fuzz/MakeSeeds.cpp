// fuzz-make-seeds FOLDER: writes the seed corpus of fuzz_port_table, a small valid table and a
// few damaged ones, each as one input (the .dbf, the marker, the tag file).
// fuzz-make-seeds --harmonics FOLDER: the seeds of fuzz_harmonics, a small harmonics.bin and a few
// damaged ones.
#include "PortTableFuzz.h"

#include "ports/HarmonicsFile.h"
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace ondrel;

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Three ports, one of them secondary, through the program's own table engine.
void MakeTable(const QString& path, const std::vector<ColumnSpec>& columns) {
    PortTable::create(path, columns);
    PortTable::writeStandardTags(path);
    if (static_cast<int>(columns.size()) < kPortColumnCount) return;
    PortTable table;
    table.open(path);
    PortTable::WriteLock lock(table); // one lock for every row
    const char* names[] = {"BREST", "ÉTEL", "LE CONQUET"};
    for (int n = 0; n < 3; ++n) {
        table.insert();
        table.setInteger(PortColumn::NUM, n + 1);
        table.setText(PortColumn::NOM, QString::fromUtf8(names[n]));
        table.setInteger(PortColumn::Z0, 430);
        for (int i = 0; i < 10; ++i) {
            table.setInteger(PortColumn::A_SA + i, 50 + 40 * i);
            table.setInteger(PortColumn::G_SA + i, 35 * i);
        }
        table.setText(PortColumn::LATITUDE, QStringLiteral("48 23 N"));
        table.setText(PortColumn::LONGITUDE, QStringLiteral("004 30 W"));
        table.setReal(PortColumn::FUSEAU, 1);
        table.setInteger(PortColumn::ZONE, 1001);
        if (n == 2) {
            table.setText(PortColumn::PORT_REF, QStringLiteral("BREST"));
            for (int i = 0; i < 8; ++i)
                table.setReal(PortColumn::HPMVE + i, i < 4 ? 91.05 : 0.25);
        }
        table.post();
    }
}

} // namespace

namespace {

int MakeHarmonicsSeeds(const QDir& out) {
    HarmonicsPortEntry brest;
    brest.name = "BREST";
    brest.timeZoneName = "Europe/Paris";
    brest.row.meanLevel = 421;
    brest.row.amplitude[5] = 2051;
    brest.row.timeZone = 1;
    brest.datumOffset = 4.205;
    brest.terms = {
        {"M2", 2.051, 108.9}, {"S2", 0.749, 148.2}, {"2MK3", 0.01, 20}, {"SGM", 0.003, 7}};
    HarmonicsPortEntry conquet;
    conquet.name = "LE CONQUET";
    conquet.timeZoneName = "Europe/Paris";
    conquet.reference = 0;
    QTemporaryDir dir;
    const QString path = dir.filePath(kHarmonicsFileName);
    WriteHarmonicsFile(path, {brest, conquet}, 42);
    const QByteArray valid = Read(path);
    const std::pair<const char*, QByteArray> seeds[] = {
        {"valid", valid},
        {"truncated", valid.chopped(7)},
        {"version-2", QByteArray(valid).replace(8, 1, "\x02")},
        {"record-byte", QByteArray(valid).replace(valid.size() - 40, 1, "\x7f")},
    };
    for (const auto& [name, bytes] : seeds) {
        QFile f(out.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
        f.write(bytes);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--harmonics")
        return MakeHarmonicsSeeds(QDir(QFile::decodeName(argv[2])));
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-make-seeds FOLDER\n");
        return 2;
    }
    const QDir out(QFile::decodeName(argv[1]));
    QTemporaryDir dir;
    const QString dbf = dir.filePath(QStringLiteral("ports.dbf"));
    const QString tags = PortTable::tagFilePath(dbf);
    const auto standard = StandardPortColumns();

    struct Seed {
        const char* name;
        std::function<void(QByteArray& dbf, QByteArray& tags)> damage;
        bool withTags = true;
    };
    const int firstRecord = 32 + 32 * kPortColumnCount + 1;
    const Seed seeds[] = {
        {"valid", [](QByteArray&, QByteArray&) {}},
        {"valid-standard-tags", [](QByteArray&, QByteArray&) {}, false},
        {"count-too-small", [](QByteArray& d, QByteArray&) { d[4] = 2; }},
        {"header-length-plus-one", [](QByteArray& d, QByteArray&) { d[8] = char(d[8] + 1); }},
        {"fuseau-nan",
         [&](QByteArray& d, QByteArray&) {
             int offset = 1;
             for (int c = 0; c < ColumnNumber(PortColumn::FUSEAU); ++c)
                 offset += standard[c].width;
             d.replace(firstRecord + offset, 6, "   nan");
         }},
        {"tags-bad-line", [](QByteArray&, QByteArray& t) { t.append("Pays = \n"); }},
    };
    for (const Seed& seed : seeds) {
        QFile::remove(dbf);
        MakeTable(dbf, standard);
        QByteArray d = Read(dbf), t = Read(tags);
        seed.damage(d, t);
        QFile f(out.filePath(QString::fromLatin1(seed.name)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
        f.write(seed.withTags ? d + kTagsMarker + t : d);
    }
    // Fewer columns than a port table: refused at open.
    auto short36 = standard;
    short36.pop_back();
    QFile::remove(dbf);
    MakeTable(dbf, short36);
    QFile f(out.filePath(QStringLiteral("36-columns")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    f.write(Read(dbf) + kTagsMarker + Read(tags));
    return 0;
}

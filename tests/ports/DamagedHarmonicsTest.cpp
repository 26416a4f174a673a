// Damaged, foreign or missing harmonic data (harmonics.bin): each gives no constants, with a
// message naming the file and the table model for the ports concerned; never a crash.
#include "ports/HarmonicsFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <limits>

using namespace ondrel;

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// BREST, a standard port, and its secondary port LE CONQUET; row values of BREST.
PortRecord Brest() {
    PortRecord p;
    p.name = "BREST";
    p.meanLevel = 421;
    p.amplitude[kM2] = 2051;
    p.phase[kM2] = 138;
    p.amplitude[kS2] = 749;
    p.phase[kS2] = 178;
    p.timeZone = 1;
    return p;
}

std::vector<HarmonicsPortEntry> Entries(double amplitude = 2.051, const char* name = "M2") {
    HarmonicsPortEntry brest;
    brest.name = "BREST";
    brest.timeZoneName = "Europe/Paris";
    brest.row = RowValuesOf(Brest());
    brest.datumOffset = 4.205;
    brest.terms = {{name, amplitude, 108.9}, {"S2", 0.749, 148.2}, {"M4", 0.054, 105.7}};
    HarmonicsPortEntry conquet;
    conquet.name = "LE CONQUET";
    conquet.timeZoneName = "Europe/Paris";
    conquet.reference = 0;
    return {brest, conquet};
}

PortRecord Conquet() {
    PortRecord p = Brest();
    p.name = "LE CONQUET";
    p.corrections = {0, -0.1, -0.1, 0, 0, 0, 0, 0, 0};
    return p;
}

TEST(Harmonics, AValidFileGivesTheConstantsOfStandardAndSecondaryPorts) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(kHarmonicsFileName);
    WriteHarmonicsFile(path, Entries(), 42);
    HarmonicsFile file;
    ASSERT_TRUE(file.open(path)) << file.error().toStdString();
    EXPECT_EQ(file.tableFingerprint(), 42u);
    for (const PortRecord& port : {Brest(), Conquet()}) {
        QString why;
        const auto constants = file.constantsFor(port, &why);
        ASSERT_NE(constants, nullptr) << why.toStdString();
        ASSERT_EQ(constants->terms.size(), 3u);
        EXPECT_EQ(constants->terms[2].constituent.name, "M4");
        EXPECT_EQ(constants->datumOffset, 4.205);
        EXPECT_EQ(file.timeZoneName(QString::fromStdString(port.name)), "Europe/Paris");
    }
}

TEST(Harmonics, DamageGivesTheTableModelWithAMessageNamingTheFile) {
    struct Case {
        const char* what;
        // Writes the file to read at path (or nothing) and may change the port asked for.
        std::function<void(const QString& path, PortRecord& port)> damage;
        const char* message;
    };
    const auto valid = [](const QString& path) { WriteHarmonicsFile(path, Entries(), 42); };
    const auto patched = [valid](qsizetype at, QByteArray with) {
        return [=](const QString& path, PortRecord&) {
            valid(path);
            QByteArray bytes = ReadBytes(path);
            bytes.replace(at, with.size(), with);
            WriteBytes(path, bytes);
        };
    };
    const std::vector<Case> cases = {
        {"missing", [](const QString&, PortRecord&) {}, "no harmonic data file"},
        {"empty", [](const QString& path, PortRecord&) { WriteBytes(path, {}); }, "truncated"},
        {"a folder", [](const QString& path, PortRecord&) { QDir().mkpath(path); },
         "no harmonic data file"},
        {"another kind of file", patched(0, "ONDRELXX"), "not a harmonic data file"},
        {"another format version", patched(8, QByteArray("\x02\0\0\0", 4)),
         "format version 2, this program reads version 1"},
        {"truncated",
         [valid](const QString& path, PortRecord&) {
             valid(path);
             WriteBytes(path, ReadBytes(path).chopped(5));
         },
         "where its header announces"},
        {"a byte of the index changed", patched(48 + 16 * 3 + 2, "X"), "damaged index"},
        // BREST's record, after the header, three names and two index entries.
        {"a byte of a record changed", patched(48 + 3 * 16 + 2 * 64 + 30, "\x7f"),
         "damaged record"},
        {"an amplitude that is not a number",
         [](const QString& path, PortRecord&) {
             WriteHarmonicsFile(path, Entries(std::numeric_limits<double>::quiet_NaN()), 42);
         },
         "the amplitude or phase of M2 is not a finite number"},
        {"an infinite amplitude",
         [](const QString& path, PortRecord&) {
             WriteHarmonicsFile(path, Entries(std::numeric_limits<double>::infinity()), 42);
         },
         "not a finite number"},
        {"an absurd amplitude with valid checksums",
         [](const QString& path, PortRecord&) { WriteHarmonicsFile(path, Entries(1e6), 42); },
         "the amplitude or phase of M2 is out of range"},
        {"a negative amplitude",
         [](const QString& path, PortRecord&) { WriteHarmonicsFile(path, Entries(-1), 42); },
         "out of range"},
        {"a constituent this program cannot read",
         [](const QString& path, PortRecord&) { WriteHarmonicsFile(path, Entries(1, "X9"), 42); },
         "unknown constituent X9"},
        {"a row of another table version",
         [valid](const QString& path, PortRecord& port) {
             valid(path);
             port.amplitude[kM2] = 2052;
         },
         "belong to another version of its row"},
        {"a port absent from the file",
         [valid](const QString& path, PortRecord& port) {
             valid(path);
             port.name = "ROSCOFF";
         },
         "no harmonic constants for port \"ROSCOFF\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const PortRecord& asked : {Brest(), Conquet()}) {
            QTemporaryDir dir;
            const QString path = QDir(dir.path()).filePath(kHarmonicsFileName);
            PortRecord port = asked;
            c.damage(path, port);
            HarmonicsFile file;
            file.open(path);
            QString why;
            EXPECT_EQ(file.constantsFor(port, &why), nullptr);
            EXPECT_TRUE(why.contains(path)) << why.toStdString();
            EXPECT_TRUE(why.contains(QString::fromUtf8(c.message))) << why.toStdString();
            EXPECT_TRUE(why.contains(QStringLiteral("the table model is used")))
                << why.toStdString();
        }
    }
}

} // namespace

// Damaged tables and rows: each must be refused with a message naming the file (or the port and
// column) at fault, never read shifted, never waited on, never computed.
#include "ports/PortColumns.h"
#include "ports/PortImport.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"

#include "TestPortTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace ondrel;

namespace {

constexpr int kHeaderLength = 32 + 32 * kPortColumnCount + 1;

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void Patch(const QString& path, qsizetype at, const QByteArray& with) {
    QByteArray bytes = ReadBytes(path);
    bytes.replace(at, with.size(), with);
    WriteBytes(path, bytes);
}

int RecordLength(const std::vector<ColumnSpec>& columns) {
    int length = 1;
    for (const ColumnSpec& c : columns)
        length += c.width;
    return length;
}

// A table of three plausible ports.
QString MakeTable(const QString& dir) {
    const QString path = QDir(dir).filePath(QStringLiteral("ports.dbf"));
    std::vector<test::TestPortRow> rows;
    for (const char* name : {"BREST", "CHERBOURG", "ROSCOFF"}) {
        test::TestPortRow row;
        row.name = QString::fromLatin1(name);
        for (std::size_t i = 0; i < 10; ++i) {
            row.amplitudes[i] = 100 + 10 * static_cast<int>(i);
            row.phases[i] = 30 * static_cast<int>(i);
        }
        rows.push_back(row);
    }
    test::WriteTestPortTable(path, rows);
    return path;
}

// Writes raw bytes into a field of the first record, right-aligned as the file does.
void PatchField(const QString& path, PortColumn column, const QByteArray& text) {
    const auto columns = StandardPortColumns();
    int offset = 1;
    for (int i = 0; i < ColumnNumber(column); ++i)
        offset += columns[i].width;
    const int width = columns[ColumnNumber(column)].width;
    Patch(path, kHeaderLength + offset, text.rightJustified(width, ' '));
}

TEST(DamagedTable, OpeningIsRefusedWithTheFileAndTheFault) {
    const bool root = ::geteuid() == 0;
    struct Case {
        const char* what;
        // Damages the table made in dir and returns the path to open.
        std::function<QString(const QString& dir, const QString& dbf)> damage;
        const char* message;
        const char* named; // file named by the message; nullptr: the path returned
    };
    const int recordLength = RecordLength(StandardPortColumns());
    const std::vector<Case> cases = {
        {"record count too small",
         [](const QString&, const QString& dbf) {
             Patch(dbf, 4, QByteArray("\x01\0\0\0", 4));
             return dbf;
         },
         "announces 1 records but the file holds", "ports.dbf"},
        {"record count too large",
         [](const QString&, const QString& dbf) {
             Patch(dbf, 4, QByteArray("\x04\0\0\0", 4));
             return dbf;
         },
         "truncated", "ports.dbf"},
        {"header length one byte more",
         [](const QString&, const QString& dbf) {
             Patch(dbf, 8, QByteArray("\xC2\x04", 2)); // 1218
             return dbf;
         },
         "header length 1218 does not match its 37 columns", "ports.dbf"},
        {"header length one byte less",
         [](const QString&, const QString& dbf) {
             Patch(dbf, 8, QByteArray("\xC0\x04", 2));
             return dbf;
         },
         "not terminated", "ports.dbf"},
        {"36 columns",
         [](const QString& dir, const QString& dbf) {
             QFile::remove(dbf);
             auto columns = StandardPortColumns();
             columns.pop_back();
             PortTable::create(dbf, columns);
             Q_UNUSED(dir);
             return dbf;
         },
         "the table has 36 columns", "ports.dbf"},
        {"text where a number is read",
         [](const QString& dir, const QString& dbf) {
             QFile::remove(dbf);
             auto columns = StandardPortColumns();
             columns[ColumnNumber(PortColumn::A_M2)].type = ColumnSpec::Text;
             PortTable::create(dbf, columns);
             Q_UNUSED(dir);
             return dbf;
         },
         "(A_M2)", "ports.dbf"},
        {"truncated header",
         [](const QString&, const QString& dbf) {
             WriteBytes(dbf, ReadBytes(dbf).left(100));
             return dbf;
         },
         "goes past the end", "ports.dbf"},
        {"truncated records",
         [=](const QString&, const QString& dbf) {
             WriteBytes(dbf, ReadBytes(dbf).left(kHeaderLength + recordLength + 40));
             return dbf;
         },
         "only 1 are complete (the last one is cut short)", "ports.dbf"},
        {"random bytes",
         [](const QString&, const QString& dbf) {
             std::mt19937 random(7);
             QByteArray bytes(5000, '\0');
             for (char& b : bytes)
                 b = static_cast<char>(random());
             bytes[0] = '\x03'; // past the version check, into the header's figures
             WriteBytes(dbf, bytes);
             return dbf;
         },
         "damaged header", "ports.dbf"},
        {"empty file",
         [](const QString&, const QString& dbf) {
             WriteBytes(dbf, {});
             return dbf;
         },
         "empty", "ports.dbf"},
        {"larger than 256 MB",
         [](const QString&, const QString& dbf) {
             QFile f(dbf);
             EXPECT_TRUE(f.resize(257LL * 1024 * 1024)); // sparse: nothing is written
             return dbf;
         },
         "too large", "ports.dbf"},
        {"missing tag file",
         [](const QString&, const QString& dbf) {
             QFile::remove(PortTable::tagFilePath(dbf));
             return dbf;
         },
         "the tag file is missing", "ports.tags"},
        {"tag file is a folder",
         [](const QString&, const QString& dbf) {
             const QString tags = PortTable::tagFilePath(dbf);
             QFile::remove(tags);
             QDir().mkpath(tags);
             return dbf;
         },
         "the tag file is a folder", "ports.tags"},
        // Tags the program selects, defined otherwise: every list would be empty or wrong.
        {"tag Nom on another key",
         [](const QString&, const QString& dbf) {
             WriteBytes(PortTable::tagFilePath(dbf),
                        "Nom = LATITUDE\nZone = ZONE\nPRINCIPAL = NOM where PORT_REF empty\n"
                        "SECONDAIRE = NOM where PORT_REF notempty\n");
             return dbf;
         },
         "the tag Nom is not the one the port table needs", "ports.tags"},
        {"tag Nom with a filter that keeps nothing",
         [](const QString&, const QString& dbf) {
             WriteBytes(PortTable::tagFilePath(dbf), "Nom = NOM where NOM empty\nZone = ZONE\n"
                                                     "PRINCIPAL = NOM where PORT_REF empty\n"
                                                     "SECONDAIRE = NOM where PORT_REF notempty\n");
             return dbf;
         },
         "the tag Nom is not the one the port table needs", "ports.tags"},
        {"tag SECONDAIRE missing",
         [](const QString&, const QString& dbf) {
             WriteBytes(PortTable::tagFilePath(dbf),
                        "Nom = NOM\nZone = ZONE\nPRINCIPAL = NOM where PORT_REF empty\n");
             return dbf;
         },
         "the port table needs the tag SECONDAIRE", "ports.tags"},
        {"tag file larger than 1 MB",
         [](const QString&, const QString& dbf) {
             WriteBytes(PortTable::tagFilePath(dbf), QByteArray("# padding\n").repeated(110000));
             return dbf;
         },
         "too large", "ports.tags"},
        {"table is a folder",
         [](const QString& dir, const QString&) {
             const QString folder = QDir(dir).filePath(QStringLiteral("folder.dbf"));
             QDir().mkpath(folder);
             return folder;
         },
         "is a folder", nullptr},
        {"table is a FIFO", // opening it would wait for a writer
         [](const QString& dir, const QString&) {
             const QString fifo = QDir(dir).filePath(QStringLiteral("fifo.dbf"));
             EXPECT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
             return fifo;
         },
         "is a pipe", nullptr},
        {"/dev/zero", [](const QString&, const QString&) { return QStringLiteral("/dev/zero"); },
         "is a device", nullptr},
        {"unreadable",
         [](const QString&, const QString& dbf) {
             ::chmod(QFile::encodeName(dbf).constData(), 0);
             return dbf;
         },
         "cannot be read", "ports.dbf"},
    };
    for (const Case& c : cases) {
        if (root && std::string(c.what) == "unreadable") continue; // root reads it anyway
        QTemporaryDir dir;
        const QString opened = c.damage(dir.path(), MakeTable(dir.path()));
        const QString named =
            c.named ? QDir(dir.path()).filePath(QString::fromLatin1(c.named)) : opened;
        PortTable table;
        table.setReadOnly(true);
        try {
            table.open(opened);
            ADD_FAILURE() << c.what << ": opened";
        } catch (const TableError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(named.toStdString() + ": ", 0), 0u)
                << c.what << ": " << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.what << ": " << message;
        }
        EXPECT_FALSE(table.isOpen()) << c.what;
    }
}

TEST(DamagedTable, ImplausibleValuesAreNeverLoaded) {
    struct Case {
        PortColumn column;
        const char* stored;
        const char* message; // nullptr: the time zone message, the previous zone kept
    };
    const Case cases[] = {
        {PortColumn::FUSEAU, "nan", nullptr},
        {PortColumn::FUSEAU, "inf", nullptr},
        {PortColumn::FUSEAU, "-inf", nullptr},
        {PortColumn::FUSEAU, "15.00", nullptr},
        {PortColumn::FUSEAU, "", nullptr},
        {PortColumn::FUSEAU, "1e1", nullptr},
        {PortColumn::HPMVE, "1e300", "column 29 (HPMVE) holds 1e+300"},
        {PortColumn::HBMME, "55", "column 32 (HBMME) holds 55"},
        {PortColumn::TBMVE, "-24.5", "column 35 (TBMVE) holds -24.5"},
        {PortColumn::A_M2, "-5", "column 8 (A_M2) holds -5, outside 0..20000 mm"},
        {PortColumn::G_K1, "400", "column 16 (G_K1) holds 400"},
        {PortColumn::Z0, "-9999", "column 2 (Z0) holds -9999"},
        {PortColumn::A_S2, "x1", "column 9 (A_S2) cannot be read"},
        // A damaged field is no 0: blank, asterisks.
        {PortColumn::Z0, "", "column 2 (Z0) cannot be read"},
        {PortColumn::Z0, "*", "column 2 (Z0) cannot be read"},
        {PortColumn::A_M2, "******", "column 8 (A_M2) cannot be read"},
        {PortColumn::LATITUDE, "95 00 N",
         "column 23 (LATITUDE) cannot be read (\"95 00 N\"), or is beyond 90"},
        {PortColumn::LONGITUDE, "181 00 W", "column 24 (LONGITUDE) cannot be read"},
        {PortColumn::LATITUDE, "48 99 N", "column 23 (LATITUDE) cannot be read"},
        {PortColumn::LATITUDE, "abc", "column 23 (LATITUDE) cannot be read"},
        {PortColumn::LATITUDE, "", "column 23 (LATITUDE) cannot be read"},
        {PortColumn::LONGITUDE, "004 29 X", "column 24 (LONGITUDE) cannot be read"},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(SpecOf(c.column).name) + " = " + c.stored;
        QTemporaryDir dir;
        const QString path = MakeTable(dir.path());
        PatchField(path, c.column, c.stored);
        PortTable table;
        table.open(path);
        table.first();
        PortRecord port;
        port.name = "PREVIOUS";
        port.timeZone = -4;
        QStringList messages;
        try {
            Chargement(table, port, [&](const QString& m) { messages << m; });
            EXPECT_EQ(c.message, nullptr) << what << ": loaded";
            EXPECT_EQ(messages, QStringList{QStringLiteral("Problème conversion fuseau")}) << what;
            EXPECT_EQ(port.timeZone, -4) << what;
            EXPECT_EQ(port.name, "BREST") << what;
        } catch (const TableError& e) {
            ASSERT_NE(c.message, nullptr) << what << ": " << e.what();
            const std::string message = e.what();
            EXPECT_NE(message.find(path.toStdString() + ": port \"BREST\": "), std::string::npos)
                << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << what << ": " << message;
            EXPECT_EQ(port.name, "PREVIOUS") << what; // nothing of the row was taken
        }
        // An export never writes a damaged field as the 0 it would read as.
        EXPECT_THROW(ExportRecord(table, QLatin1Char('.')), TableError) << what;
    }
}

// A post cut short after its record was written but before the count was: the table reopens
// with every record it counts.
TEST(DamagedTable, ARecordPastTheCountIsAnInterruptedPost) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir.path());
    Patch(path, 4, QByteArray("\x02\0\0\0", 4));
    PortTable table;
    table.open(path);
    QStringList names;
    for (table.first(); !table.atEnd(); table.next())
        names << table.text(PortColumn::NOM);
    EXPECT_EQ(names, (QStringList{QStringLiteral("BREST"), QStringLiteral("CHERBOURG")}));
}

} // namespace

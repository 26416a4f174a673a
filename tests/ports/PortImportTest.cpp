// Tests of the import of ports from .add files and of the export that writes them.
#include "ports/PortImport.h"
#include "ports/PortColumns.h"
#include "ports/PortTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondrel;

namespace {

struct Existing {
    QString name;
    qint64 zone;
};

QString MakeTable(const QTemporaryDir& dir, const std::vector<Existing>& ports) {
    const QString path = dir.filePath(QStringLiteral("ports.dbf"));
    PortTable::create(path, StandardPortColumns());
    PortTable::writeStandardTags(path);
    PortTable table;
    table.open(path);
    for (const Existing& p : ports) {
        table.insert();
        table.setText(PortColumn::NOM, p.name);
        table.setInteger(PortColumn::ZONE, p.zone);
        table.post();
    }
    return path;
}

// One record of an .add file: the given number line, name and zone line, plausible values for
// the rest, and distinct corrections so that a shifted line shows.
QByteArray Record(const QString& number, const QString& name,
                  const QString& zone = QStringLiteral("5"), int lastLine = kAddRecordLines) {
    QStringList lines{number, name};
    for (int c = 2; c <= 22; ++c)
        lines << QString::number(c * 10);
    lines << QStringLiteral("48 23 N") << QStringLiteral("004 30 W") << QStringLiteral("1,5")
          << QStringLiteral("0") << zone << QStringLiteral("BREST");
    for (int k = 1; k <= 8; ++k)
        lines << QStringLiteral("-0,%1").arg(k * 10 + k);
    return lines.first(lastLine).join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

struct Case {
    const char* what;
    std::vector<Existing> table;
    QByteArray file;
    QStringList list;
    QStringList log;
    // Checks of one stored port: its name, number, zone.
    std::optional<std::tuple<QString, qint64, qint64>> port = std::nullopt;
    int lastCountry = 0;
};

const QString kLong = QStringLiteral("A").repeated(45) + QStringLiteral("BCDEFGHIJKLMNO");

} // namespace

TEST(PortImportTest, Cases) {
    const std::vector<Existing> withCountries{{"Brest", 1001}};
    const std::vector<Existing> withoutCountries{{"Brest", 7}};
    QStringList shortLog;
    for (int i = 0; i < 13; ++i)
        shortLog << QStringLiteral("5: Pb  field integer avec filed = ");
    // The missing latitude, longitude and time zone.
    for (int i = 0; i < 3; ++i)
        shortLog << QStringLiteral("6: Pb field avec field = ");
    shortLog << QStringLiteral("7: Pb field avec field = ")
             << QStringLiteral("7: Pb field avec field = ");
    for (int i = 0; i < 8; ++i)
        shortLog << QStringLiteral("9: Pb field avec field = ");

    const std::vector<Case> cases = {
        {"duplicate",
         withCountries,
         Record("1", "Aber") + Record("2", "brest"),
         {"Aber", "brest! est déjà dans la base de données"},
         {},
         std::tuple{"Aber", 1, 5000}},
        {"code with a country, table with countries",
         withCountries,
         Record("1", "Aber", "5012") + Record("2", "Conquet", "3045"),
         {"Aber", "Conquet"},
         {},
         std::tuple{"Aber", 1, 5012},
         45},
        {"codes without countries",
         withoutCountries,
         Record("1", "Aber", "5") + Record("2", "Conquet", "5012"),
         {"Aber", "Conquet"},
         {},
         std::tuple{"Conquet", 2, 5}},
        // A record that cannot be read whole is not stored.
        {"12a on line 1",
         withCountries,
         Record("7", "Aber") + Record("12a", "Conquet"),
         {"Aber"},
         {"1: Pb numero avec S = 12a"},
         std::tuple{"Aber", 7, 5000}},
        {"short last record",
         withCountries,
         Record("1", "Aber") + Record("2", "Conquet", "5", 10),
         {"Aber"},
         shortLog,
         std::tuple{"Aber", 1, 5000}},
        {"record cut after its number",
         withCountries,
         Record("1", "Aber") + "2\r\n",
         {"Aber"},
         {"2: Pb nom avec nom = "}},
        {"Ctrl-Z ends the text",
         withCountries,
         Record("1", "Aber") + "\x1A" + Record("2", "Conquet"),
         {"Aber"},
         {}},
        {"empty file", withCountries, "", {}, {}},
        {"a name or a value longer than a line holds",
         withCountries,
         Record("3", kLong) +
             Record("4", "Conquet", QString(49, QLatin1Char(' ')) + "5, then past the fiftieth") +
             Record("5", "Aber"),
         {"Aber"},
         {},
         std::tuple{"Aber", 5, 5000}},
        {"positions that do not read exactly, the plausible ranges of the loader",
         withCountries,
         Record("1", "P1").replace("48 23 N", "42 53.5 S") +
             Record("2", "P2").replace("48 23 N", "48 23 s") +
             Record("3", "P3").replace("48 23 N", "48 99 N") +
             Record("4", "P4").replace("004 30 W", "4823N") +
             Record("5", "P5").replace("\r\n20\r\n", "\r\n5001\r\n") +
             Record("6", "P6").replace("\r\n40\r\n", "\r\n20001\r\n") +
             Record("7", "P7").replace("\r\n140\r\n", "\r\n361\r\n") +
             Record("8", "P8").replace("-0,11", "20,0001") +
             Record("9", "P9").replace("-0,55", "24,01") + Record("10", "Aber"),
         {"Aber"},
         {"6: Pb field avec field = 42 53.5 S", "6: Pb field avec field = 48 23 s",
          "6: Pb field avec field = 48 99 N", "6: Pb field avec field = 4823N"},
         std::tuple{"Aber", 10, 5000}},
        // Each would make a port that is stored but cannot be found or computed: logged, not
        // added, and the import goes on.
        {"names the table cannot hold or a user cannot find",
         withCountries,
         Record("1", "RELT Ωμ") + Record("2", "   ") + Record("3", QStringLiteral("A\x01B")) +
             Record("4", "Aber"),
         {"Aber"},
         {"4: Pb nom avec nom = RELT Ωμ", "4: Pb nom avec nom =    ",
          QStringLiteral("4: Pb nom avec nom = A?")}, // ESC is not shown
         std::tuple{"Aber", 4, 5000}},
        {"positions and time zones no port can have",
         withCountries,
         Record("1", "P1").replace("48 23 N", "99 00 N") +
             Record("2", "P2").replace("48 23 N", "91 00 S") +
             Record("3", "P3").replace("004 30 W", "181 00 W") +
             Record("4", "P4").replace("\r\n1,5\r\n", "\r\n14,5\r\n") +
             Record("5", "P5").replace("\r\n1,5\r\n", "\r\n-99\r\n") +
             Record("6", "P6").replace("\r\n1,5\r\n", "\r\n1e2\r\n") +
             Record("7", "Aber").replace("\r\n1,5\r\n", "\r\n-14\r\n"),
         {"Aber"},
         {"6: Pb field avec field = 99 00 N", "6: Pb field avec field = 91 00 S",
          "6: Pb field avec field = 181 00 W", "6: Pb field avec field = 14,5",
          "6: Pb field avec field = -99", "6: Pb field avec field = 1e2"},
         std::tuple{"Aber", 7, 5000}},
        {"records in UTF-8 and in Windows-1252 in one file",
         withCountries,
         Record("1", QStringLiteral("ÉTEL")) + Record("2", "XTEL").replace("XTEL", "\xC9TAPLES") +
             Record("3", "CAFX").replace("CAFX", "CAF\xC9"), // a last byte that starts UTF-8
         {QStringLiteral("ÉTEL"), QStringLiteral("ÉTAPLES"), QStringLiteral("CAFÉ")},
         {},
         std::tuple{QStringLiteral("ÉTAPLES"), 2, 5000}},
        {"unreadable values",
         withCountries,
         Record("1", "Aber")
             .replace("\r\n20\r\n", "\r\n2O\r\n")
             .replace("-0,11", "-0.11")
             .replace("1,5", ""),
         {},
         {"5: Pb  field integer avec filed = 2O",
          "6: Pb field avec field = ", "9: Pb field avec field = -0.11"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = MakeTable(dir, c.table);
        QFile add(dir.filePath(QStringLiteral("ports.add")));
        ASSERT_TRUE(add.open(QIODevice::WriteOnly));
        add.write(c.file);
        add.close();
        PortTable table;
        table.open(path);
        QStringList streamed;
        const QString logPath = dir.filePath(QStringLiteral("bug.txt"));
        const ImportReport report =
            ImportPorts(table, add.fileName(), logPath,
                        {TableHasCountryCodes(table), QLatin1Char(','), Language::French},
                        [&](const QString& line) { streamed << line; });
        EXPECT_EQ(report.failure, ImportReport::Failure::None);
        EXPECT_EQ(report.list, c.list) << report.problems.join(u'\n').toStdString();
        EXPECT_EQ(streamed, c.list);
        EXPECT_EQ(report.log, c.log);
        EXPECT_EQ(report.lastCountry, c.lastCountry);
        // Each record not stored is told with its line, port and field.
        for (const QString& problem : report.problems)
            EXPECT_TRUE(problem.startsWith(QStringLiteral("line "))) << problem.toStdString();
        EXPECT_EQ(report.problems.isEmpty(), report.refused.isEmpty());
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(log.readAll()),
                  c.log.isEmpty() ? QString() : c.log.join('\n') + '\n');

        // Every port is on disk: a fresh table object sees them.
        PortTable reopened;
        reopened.open(path);
        EXPECT_EQ(reopened.visibleCount(), static_cast<int>(c.table.size() + report.added.size()));
        if (c.port) {
            const auto& [name, number, zone] = *c.port;
            ASSERT_TRUE(reopened.findKey(name));
            EXPECT_EQ(reopened.text(PortColumn::NOM), name);
            EXPECT_EQ(reopened.integer(PortColumn::NUM), number);
            EXPECT_EQ(reopened.zone(), zone);
            EXPECT_EQ(reopened.integer(PortColumn::G_SA), 130);
        }
    }
}

// A value the loader would refuse is told at its own line, with its column.
TEST(PortImportTest, ARefusedValueIsToldAtItsLine) {
    const struct {
        QByteArray record;
        const char* problem;
    } cases[] = {
        {Record("1", "P1").replace("\r\n20\r\n", "\r\n5001\r\n"), "line 40, port P1, Z0: holds"},
        {Record("1", "P1").replace("\r\n140\r\n", "\r\n361\r\n"),
         "line 52, port P1, G_Q1: holds 361"},
        {Record("1", "P1").replace("-0,55", "24,01"), "line 71, port P1, TPMVE: holds 24.01"},
        {Record("1", "P1", "-5"), "line 65, port P1, ZONE"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        PortTable table;
        table.open(MakeTable(dir, {{"Brest", 1001}}));
        // After a first record that goes in, so that the lines count from the file's start.
        const ImportReport report = ImportPortsFromData(
            table, Record("9", "Aber") + c.record, {true, QLatin1Char(','), Language::English});
        ASSERT_EQ(report.problems.size(), 1) << c.problem;
        EXPECT_TRUE(report.problems[0].startsWith(QString::fromUtf8(c.problem)))
            << report.problems[0].toStdString();
    }
}

TEST(PortImportTest, FilesThatCannotBeUsedImportNothing) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir, {{"Brest", 1001}});
    const QString add = dir.filePath(QStringLiteral("ports.add"));
    QFile f(add);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Record("1", "Aber"));
    f.close();
    struct {
        const char* what;
        QString add, log;
        ImportReport::Failure failure;
    } const cases[] = {
        {"missing file", dir.filePath(QStringLiteral("none.add")),
         dir.filePath(QStringLiteral("bug.txt")), ImportReport::Failure::AddFile},
        {"folder", dir.path(), dir.filePath(QStringLiteral("bug.txt")),
         ImportReport::Failure::AddFile},
        {"log in a missing folder", add, dir.filePath(QStringLiteral("no/bug.txt")),
         ImportReport::Failure::LogFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PortTable table;
        table.open(path);
        const ImportReport report = ImportPorts(table, c.add, c.log, {});
        EXPECT_EQ(report.failure, c.failure);
        EXPECT_FALSE(report.failureDetail.isEmpty());
        EXPECT_EQ(table.visibleCount(), 1);
    }
}

TEST(PortImportTest, KilledImportKeepsEveryPostedPort) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir, {{"Brest", 1001}});
    const QString add = dir.filePath(QStringLiteral("ports.add"));
    QFile f(add);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 10; ++i)
        f.write(Record(QString::number(i), QStringLiteral("Port %1").arg(i)));
    f.close();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            PortTable table;
            table.open(path);
            int listed = 0;
            ImportPorts(table, add, dir.filePath(QStringLiteral("bug.txt")),
                        {true, QLatin1Char(',')}, [&](const QString&) {
                            if (++listed == 4) raise(SIGKILL); // no close, no destructor
                        });
        } catch (...) {
            _exit(2);
        }
        _exit(3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exited with " << WEXITSTATUS(status);
    PortTable table;
    table.open(path);
    EXPECT_EQ(table.visibleCount(), 5);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(table.findKey(QStringLiteral("Port %1").arg(i)));
        EXPECT_DOUBLE_EQ(table.real(PortColumn::TBMME), -0.88);
    }
}

TEST(PortImportTest, ExportThenImportGivesEqualRows) {
    QTemporaryDir from, to;
    const QString source = MakeTable(from, {{"Brest", 1001}});
    {
        PortTable t;
        t.open(source);
        t.insert();
        t.setInteger(PortColumn::NUM, 42);
        t.setText(PortColumn::NOM, QStringLiteral("Île-Tudy"));
        for (const PortColumn c : PortColumnsFromTo(PortColumn::Z0, PortColumn::G_MS4))
            t.setInteger(c, ColumnNumber(c) * 3 + 20);
        t.setText(PortColumn::LATITUDE, QStringLiteral("47 51 N"));
        t.setText(PortColumn::LONGITUDE, QStringLiteral("004 10 W"));
        t.setReal(PortColumn::FUSEAU, -3.5);
        t.setInteger(PortColumn::ZONE, 2001);
        t.setText(PortColumn::PORT_REF, QStringLiteral("Brest"));
        for (const PortColumn c : PortColumnsFromTo(PortColumn::HPMVE, PortColumn::TBMME))
            t.setReal(c, 0.05 + ColumnNumber(c) * 0.1234);
        t.post();
    }
    for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        SCOPED_TRACE(separator.toLatin1());
        PortTable a;
        a.open(source);
        QByteArray file;
        for (a.first(); !a.atEnd(); a.next())
            if (!a.text(PortColumn::LATITUDE).isEmpty()) file += ExportRecord(a, separator);
        // (The row of a name and a zone alone is no port: it is not exported here, and an import
        // would refuse it.)
        EXPECT_EQ(file.count("\r\n"), kAddRecordLines);

        const QString target = MakeTable(to, {{"Aber", 5001}});
        PortTable b;
        b.open(target);
        const ImportReport report = ImportPortsFromData(b, file, {true, separator});
        EXPECT_TRUE(report.clean()) << report.problems.join(u'\n').toStdString();
        for (a.first(); !a.atEnd(); a.next()) {
            if (a.text(PortColumn::LATITUDE).isEmpty()) continue;
            ASSERT_TRUE(b.findKey(a.text(PortColumn::NOM)));
            for (const PortColumn c : PortColumnsFromTo(PortColumn::NUM, PortColumn::TBMME)) {
                const char* name = PortColumnName(c).data();
                if (SpecOf(c).type == ColumnSpec::Text)
                    EXPECT_EQ(b.text(c), a.text(c)) << name;
                else
                    EXPECT_DOUBLE_EQ(b.real(c), a.real(c))
                        << a.text(PortColumn::NOM).toStdString() << " " << name;
            }
        }
        QFile::remove(target);
    }
}

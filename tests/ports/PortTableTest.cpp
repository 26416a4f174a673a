// Tests of the port table engine: tags, ranges, searches, filter, editing with write-through,
// code page, number conversions and damaged files. Every table lives in a QTemporaryDir.
#include "ports/PortTable.h"
#include "ports/PortColumns.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondrel;

namespace {

constexpr PortColumn kNum = PortColumn::NUM, kNom = PortColumn::NOM, kZ0 = PortColumn::Z0,
                     kLatitude = PortColumn::LATITUDE, kFuseau = PortColumn::FUSEAU,
                     kZone = PortColumn::ZONE, kPortRef = PortColumn::PORT_REF;
constexpr PortColumn kHpmve = PortColumn::HPMVE;

struct Port {
    QString name;
    qint64 zone;
    QString portRef; // empty for a standard port
};

// Rows chosen for the orders: accented initials, a ligature, duplicate names (ties go by record
// number), names on both sides of "ZZZZZ", standard and secondary ports, plain zones and
// zone * 1000 + country codes.
const std::vector<Port> kPorts = {
    {"Saint-Malo", 1001, ""}, // 0
    {"Brest", 1001, ""},      // 1
    {"Étel", 1001, "Brest"},  // 2
    {"Arcachon", 1001, ""},   // 3
    {"Bordeaux", 2005, ""},   // 4
    {"Boulogne", 7, "Brest"}, // 5
    {"Œuf", 5000, ""},        // 6
    {"ZZZZZ", 3, ""},         // 7
    {"ZZZZZA", 3, ""},        // 8
    {"Zélande", 1001, ""},    // 9
    {"brest", 2005, "Brest"}, // 10
    {"Ålesund", 6120, ""},    // 11
};

std::string Str(const QString& s) {
    return s.toStdString();
}

void Fill(PortTable& table, int number, const Port& port) {
    table.setInteger(kNum, number);
    table.setText(kNom, port.name);
    table.setInteger(kZ0, 420);
    table.setText(kLatitude, QStringLiteral("48 23 N"));
    table.setReal(kFuseau, 1);
    table.setInteger(kZone, port.zone);
    table.setText(kPortRef, port.portRef);
}

// Creates a 37-column ports table with its standard tag file and the given rows.
QString MakeTable(const QTemporaryDir& dir, const std::vector<Port>& ports = kPorts,
                  const QString& fileName = QStringLiteral("ports.dbf")) {
    const QString path = dir.filePath(fileName);
    PortTable::create(path, StandardPortColumns());
    PortTable::writeStandardTags(path);
    PortTable table;
    table.open(path);
    PortTable::WriteLock lock(table);
    for (std::size_t i = 0; i < ports.size(); ++i) {
        table.insert();
        Fill(table, static_cast<int>(i), ports[i]);
        table.post();
    }
    return path;
}

// Record numbers of the visible records, walking with first/next.
std::vector<int> Walk(PortTable& table) {
    std::vector<int> records;
    for (table.first(); !table.atEnd(); table.next())
        records.push_back(table.recordNumber());
    return records;
}

QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TableError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(NameKeyTest, FoldsCaseAccentsAndLigatures) {
    const std::vector<std::pair<QString, QString>> cases = {
        {"br", "BR"},
        {"Étel", "ETEL"},
        {"Œuf", "OEUF"},
        {"œil", "OEIL"},
        {"Ærø", "AERO"},
        {"Łódź", "LODZ"},
        {"Straße", "STRASSE"},
        {"Ålesund", "ALESUND"},
        {"  Brest ", "BREST"},
        {"São Tomé", "SAO TOME"},
        {"Çanakkale", "CANAKKALE"},
        {"", ""},
    };
    for (const auto& [name, key] : cases)
        EXPECT_EQ(Str(NameKey(name)), Str(key)) << Str(name);
    EXPECT_LT(NameKey("Étel"), NameKey("F"));
    EXPECT_GT(NameKey("Étel"), NameKey("Dunkerque"));
    EXPECT_GT(NameKey("ZZZZZA"), NameKey("ZZZZZ"));
}

TEST(Cp1252Test, KnownBytesAndRoundTrip) {
    const std::vector<std::pair<unsigned char, char16_t>> known = {
        {0x41, u'A'}, {0x80, u'€'}, {0x8C, u'Œ'}, {0x9C, u'œ'}, {0x92, u'’'}, {0x9F, u'Ÿ'},
        {0x8A, u'Š'}, {0x96, u'–'}, {0xE9, u'é'}, {0xC0, u'À'}, {0xFF, u'ÿ'}, {0xA0, u'\u00A0'},
    };
    for (const auto& [byte, ch] : known) {
        const char b = static_cast<char>(byte);
        EXPECT_EQ(FromCp1252(&b, 1), QString(QChar(ch))) << int(byte);
        EXPECT_EQ(ToCp1252(QString(QChar(ch))), QByteArray(1, b)) << int(byte);
    }
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(ToCp1252(FromCp1252(all.constData(), all.size())), all);
    // Not representable: one '?' per character, including one outside the BMP.
    EXPECT_EQ(ToCp1252(QStringLiteral("Łódź \U0001F30A")), QByteArray("?\xF3"
                                                                      "d? ?"));
}

TEST(PortTableTest, CreateWritesCp1252DriverAndStandardColumns) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir, {});
    const QByteArray bytes = ReadBytes(path);
    ASSERT_GT(bytes.size(), 32);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 0x57);

    PortTable table;
    table.open(path);
    ASSERT_EQ(table.columnCount(), 37);
    const std::vector<std::pair<QString, int>> names = {
        {"num", 0},        {"NOM", 1},     {"Z0", 2},       {"A_SA", 3},
        {"A_MS4", 12},     {"G_SA", 13},   {"G_MS4", 22},   {"latitude", 23},
        {"LONGITUDE", 24}, {"FUSEAU", 25}, {"RESERVE", 26}, {"Zone", 27},
        {"PORT_REF", 28},  {"HPMVE", 29},  {"TBMME", 36},   {"NOPE", -1},
    };
    for (const auto& [name, index] : names)
        EXPECT_EQ(table.columnIndex(name), index) << Str(name);
    // The descriptor of FUSEAU (column 25): numeric, width 6, 2 decimals.
    const int at = 32 + ColumnNumber(kFuseau) * 32;
    EXPECT_EQ(bytes[at + 11], 'N');
    EXPECT_EQ(bytes[at + 16], 6);
    EXPECT_EQ(bytes[at + 17], 2);
    EXPECT_EQ(table.visibleCount(), 0);
    EXPECT_TRUE(table.atEnd());
}

TEST(PortTableTest, TagOrdersAndTiesByRecordNumber) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    EXPECT_EQ(Str(table.currentTag()), "Nom");
    EXPECT_EQ(table.tagNames(), QStringList({"Nom", "Zone", "PRINCIPAL", "SECONDAIRE"}));

    const std::vector<std::pair<QString, std::vector<int>>> cases = {
        {"Nom", {11, 3, 4, 5, 1, 10, 2, 6, 0, 9, 7, 8}},
        {"NOM", {11, 3, 4, 5, 1, 10, 2, 6, 0, 9, 7, 8}},
        {"zone", {7, 8, 5, 0, 1, 2, 3, 9, 4, 10, 6, 11}},
        {"PRINCIPAL", {11, 3, 4, 1, 6, 0, 9, 7, 8}},
        {"secondaire", {5, 10, 2}},
    };
    for (const auto& [tag, order] : cases) {
        table.selectTag(tag);
        EXPECT_EQ(Walk(table), order) << Str(tag);
        EXPECT_EQ(table.visibleCount(), static_cast<int>(order.size())) << Str(tag);
    }
    const std::string error = ErrorOf([&] { table.selectTag("Pays"); });
    EXPECT_NE(error.find("Pays"), std::string::npos) << error;
    EXPECT_NE(error.find("ports.tags"), std::string::npos) << error;
}

TEST(PortTableTest, TextRangesOnNames) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    struct Case {
        QString low, high;
        std::vector<int> records;
    };
    const std::vector<Case> cases = {
        {"br", "ZZZZZ", {1, 10, 2, 6, 0, 9, 7}}, // from BREST on, "ZZZZZA" stays out
        {"", "ZZZZZ", {11, 3, 4, 5, 1, 10, 2, 6, 0, 9, 7}},
        {"é", "F", {2}}, // accented initial sorts as its letter
        {"ETEL", "étel", {2}},
        {"oe", "OF", {6}}, // Œ sorts as OE
        {"brest", "BREST", {1, 10}},
        {"a", "a", {}},
        {"Z", "A", {}},
    };
    for (const Case& c : cases) {
        table.setRange(c.low, c.high);
        const int expectedFirst = c.records.empty() ? -1 : c.records.front();
        EXPECT_EQ(table.recordNumber(), expectedFirst) << Str(c.low);
        EXPECT_EQ(Walk(table), c.records) << Str(c.low) << ".." << Str(c.high);
    }
    table.setRange("br", "ZZZZZ");
    EXPECT_EQ(Str(table.text(kNom)), "Brest");
    table.cancelRange();
    EXPECT_EQ(table.visibleCount(), static_cast<int>(kPorts.size()));
}

TEST(PortTableTest, IntegerRangesOnZone) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    table.selectTag("Zone");
    struct Case {
        qint64 low, high;
        std::vector<int> records;
    };
    const std::vector<Case> cases = {
        {7, 7, {5}},
        {3, 7, {7, 8, 5}},
        {1001, 1001, {0, 1, 2, 3, 9}},
        {1000, 1999, {0, 1, 2, 3, 9}}, // every country of zone 1
        {5000, 5999, {6}},
        {100, 999, {}},
    };
    for (const Case& c : cases) {
        table.setRange(c.low, c.high);
        EXPECT_EQ(Walk(table), c.records) << c.low << ".." << c.high;
        for (table.first(); !table.atEnd(); table.next()) {
            EXPECT_GE(table.zone(), c.low);
            EXPECT_LE(table.zone(), c.high);
        }
    }
    // A text range on a numeric tag is read as numbers.
    table.setRange(QStringLiteral("3"), QStringLiteral("7"));
    EXPECT_EQ(Walk(table), (std::vector<int>{7, 8, 5}));
    EXPECT_THROW(table.setRange(QStringLiteral("abc"), QStringLiteral("7")), TableError);
}

TEST(PortTableTest, NearestAndFind) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    struct Nearest {
        QString value;
        int record; // -1: at the end
    };
    for (const Nearest& n : std::vector<Nearest>{{"br", 1},
                                                 {"Bz", 2},
                                                 {"", 11},
                                                 {"zzzzz", 7},
                                                 {"ZZZZZ0", 8},
                                                 {"zzzzzz", -1},
                                                 {"É", 2}}) {
        table.goNearest(n.value);
        EXPECT_EQ(table.recordNumber(), n.record) << Str(n.value);
        EXPECT_EQ(table.atEnd(), n.record < 0) << Str(n.value);
    }
    // Nearest stays inside the range.
    table.setRange("c", "ZZZZZ");
    table.goNearest("a");
    EXPECT_EQ(table.recordNumber(), 2);

    table.cancelRange();
    EXPECT_TRUE(table.findKey("brest"));
    EXPECT_EQ(table.recordNumber(), 1);
    EXPECT_TRUE(table.findKey("ETEL"));
    EXPECT_EQ(table.recordNumber(), 2);
    EXPECT_FALSE(table.findKey("bre")); // exact: a prefix is not found, the record stays
    EXPECT_EQ(table.recordNumber(), 2);

    table.selectTag("Zone");
    EXPECT_TRUE(table.findKey(2005));
    EXPECT_EQ(table.recordNumber(), 4);
    EXPECT_FALSE(table.findKey(4));
    EXPECT_EQ(table.recordNumber(), 4);
    table.goNearest(4);
    EXPECT_EQ(table.recordNumber(), 5);
    table.goNearest(7000);
    EXPECT_TRUE(table.atEnd());
    // A search on the secondary ports does not find a standard one.
    table.selectTag("SECONDAIRE");
    EXPECT_FALSE(table.findKey("Arcachon"));
    EXPECT_TRUE(table.findKey("Boulogne"));
}

TEST(PortTableTest, FilterReadsTheCandidateAndIsAppliedAfresh) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    std::set<qint64> countries = {1};
    // The zone filter of the port window: plain zones and country 0 always, others by country.
    table.setFilter([&countries](const PortTable& t) {
        const qint64 code = t.zone();
        if (code <= 100) return true;
        const qint64 country = code % 1000;
        return country == 0 || countries.count(country) > 0;
    });
    EXPECT_EQ(table.visibleCount(), static_cast<int>(kPorts.size())); // not switched on yet
    table.setFiltered(true);
    EXPECT_EQ(Walk(table), (std::vector<int>{3, 5, 1, 2, 6, 0, 9, 7, 8}));

    countries = {5, 120};
    EXPECT_EQ(table.visibleCount(), 9); // the flags are read when filtering is applied
    table.setFiltered(false);
    EXPECT_EQ(table.visibleCount(), static_cast<int>(kPorts.size()));
    table.setFiltered(true);
    EXPECT_EQ(Walk(table), (std::vector<int>{11, 4, 5, 10, 6, 7, 8}));

    // Filter and range together.
    table.setRange("br", "ZZZZZ");
    EXPECT_EQ(Walk(table), (std::vector<int>{10, 6, 7}));
    table.cancelRange();

    // The callback can read any column of the candidate.
    table.setFilter([](const PortTable& t) { return t.text(kNom).startsWith(u'B'); });
    EXPECT_EQ(Walk(table), (std::vector<int>{4, 5, 1}));
}

TEST(PortTableTest, PositionsForListViews) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    table.moveToVisible(4);
    EXPECT_EQ(table.visiblePosition(), 4);
    EXPECT_EQ(table.recordNumber(), 1);
    table.next();
    EXPECT_EQ(table.visiblePosition(), 5);
    EXPECT_EQ(Str(table.text(kNom)), "brest");
    // Reading another row for a list view leaves the current record alone.
    EXPECT_EQ(Str(table.visibleText(0, kNom)), "Ålesund");
    EXPECT_EQ(Str(table.visibleText(6, kZone)), "1001");
    EXPECT_EQ(Str(table.visibleText(99, kNom)), "");
    EXPECT_EQ(table.visiblePosition(), 5);
    table.moveToVisible(table.visibleCount());
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.visiblePosition(), -1);
    EXPECT_EQ(Str(table.text(kNom)), ""); // no current record: blank values
    table.goNearest("Œ");
    EXPECT_EQ(table.visiblePosition(), 7);
}

// Every tag's order, read through the public interface.
std::vector<std::vector<int>> AllOrders(PortTable& table) {
    std::vector<std::vector<int>> orders;
    for (const QString& tag : table.tagNames()) {
        table.selectTag(tag);
        orders.push_back(Walk(table));
    }
    table.selectTag("Nom");
    return orders;
}

TEST(PortTableTest, EditsKeepEveryOrderAndSurviveReopening) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir);
    PortTable table;
    table.open(path);

    // Rename Arcachon to Zarautz: it moves to the end of the names, keeps its zone place.
    ASSERT_TRUE(table.findKey("Arcachon"));
    table.edit();
    table.setText(kNom, "Zarautz");
    table.post();
    EXPECT_EQ(table.recordNumber(), 3);
    // Brest becomes secondary: it leaves PRINCIPAL for SECONDAIRE.
    ASSERT_TRUE(table.findKey("Brest"));
    EXPECT_EQ(table.recordNumber(), 1);
    table.edit();
    table.setText(kPortRef, "Roscoff");
    table.post();
    // A new standard port.
    table.insert();
    Fill(table, 12, {"Camaret", 1001, ""});
    table.post();
    EXPECT_EQ(table.recordNumber(), 12);
    EXPECT_EQ(Str(table.text(kNom)), "Camaret");
    // Delete Bordeaux: the current record becomes the next one.
    ASSERT_TRUE(table.findKey("Bordeaux"));
    table.remove();
    EXPECT_EQ(Str(table.text(kNom)), "Boulogne");
    // Cancelled changes leave nothing behind.
    table.edit();
    table.setText(kNom, "Nowhere");
    table.cancel();
    EXPECT_EQ(Str(table.text(kNom)), "Boulogne");

    const std::vector<std::vector<int>> expected = {
        {11, 5, 1, 10, 12, 2, 6, 0, 3, 9, 7, 8}, // Nom
        {7, 8, 5, 0, 1, 2, 3, 9, 12, 10, 6, 11}, // Zone
        {11, 12, 6, 0, 3, 9, 7, 8},              // PRINCIPAL
        {5, 1, 10, 2},                           // SECONDAIRE
    };
    EXPECT_EQ(AllOrders(table), expected);
    table.close();

    PortTable reopened;
    reopened.setReadOnly(true);
    reopened.open(path);
    EXPECT_EQ(AllOrders(reopened), expected);
    ASSERT_TRUE(reopened.findKey("Brest"));
    EXPECT_EQ(Str(reopened.text(kPortRef)), "Roscoff");
    EXPECT_FALSE(reopened.findKey("Bordeaux"));
    EXPECT_FALSE(reopened.findKey("Nowhere"));
}

TEST(PortTableTest, RemovingTheLastVisibleRecordMovesBack) {
    QTemporaryDir dir;
    PortTable table;
    table.open(MakeTable(dir));
    table.setRange("ZZZZZ", "ZZZZZA");
    table.moveToVisible(1);
    table.remove();
    EXPECT_EQ(table.recordNumber(), 7);
    table.remove();
    EXPECT_TRUE(table.atEnd());
    EXPECT_EQ(table.visibleCount(), 0);
    EXPECT_THROW(table.remove(), TableError);
    EXPECT_THROW(table.edit(), TableError);
}

TEST(PortTableTest, PostIsOnDiskWhenTheProcessIsKilled) {
    struct Case {
        const char* what;
        std::function<void(PortTable&)> action;
        std::function<void(PortTable&)> check;
    };
    const std::vector<Case> cases = {
        {"insert",
         [](PortTable& t) {
             for (const char* name : {"Killed one", "Killed two"}) {
                 t.insert();
                 Fill(t, 99, {name, 1001, ""});
                 t.post();
             }
         },
         [](PortTable& t) {
             EXPECT_EQ(t.visibleCount(), static_cast<int>(kPorts.size()) + 2);
             EXPECT_TRUE(t.findKey("Killed one"));
             EXPECT_TRUE(t.findKey("Killed two"));
         }},
        {"edit",
         [](PortTable& t) {
             ASSERT_TRUE(t.findKey("Saint-Malo"));
             t.edit();
             t.setReal(kHpmve, -0.25);
             t.post();
         },
         [](PortTable& t) {
             ASSERT_TRUE(t.findKey("Saint-Malo"));
             EXPECT_DOUBLE_EQ(t.real(kHpmve), -0.25);
         }},
        {"delete",
         [](PortTable& t) {
             ASSERT_TRUE(t.findKey("Brest"));
             t.remove();
         },
         [](PortTable& t) {
             EXPECT_EQ(t.visibleCount(), static_cast<int>(kPorts.size()) - 1);
             ASSERT_TRUE(t.findKey("Brest"));
             EXPECT_EQ(t.recordNumber(), 10); // the other "brest" is left
         }},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = MakeTable(dir);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                PortTable table;
                table.open(path);
                c.action(table);
            } catch (...) {
                _exit(2);
            }
            raise(SIGKILL); // no close, no destructor, no exit handlers
            _exit(3);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << c.what << ": child exited with " << WEXITSTATUS(status);
        EXPECT_EQ(WTERMSIG(status), SIGKILL) << c.what;
        PortTable table;
        table.open(path);
        c.check(table);
    }
}

TEST(PortTableTest, TwoTableObjectsAppendWithoutOverwriting) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir);
    PortTable a, b;
    a.open(path);
    b.open(path);
    a.insert();
    Fill(a, 20, {"Alpha", 1, ""});
    a.post();
    b.insert();
    Fill(b, 21, {"Beta", 1, ""});
    b.post();
    EXPECT_TRUE(b.findKey("Alpha")); // picked up before appending
    a.close();                       // must not write back its own, smaller, record count
    b.close();

    PortTable check;
    check.open(path);
    EXPECT_EQ(check.visibleCount(), static_cast<int>(kPorts.size()) + 2);
    EXPECT_TRUE(check.findKey("Alpha"));
    EXPECT_TRUE(check.findKey("Beta"));
}

// Two writers on one file, as the desktop program and ondrel-cli: each write starts from what the
// other wrote, and while one holds the lock the other changes nothing.
TEST(PortTableTest, WritersTakeTurnsAndSeeEachOthersChanges) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir);
    PortTable a, b;
    a.open(path);
    b.open(path);
    ASSERT_TRUE(b.findKey("Arcachon"));
    b.edit();
    b.setText(kPortRef, QStringLiteral("Brest"));
    b.post();
    ASSERT_TRUE(b.findKey("Saint-Malo"));
    b.remove();

    // a still shows Saint-Malo; deleting it again, or editing another row, keeps b's changes.
    ASSERT_TRUE(a.findKey("Saint-Malo"));
    a.remove();
    ASSERT_TRUE(a.findKey("Œuf"));
    a.edit();
    a.setInteger(kZ0, 7);
    a.post();
    EXPECT_FALSE(a.findKey("Saint-Malo"));
    ASSERT_TRUE(a.findKey("Arcachon"));
    EXPECT_EQ(a.text(kPortRef), QStringLiteral("Brest"));

    const QByteArray before = ReadBytes(path);
    {
        PortTable::WriteLock lock(a);
        b.insert();
        Fill(b, 30, {"Gamma", 1, ""});
        EXPECT_NE(ErrorOf([&] { b.post(); }).find("being changed by another Ondrel"),
                  std::string::npos);
        b.cancel();
        ASSERT_TRUE(b.findKey("Brest"));
        EXPECT_THROW(b.remove(), TableBusy);
        EXPECT_EQ(ReadBytes(path), before);
        a.insert(); // the holder writes on
        Fill(a, 31, {"Delta", 1, ""});
        a.post();
    }
    b.insert();
    Fill(b, 32, {"Epsilon", 1, ""});
    b.post(); // the lock is free again

    PortTable check;
    check.open(path);
    EXPECT_EQ(check.visibleCount(), static_cast<int>(kPorts.size()) - 1 + 2);
    for (const char* name : {"Delta", "Epsilon", "Œuf", "Arcachon"})
        EXPECT_TRUE(check.findKey(QString::fromUtf8(name))) << name;
    EXPECT_FALSE(check.findKey("Gamma"));
    ASSERT_TRUE(check.findKey("Œuf"));
    EXPECT_EQ(check.integer(kZ0), 7);
}

// Records are read from the file when first shown: a file cut short by another program while it
// is open reads blank there, never garbage or a crash, and the next write says what happened.
TEST(PortTableTest, AFileCutShortWhileOpenReadsBlankAndRefusesWrites) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir);
    PortTable table;
    table.open(path);
    const QByteArray bytes = ReadBytes(path);
    const int header = quint8(bytes[8]) | quint8(bytes[9]) << 8;
    const int length = quint8(bytes[10]) | quint8(bytes[11]) << 8;
    QFile file(path); // records 10 (cut half-way) and 11 gone
    ASSERT_TRUE(file.resize(header + 10 * length + length / 2));
    ASSERT_TRUE(table.findKey(QStringLiteral("Ålesund"))); // record 11
    EXPECT_EQ(table.text(kNom), QString());
    // Its blanks are never edited and written back.
    EXPECT_NE(ErrorOf([&] { table.edit(); }).find("cannot be read"), std::string::npos);
    ASSERT_TRUE(table.findKey(QStringLiteral("Saint-Malo"))); // record 0, still whole
    EXPECT_EQ(table.text(kNom), QStringLiteral("Saint-Malo"));
    table.insert();
    Fill(table, 40, {"Zeta", 1, ""});
    EXPECT_NE(ErrorOf([&] { table.post(); }).find("truncated"), std::string::npos);
}

TEST(PortTableTest, ReadOnlyRefusesEveryWrite) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir);
    const QByteArray before = ReadBytes(path);
    PortTable table;
    table.setReadOnly(true);
    table.open(path);
    EXPECT_TRUE(table.isReadOnly());
    const std::vector<std::pair<const char*, std::function<void()>>> writes = {
        {"insert", [&] { table.insert(); }},
        {"edit", [&] { table.edit(); }},
        {"remove", [&] { table.remove(); }},
        {"setText", [&] { table.setText(kNom, "X"); }},
        {"setInteger", [&] { table.setInteger(kZone, 1); }},
        {"setReadOnly", [&] { table.setReadOnly(false); }},
    };
    for (const auto& [what, write] : writes)
        EXPECT_THROW(write(), TableError) << what;
    EXPECT_FALSE(table.isEditing());
    table.close();
    EXPECT_EQ(ReadBytes(path), before);

    table.setReadOnly(false);
    table.open(path);
    EXPECT_THROW(table.setReadOnly(true), TableError);
    EXPECT_NO_THROW(table.edit());
    // Moving while a record is being edited is refused rather than losing the change.
    EXPECT_THROW(table.next(), TableError);
}

TEST(PortTableTest, TextColumnsRoundTripThroughCp1252) {
    QTemporaryDir dir;
    const std::vector<Port> ports = {
        {"Pointe-à-Pitre", 1, ""}, {"Œil de bœuf", 1, ""}, {"Prix 5 €", 1, ""},
        {"Łódź", 1, ""},           {"Ça ira", 1, ""},
    };
    const QString path = MakeTable(dir, ports);
    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.contains("Pointe-\xE0-Pitre"));
    EXPECT_TRUE(bytes.contains("\x8C"
                               "il de b\x9C"
                               "uf"));
    EXPECT_TRUE(bytes.contains("Prix 5 \x80"));
    EXPECT_TRUE(bytes.contains("?\xF3"
                               "d?"));

    PortTable table;
    table.open(path);
    const std::vector<std::pair<int, QString>> expected = {
        {0, "Pointe-à-Pitre"}, {1, "Œil de bœuf"}, {2, "Prix 5 €"}, {3, "?ód?"}, {4, "Ça ira"},
    };
    for (const auto& [record, name] : expected) {
        table.first();
        while (!table.atEnd() && table.recordNumber() != record)
            table.next();
        ASSERT_FALSE(table.atEnd());
        EXPECT_EQ(table.text(kNom), name);
    }
}

TEST(PortTableTest, NumberConversions) {
    QTemporaryDir dir;
    const QString path = MakeTable(dir, {{"Brest", 1001, ""}});
    PortTable table;
    table.open(path);
    table.first();
    table.edit();
    table.setReal(kFuseau, -3.25);
    table.setReal(kHpmve, 2.5);
    table.setText(kLatitude, "abc");
    table.setText(kPortRef, " 12 ");
    table.setText(kZ0, "");
    table.post();
    table.setDecimalSeparator(u',');

    struct Case {
        PortColumn column;
        QString text;
        qint64 integer;
        double real;
    };
    const std::vector<Case> cases = {
        {kFuseau, "-3,25", -3, -3.25},
        {kHpmve, "2,5000", 3, 2.5}, // integer() rounds half away from zero
        {kZone, "1001", 1001, 1001},
        {kZ0, "", 0, 0},               // blank numeric field
        {PortColumn::HPMME, "", 0, 0}, // never written
        {kPortRef, " 12", 12, 12},     // a text holding a number
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.text(c.column), c.text) << ColumnNumber(c.column);
        EXPECT_EQ(table.integer(c.column), c.integer) << ColumnNumber(c.column);
        EXPECT_DOUBLE_EQ(table.real(c.column), c.real) << ColumnNumber(c.column);
    }
    table.setDecimalSeparator(u'.');
    EXPECT_EQ(Str(table.text(kFuseau)), "-3.25");

    const std::string error = ErrorOf([&] { (void)table.integer(kLatitude); });
    EXPECT_NE(error.find("LATITUDE"), std::string::npos) << error;
    EXPECT_THROW((void)table.real(kLatitude), TableError);
    EXPECT_EQ(table.zone(), 1001);

    table.setDecimalSeparator(u',');
    table.edit();
    EXPECT_THROW(table.setInteger(kZone, 12345678), TableError); // wider than the column
    EXPECT_THROW(table.setText(kZone, "x"), TableError);
    table.setText(kFuseau, "5,5"); // typed text uses the decimal separator
    EXPECT_DOUBLE_EQ(table.real(kFuseau), 5.5);
    table.cancel();
}

TEST(PortTableTest, DamagedFilesAreReportedWithTheirPath) {
    struct Case {
        const char* what;
        std::function<void(const QString& dbf, const QString& tags)> damage;
        const char* message;
        bool namesTags;
    };
    auto patch = [](const QString& path, int at, QByteArray with) {
        QByteArray bytes = ReadBytes(path);
        bytes.replace(at, with.size(), with);
        WriteBytes(path, bytes);
    };
    const std::vector<Case> cases = {
        {"missing table", [](const QString& dbf, const QString&) { QFile::remove(dbf); }, "missing",
         false},
        {"empty table", [](const QString& dbf, const QString&) { WriteBytes(dbf, {}); }, "empty",
         false},
        {"short table", [](const QString& dbf, const QString&) { WriteBytes(dbf, "\x03\x7C"); },
         "too short", false},
        {"truncated last record",
         [](const QString& dbf, const QString&) {
             QByteArray b = ReadBytes(dbf);
             WriteBytes(dbf, b.left(b.size() - 20));
         },
         "truncated", false},
        {"garbage",
         [](const QString& dbf, const QString&) {
             WriteBytes(dbf, QByteArray("This is a text file, not a table at all.\n").repeated(50));
         },
         "not a dBase table", false},
        {"header length past the end",
         [&](const QString& dbf, const QString&) { patch(dbf, 8, QByteArray("\xFF\xFF", 2)); },
         "header length", false},
        {"record length",
         [&](const QString& dbf, const QString&) { patch(dbf, 10, QByteArray("\x05\x00", 2)); },
         "record length", false},
        {"no terminator",
         [&](const QString& dbf, const QString&) { patch(dbf, 32 + 37 * 32, "X"); },
         "not terminated", false},
        {"record count too large",
         [&](const QString& dbf, const QString&) {
             patch(dbf, 4, QByteArray("\x10\x27\x00\x00", 4));
         },
         "truncated", false},
        {"missing tags", [](const QString&, const QString& tags) { QFile::remove(tags); },
         "missing", true},
        {"binary tags",
         [](const QString&, const QString& tags) {
             WriteBytes(tags, QByteArray("\xFF\xFE\x00\x01\x02", 5));
         },
         "not UTF-8", true},
        {"unknown column",
         [](const QString&, const QString& tags) { WriteBytes(tags, "Nom = NAME\n"); },
         "line 1: the tag Nom uses the unknown column NAME", true},
        {"unknown condition column",
         [](const QString&, const QString& tags) {
             WriteBytes(tags, "# x\nP = NOM where REF empty\n");
         },
         "line 2: the tag P uses the unknown column REF", true},
        {"bad line",
         [](const QString&, const QString& tags) { WriteBytes(tags, "Nom = NOM\nZone ZONE\n"); },
         "line 2: expected", true},
        {"bad condition",
         [](const QString&, const QString& tags) {
             WriteBytes(tags, "P = NOM where PORT_REF blank\n");
         },
         "line 1: expected", true},
        {"tag twice",
         [](const QString&, const QString& tags) { WriteBytes(tags, "Nom = NOM\nNOM = ZONE\n"); },
         "defined twice", true},
        {"no tag", [](const QString&, const QString& tags) { WriteBytes(tags, "# nothing\n\n"); },
         "defines no tag", true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString dbf = MakeTable(dir);
        const QString tags = PortTable::tagFilePath(dbf);
        c.damage(dbf, tags);
        PortTable table;
        const std::string error = ErrorOf([&] { table.open(dbf); });
        const QString named =
            QDir(dir.path()).absoluteFilePath(c.namesTags ? "ports.tags" : "ports.dbf");
        EXPECT_NE(error.find(Str(named)), std::string::npos) << c.what << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
        EXPECT_FALSE(table.isOpen()) << c.what;
    }
}

TEST(PortTableTest, OpensANameThatDiffersInCase) {
    QTemporaryDir dir;
    MakeTable(dir);
    PortTable table;
    table.open(dir.filePath("ports.DBF"));
    EXPECT_EQ(table.visibleCount(), static_cast<int>(kPorts.size()));
}

TEST(PortTableTest, FullSizeTableOpensInNameOrder) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.dbf");
    PortTable::create(path, StandardPortColumns());
    PortTable::writeStandardTags(path);
    {
        PortTable table;
        table.open(path);
        PortTable::WriteLock lock(table);
        for (int i = 0; i < 6100; ++i) {
            table.insert();
            // Names in a scrambled order, some accented.
            const int n = (i * 7919) % 6100;
            const QString initial = n % 3 ? QString() : QStringLiteral("É");
            const QString name =
                initial + QStringLiteral("Port %1").arg(n, 4, 10, QLatin1Char('0'));
            Fill(table, i, {name, (n % 10) + 1, n % 4 ? QString() : QStringLiteral("Ref")});
            table.post();
        }
    }
    // The cost of opening is measured by the benchmarks (bench/PortTableBench.cpp).
    PortTable table;
    table.open(path);
    ASSERT_EQ(table.visibleCount(), 6100);
    QString previous;
    for (table.first(); !table.atEnd(); table.next()) {
        const QString key = NameKey(table.text(kNom));
        EXPECT_LE(previous, key);
        previous = key;
    }
    table.selectTag("PRINCIPAL");
    EXPECT_EQ(table.visibleCount(), 6100 - 1525);
}

// ondrel-cli run as a user would, on a small table made for the test; its output is compared with
// the engine's own results.
#include "TestPortTable.h"
#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "engine/Curve.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/Report.h"
#include "engine/TidePosition.h"
#include "ports/HarmonicsFile.h"
#include "ports/PortColumns.h"
#include "ports/PortLoader.h"
#include "ports/PortTable.h"
#include "texts/TideTableText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace ondrel {
namespace {

struct Row {
    const char* name;
    const char* ref; // standard port of a secondary, or ""
    double timeZone;
    double corrections[8]; // HPMVE ... TBMME
};

const Row kRows[] = {
    {"BREST", "", 1, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"BREST SECONDAIRE", "BREST", 1, {91.05, 91.02, 0.1, 0.05, 0.4, 0.2, -0.3, -0.1}},
    {"BRIGNOGAN", "", 1, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"ÉTEL", "", 1, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"HALIFAX", "", -4, {0, 0, 0, 0, 0, 0, 0, 0}},
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        table = dir.filePath(QStringLiteral("ports.dbf"));
        // Constants distinct per row, so that every port has its own tides.
        const std::array<int, 10> amplitudes{60, 20, 70, 80, 420, 2050, 750, 10, 50, 30};
        const std::array<int, 10> phases{250, 310, 330, 75, 80, 100, 140, 50, 100, 150};
        std::vector<test::TestPortRow> rows;
        int number = 0;
        for (const Row& r : kRows) {
            ++number;
            test::TestPortRow row;
            row.name = QString::fromUtf8(r.name);
            row.standardPort = QString::fromUtf8(r.ref);
            row.timeZone = r.timeZone;
            row.meanLevel = 420;
            for (std::size_t i = 0; i < 10; ++i) {
                row.amplitudes[i] = amplitudes[i] + number * 3;
                row.phases[i] = (phases[i] + number * 7) % 360;
            }
            std::copy(std::begin(r.corrections), std::end(r.corrections), row.corrections.begin());
            rows.push_back(row);
        }
        test::WriteTestPortTable(table, rows);
    }

    struct Result {
        int exitCode;
        QString out;
        QString err;
    };

    Result Run(QStringList args, bool withTable = true) {
        if (withTable) args = QStringList{QStringLiteral("--table"), table} + args;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), dir.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(ONDREL_CLI_PATH), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    PortRecord Load(const QString& name) {
        PortTable t;
        t.open(table);
        EXPECT_TRUE(t.findKey(name));
        PortRecord port;
        Chargement(t, port, {});
        return port;
    }

    QTemporaryDir dir;
    QString table;
};

TEST_F(Cli, DayPrintsTheReportLinesAndLabels) {
    const double day = JulianDay(2026, 12, 7);
    struct Case {
        QStringList args;
        int ref;
        HeightUnit unit;
        Language language;
    };
    const Case cases[] = {
        {{}, 0, HeightUnit::Metres, Language::French},
        {{"--lang", "en", "--unit", "ft"}, 0, HeightUnit::Feet, Language::English},
        {{"--ref", "100"}, 100, HeightUnit::Metres, Language::French},
        {{"--ref", "2", "--lang", "en"}, 2, HeightUnit::Metres, Language::English},
    };
    for (const char* name : {"BREST", "BREST SECONDAIRE", "HALIFAX"}) {
        const PortRecord port = Load(QString::fromUtf8(name));
        for (const Case& c : cases) {
            const TideContext ctx(TimeReference(c.ref), port.timeZone);
            QStringList expected;
            for (const std::string& line :
                 DayReportLines(DayTideEvents(ctx, port, day), c.unit, c.language))
                expected << QString::fromStdString(line);
            const CoefficientPair coefficients = DayCoefficients(ctx, day);
            expected << QString::fromStdString(
                            MorningCoefficientLabel(coefficients.morning, c.language))
                     << QString::fromStdString(
                            EveningCoefficientLabel(coefficients.evening, c.language));
            const Result r = Run(QStringList{"day", name, "--date", "2026-12-07"} + c.args);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            EXPECT_EQ(r.out, expected.join(u'\n') + u'\n') << name;
        }
    }
}

TEST_F(Cli, DayJsonCarriesTheExactValues) {
    const PortRecord port = Load(QStringLiteral("BREST SECONDAIRE"));
    const TideContext ctx(TimeReference(100), port.timeZone);
    const double day = JulianDay(2026, 3, 21);
    const DayEvents events = DayTideEvents(ctx, port, day);
    const Result r = Run({"day", "brest s", "--date", "2026-03-21", "--ref", "100", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o["port"].toString(), "BREST SECONDAIRE");
    EXPECT_EQ(o["day"].toDouble(), day);
    const QJsonArray ev = o["events"].toArray();
    int filled = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (events[i].empty()) continue;
        const QJsonObject e = ev[filled++].toObject();
        EXPECT_EQ(e["slot"].toInt(), static_cast<int>(i + 1));
        EXPECT_EQ(e["time"].toDouble(), events[i].time); // 17 digits give the double back
        EXPECT_EQ(e["height"].toDouble(), events[i].height);
    }
    EXPECT_EQ(ev.size(), filled);
    const CoefficientPair c = DayCoefficients(ctx, day);
    EXPECT_EQ(o["coefficients"].toArray()[0].toInt(), c.morning);
    EXPECT_EQ(o["coefficients"].toArray()[1].toInt(), c.evening);
    EXPECT_EQ(o["lines"].toArray().size(), filled);
    EXPECT_EQ(o["labels"].toArray()[1].toString(),
              QString::fromStdString(EveningCoefficientLabel(c.evening, Language::French)));
}

TEST_F(Cli, CurveGivesTheEnginesSamples) {
    const double day = JulianDay(2026, 12, 7);
    for (const char* name : {"BREST", "BREST SECONDAIRE"}) {
        const PortRecord port = Load(QString::fromUtf8(name));
        const TideContext ctx(TimeReference(0), port.timeZone);
        struct Case {
            QStringList args;
            std::vector<CurvePoint> expected;
        };
        SecondaryDayCache cache;
        cache.prepare(ctx, port, day);
        std::vector<CurvePoint> dayCurve = DayCurve(ctx, cache, port, day, day + 1, 1);
        SecondaryDayCache hoursCache;
        hoursCache.prepare(ctx, port, day + 0.25);
        std::vector<CurvePoint> hours =
            DayCurve(ctx, hoursCache, port, day + 0.25, day + 0.75, UnitFactor(HeightUnit::Feet));
        SecondaryDayCache weekCache;
        std::vector<CurvePoint> week = SpanCurve(ctx, weekCache, port, day, 7, 1);
        const Case cases[] = {
            {{}, dayCurve},
            {{"--start", "06:00", "--end", "18:00", "--unit", "ft"}, hours},
            {{"--span", "week"}, week},
        };
        for (const Case& c : cases) {
            const Result r = Run(QStringList{"curve", name, "--date", "2026-12-07"} + c.args);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
            ASSERT_EQ(lines.size(), static_cast<qsizetype>(c.expected.size())) << name;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QStringList xy = lines[i].split(u' ');
                ASSERT_EQ(xy.size(), 2);
                EXPECT_EQ(xy[0].toDouble(), c.expected[i].x);
                EXPECT_EQ(xy[1].toDouble(), c.expected[i].y);
            }
        }
    }
    const Result json = Run({"curve", "BREST", "--date", "2026-12-07", "--json"});
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()["points"].toArray().size(), 289);
}

TEST_F(Cli, PortsListFromThePrefixOn) {
    const Result all = Run({"ports"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    QStringList names;
    for (const QString& line : all.out.split(u'\n', Qt::SkipEmptyParts))
        names << line.section(u'\t', 0, 0);
    EXPECT_EQ(names, (QStringList{"BREST", "BREST SECONDAIRE", "BRIGNOGAN", "ÉTEL", "HALIFAX"}));
    EXPECT_TRUE(all.out.contains(QStringLiteral("secondary of BREST")));
    const Result fromC = Run({"ports", "c"});
    EXPECT_TRUE(fromC.out.startsWith(QStringLiteral("ÉTEL\t48 23 N\t004 30 W\t1")));
}

TEST_F(Cli, PortNamesAndArgumentsThatCannotBeUsed) {
    struct Case {
        QStringList args;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        {{"day", "br"}, 2, "several ports start with br"},
        {{"day", "NANTES"}, 2, "no port named NANTES"},
        {{"day", "BREST", "--unit", "cm"}, 2, "--unit"},
        {{"day", "BREST", "--date", "2026-13-01"}, 2, "--date"},
        {{"day", "BREST", "--ref", "7"}, 2, "--ref"},
        {{"curve", "BREST", "--start", "18:00", "--end", "06:00"}, 2, "--start"},
        {{"tide", "BREST"}, 2, "unknown command"},
        {{"day"}, 2, "one port name"},
        {{"day", "BREST", "--lang"}, 2, "--lang needs a value"},
        {{"day", "BREST", "--table", ""}, 2, "--table takes the path"},
        {{"curve", "BREST", "--png", ""}, 2, "--png takes the name"},
        // The first bad argument is the one named, whatever kind of fault it is.
        {{"day", "BREST", "--unit", "cm", "--frob"}, 2, "--unit takes m or ft"},
        {{"day", "BREST", "--frob", "--unit", "cm"}, 2, "unknown option --frob"},
        {{"day", "BREST", "--json=1", "--unit", "cm"}, 2, "unknown option --json=1"},
        {{"day", "BREST", "--h"}, 2, "unknown option --h"},
        {{"day", "-h1"}, 2, "no port named -h1"}, // one dash: a name, not an option
        {{"day", "BREST", "--date", "1600-06-01"}, 2, "--date takes a date from 1700-01-01"},
        {{"day", "BREST", "--csv"}, 2, "--csv, --ics and --pdf are outputs of table only"},
    };
    for (const Case& c : cases) {
        const Result r = Run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n') >= 1, true);
    }
    // An exact name wins over the longer names it begins.
    EXPECT_EQ(Run({"day", "brest", "--json"}).exitCode, 0);
    EXPECT_EQ(Run({"day", "ete", "--json"}).exitCode, 0);
}

#ifdef ONDREL_CLI_PICTURES
TEST_F(Cli, CurvePictureHasTheAskedSize) {
    const QString png = dir.filePath(QStringLiteral("week.png"));
    const Result r = Run({"curve", "BREST", "--span", "week", "--png", png, "--size", "640x400"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()); // the picture replaces the points
    QImageReader reader(png);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), QSize(640, 400));

    const Result badSize = Run({"curve", "BREST", "--png", png, "--size", "64x"});
    EXPECT_EQ(badSize.exitCode, 2);
    const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/c.png"));
    const Result unwritable = Run({"curve", "BREST", "--png", nowhere});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(nowhere)) << unwritable.err.toStdString();

    // The format the name's suffix asks for; PNG without one; a suffix Qt cannot write is
    // refused, never PNG data under another format's name.
    const std::pair<const char*, QByteArray> formats[] = {
        {"c.jpg", "jpeg"}, {"c.BMP", "bmp"}, {"c", "png"}, {"c.chart", ""}, {"c.pdf", ""}};
    for (const auto& [name, format] : formats) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        ASSERT_EQ(Run({"curve", "BREST", "--png", file}).exitCode, format.isEmpty() ? 1 : 0)
            << name;
        EXPECT_EQ(QImageReader(file).format(), format) << name;
        EXPECT_EQ(QFileInfo::exists(file), !format.isEmpty()) << name;
    }
    const QString svg = dir.filePath(QStringLiteral("c.svg"));
    ASSERT_EQ(Run({"curve", "BREST", "--png", svg, "--size", "300x200"}).exitCode, 0);
    QFile drawing(svg);
    ASSERT_TRUE(drawing.open(QIODevice::ReadOnly));
    EXPECT_TRUE(drawing.readAll().contains(R"(viewBox="0 0 300 200")"));
}
#else
TEST_F(Cli, CurvePictureIsAUsageErrorWithoutTheChart) {
    const Result r = Run({"curve", "BREST", "--png", dir.filePath(QStringLiteral("c.png"))});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("without the chart"))) << r.err.toStdString();
}
#endif

TEST_F(Cli, TableThatCannotBeUsedIsNamed) {
    const QString missing = dir.filePath(QStringLiteral("nowhere/ports.dbf"));
    const QString fifo = dir.filePath(QStringLiteral("fifo.dbf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString miscounted = dir.filePath(QStringLiteral("miscounted.dbf"));
    QFile::copy(table, miscounted);
    QFile::copy(PortTable::tagFilePath(table), PortTable::tagFilePath(miscounted));
    {
        QFile f(miscounted);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite) && f.seek(4));
        f.write(QByteArray("\x09\0\0\0", 4)); // nine records announced, five present
    }
    const QString badRow = dir.filePath(QStringLiteral("badrow.dbf"));
    QFile::copy(table, badRow);
    QFile::copy(PortTable::tagFilePath(table), PortTable::tagFilePath(badRow));
    {
        PortTable t;
        t.open(badRow);
        ASSERT_TRUE(t.findKey(QStringLiteral("BREST")));
        t.edit();
        t.setInteger(PortColumn::A_M2, -5);
        t.post();
    }
    // A time zone that cannot be read: the desktop program keeps its previous zone and says
    // so; the command line gives no times counted in some other zone.
    const QString badZone = dir.filePath(QStringLiteral("badzone.dbf"));
    QFile::copy(table, badZone);
    QFile::copy(PortTable::tagFilePath(table), PortTable::tagFilePath(badZone));
    {
        PortTable t;
        t.open(badZone);
        ASSERT_TRUE(t.findKey(QStringLiteral("BREST")));
        t.edit();
        t.setText(PortColumn::FUSEAU, QStringLiteral("99"));
        t.post();
    }
    const std::pair<QString, QString> cases[] = {
        {missing, missing},
        {fifo, QStringLiteral("pipe")}, // refused at once, not waited on
        {miscounted, QStringLiteral("truncated")},
        {badRow, QStringLiteral("A_M2")},
        {badZone, QStringLiteral("column 25 (FUSEAU) holds 99")},
    };
    for (const auto& [path, expected] : cases) {
        const Result r = Run({"day", "BREST", "--table", path}, false);
        EXPECT_EQ(r.exitCode, 1) << path.toStdString();
        EXPECT_TRUE(r.err.contains(path)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(expected)) << r.err.toStdString();
    }
}

TEST_F(Cli, FindsTheTableInTheWorkingDirectory) {
    const Result r = Run({"ports", "HAL"}, false);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("HALIFAX")));
}

// Ports of both hemispheres and beyond the polar circle for the sun: rows added to the table.
void AddPort(const QString& table, const char* name, const char* latitude, const char* longitude,
             double zone) {
    PortTable t;
    t.open(table);
    t.insert();
    t.setInteger(PortColumn::NUM, 90);
    t.setText(PortColumn::NOM, QString::fromUtf8(name));
    t.setInteger(PortColumn::Z0, 400);
    for (int i = 0; i < 10; ++i) {
        t.setInteger(PortColumn::A_SA + i, 100 * (i + 1));
        t.setInteger(PortColumn::G_SA + i, 30 * i);
    }
    t.setText(PortColumn::LATITUDE, QString::fromUtf8(latitude));
    t.setText(PortColumn::LONGITUDE, QString::fromUtf8(longitude));
    t.setReal(PortColumn::FUSEAU, zone);
    t.setInteger(PortColumn::RESERVE, 0);
    t.setInteger(PortColumn::ZONE, 1001);
    t.post();
}

TEST_F(Cli, SunGivesTheWindowsTextsAndTheRawValues) {
    AddPort(table, "HOBART", "42 53 S", "147 20 E", 10);
    AddPort(table, "NY-ALESUND", "78 56 N", "011 57 E", 1);
    struct Case {
        const char* port;
        double latitude, longitude, zone; // north and west positive
        QDate date;
        QStringList args;
        int ref;
        Language language;
        astro::SunDay day;
        int lines; // a day without sunrise or sunset has no azimuth line for it
    };
    const Case cases[] = {
        {"BREST",
         48 + 23 / 60.0,
         4.5,
         1,
         QDate(2024, 6, 21),
         {},
         0,
         Language::French,
         astro::SunDay::RisesAndSets,
         6},
        {"HOBART",
         -(42 + 53 / 60.0),
         -(147 + 20 / 60.0),
         10,
         QDate(2024, 3, 17),
         {"--lang", "en", "--ref", "100"},
         100,
         Language::English,
         astro::SunDay::RisesAndSets,
         6},
        {"NY",
         78 + 56 / 60.0,
         -(11 + 57 / 60.0),
         1,
         QDate(2024, 6, 21),
         {},
         0,
         Language::French,
         astro::SunDay::AlwaysUp,
         4},
        {"NY",
         78 + 56 / 60.0,
         -(11 + 57 / 60.0),
         1,
         QDate(2024, 12, 21),
         {"--lang", "en"},
         0,
         Language::English,
         astro::SunDay::AlwaysDown,
         4},
        // The midnight sun begins: the sun rises soon after the port's midnight and stays up.
        {"NY",
         78 + 56 / 60.0,
         -(11 + 57 / 60.0),
         1,
         QDate(2026, 4, 16),
         {"--ref", "100"},
         100,
         Language::French,
         astro::SunDay::RisesAndSets,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        const double date = JulianDay(c.date.year(), c.date.month(), c.date.day());
        const astro::SunEphemeris sun = astro::SunriseSunset(c.longitude, c.latitude, date);
        ASSERT_EQ(sun.day, c.day);
        const astro::Moon moon = astro::MoonAt(date);
        const double offset = c.ref == 0 ? c.zone : c.ref - 100;
        const astro::EphemerisTexts texts =
            astro::EphemerisTextsOf(sun, moon, offset, TimeReference(c.ref), c.language);
        QStringList lines;
        for (const std::string& t :
             {texts.sunrise, texts.sunset, texts.sunriseAzimuth, texts.sunsetAzimuth, texts.moonAge,
              texts.moonPhase.value_or("")})
            if (!t.empty()) lines << QString::fromStdString(t);
        const QStringList args =
            QStringList{"sun", c.port, "--date", c.date.toString(Qt::ISODate)} + c.args;
        const Result text = Run(args);
        ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
        EXPECT_EQ(text.out, lines.join(u'\n') + u'\n');
        EXPECT_EQ(text.out.count(u'\n'), c.lines);

        const Result json = Run(args + QStringList{"--json"});
        ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        EXPECT_EQ(o["date"].toDouble(), date);
        EXPECT_EQ(o["moon_age"].toDouble(), moon.age);
        EXPECT_EQ(o["phase"].toString(), QString::fromStdString(texts.moonPhase.value_or("")));
        EXPECT_EQ(o["lines"].toVariant().toStringList(), lines);
        const std::pair<const char*, std::optional<double>> raw[] = {
            {"sunrise", sun.sunrise ? std::optional(sun.sunrise->ut) : std::nullopt},
            {"sunset", sun.sunset ? std::optional(sun.sunset->ut) : std::nullopt},
            {"sunrise_azimuth", sun.sunrise ? std::optional(sun.sunrise->azimuth) : std::nullopt},
            {"sunset_azimuth", sun.sunset ? std::optional(sun.sunset->azimuth) : std::nullopt}};
        for (const auto& [key, value] : raw) {
            if (value)
                EXPECT_EQ(o[key].toDouble(), *value) << key;
            else
                EXPECT_TRUE(o[key].isNull()) << key;
        }
    }
}

TEST_F(Cli, NowGivesTheIconOfThePresentInstant) {
    const PortRecord port = Load(QStringLiteral("BREST"));
    const TideContext ctx(TimeReference(0), port.timeZone);
    // The icon the engine gives for an instant read from the clock as the program reads it.
    const auto icon = [&](const QDateTime& clock) {
        const double day = JulianDay(clock.date().year(), clock.date().month(), clock.date().day());
        const double now = day + clock.time().msecsSinceStartOfDay() / 86400000.0;
        const auto index =
            TidePositionIndex([&](int d) { return DayTideEvents(ctx, port, day + d); }, now);
        return QStringLiteral("%1 %2\n").arg(index ? QString::number(*index)
                                                   : QStringLiteral("none"),
                                             QString::fromStdString(TideIconName(index)));
    };
    // Run again in the rare case that the icon changed while the program ran.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString before = icon(QDateTime::currentDateTime());
        const Result r = Run({"now", "BREST"});
        const QString after = icon(QDateTime::currentDateTime());
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        if (before != after) continue;
        EXPECT_EQ(r.out, before);
        const QJsonObject o =
            QJsonDocument::fromJson(Run({"now", "BREST", "--json"}).out.toUtf8()).object();
        EXPECT_EQ(o["icon"].toString() + u'\n', before.section(u' ', 1));
        return;
    }
    FAIL() << "the icon kept changing";
}

TEST_F(Cli, SunAndNowAreListedAndTakeOnePort) {
    EXPECT_TRUE(Run({"--help"}).out.contains(QStringLiteral("  now PORT")));
    for (const QStringList& args : {QStringList{"sun"}, QStringList{"now", "BREST", "HALIFAX"}}) {
        const Result r = Run(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QStringLiteral("takes one port name"))) << r.err.toStdString();
    }
}

TEST_F(Cli, ExportThenImportMovesPortsBetweenTables) {
    const Result exported = Run({"export", "brest secondaire", "ÉTEL", "--decimal-separator", ","});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out.count(QStringLiteral("\r\n")), 2 * 37);
    const QString add = dir.filePath(QStringLiteral("two.add"));
    {
        QFile f(add);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(exported.out.toUtf8());
    }
    // Into a copy of the table without those two ports: equal rows.
    QTemporaryDir other;
    const QString target = other.filePath(QStringLiteral("ports.dbf"));
    ASSERT_TRUE(QFile::copy(table, target));
    ASSERT_TRUE(QFile::copy(PortTable::tagFilePath(table), PortTable::tagFilePath(target)));
    {
        PortTable t;
        t.open(target);
        for (const char* name : {"BREST SECONDAIRE", "ÉTEL"}) {
            ASSERT_TRUE(t.findKey(QString::fromUtf8(name)));
            t.remove();
        }
    }
    struct Case {
        QStringList args;
        int exitCode;
        const char* out;
    };
    const Case cases[] = {
        {{"import", add, "--decimal-separator", ","}, 0, "added\tBREST SECONDAIRE\nadded\tÉTEL\n"},
        {{"import", add, "--decimal-separator", ",", "--json"},
         0,
         "{\"added\": [], \"skipped\": [\"BREST SECONDAIRE\", \"ÉTEL\"], \"refused\": [], "
         "\"log\": [], "
         "\"logFile\": "},
        {{"import", add, "--decimal-separator", "."},
         0,
         "skipped\tBREST SECONDAIRE\nskipped\tÉTEL\n"},
        {{"import", dir.filePath(QStringLiteral("none.add"))}, 1, ""},
    };
    for (const Case& c : cases) {
        const Result r = Run(QStringList{"--table", target} + c.args, false);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty() ? !*c.out : r.out.startsWith(QString::fromUtf8(c.out)))
            << r.out.toStdString();
    }
    PortTable a, b;
    a.open(table);
    b.open(target);
    for (const char* name : {"BREST SECONDAIRE", "ÉTEL"}) {
        ASSERT_TRUE(a.findKey(QString::fromUtf8(name)));
        ASSERT_TRUE(b.findKey(QString::fromUtf8(name)));
        for (const PortColumn c : PortColumnsFromTo(PortColumn::NUM, PortColumn::TBMME))
            EXPECT_EQ(b.text(c), a.text(c)) << name << " column " << PortColumnName(c).data();
    }

    // A record that cannot be read whole is not stored: its line, port and field are told, the
    // log beside the table, exit 3.
    {
        QFile f(add);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("7\r\nNEW PORT\r\n12a\r\n");
    }
    const Result bad = Run({"import", add});
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_TRUE(bad.out.startsWith(QStringLiteral("log\t5: Pb  field integer avec filed = 12a\n")))
        << bad.out.toStdString();
    EXPECT_TRUE(
        bad.err.contains(QStringLiteral("line 3, port NEW PORT, Z0: \"12a\" cannot be read")))
        << bad.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("bug.txt"))));
}

// The table's lines are those the window computes for the same request, and --json carries the
// days behind them.
TEST_F(Cli, TablePrintsTheWindowsLinesAndItsDays) {
    struct Case {
        const char* port;
        QStringList args;
        int ref;
        HeightUnit unit;
        Language language;
        TideTableFilter filter;
    };
    TideTableFilter springs;
    springs.coefficientMin = 70;
    TideTableFilter mornings;
    mornings.highWaterFrom = 6;
    mornings.highWaterTo = 12.5;
    mornings.noLowWater = true;
    const Case cases[] = {
        {"BREST", {}, 0, HeightUnit::Metres, Language::French, {}},
        {"BREST SECONDAIRE",
         {"--lang", "en", "--unit", "ft", "--ref", "105"},
         105,
         HeightUnit::Feet,
         Language::English,
         {}},
        {"BREST",
         {"--coef-min", "70", "--ref", "2"},
         2,
         HeightUnit::Metres,
         Language::French,
         springs},
        {"HALIFAX",
         {"--hw-from", "06:00", "--hw-to", "12:30", "--no-lw", "--lang", "en"},
         0,
         HeightUnit::Metres,
         Language::English,
         mornings},
    };
    for (const Case& c : cases) {
        const QStringList args =
            QStringList{QStringLiteral("table"),  QString::fromUtf8(c.port),
                        QStringLiteral("--from"), QStringLiteral("2026-08-30"),
                        QStringLiteral("--to"),   QStringLiteral("2026-09-05")} +
            c.args;
        TideTableRequest request;
        request.port = Load(QString::fromUtf8(c.port));
        request.context = TideContext(TimeReference(c.ref), request.port.timeZone);
        request.start = JulianDay(2026, 8, 30);
        request.end = JulianDay(2026, 9, 5) + 0.5;
        request.unit = c.unit;
        request.language = c.language;
        request.decimalSeparator = QStringLiteral(".");
        request.filter = c.filter;
        const TideTable expected = ComputeTideTable(request);

        const Result text = Run(args);
        ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
        EXPECT_EQ(text.out, expected.lines.join(QLatin1Char('\n')) + QLatin1Char('\n')) << c.port;

        const Result csv = Run(args + QStringList{QStringLiteral("--csv")});
        EXPECT_EQ(csv.out, TideTableCsv(expected, request.port, c.unit, c.language));
        const Result ics = Run(args + QStringList{QStringLiteral("--ics")});
        EXPECT_EQ(ics.out.count(QStringLiteral("BEGIN:VEVENT\r\n")),
                  csv.out.count(QStringLiteral("\r\n")) - 1);

        const Result json = Run(args + QStringList{QStringLiteral("--json")});
        ASSERT_EQ(json.exitCode, 0);
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        EXPECT_EQ(o[QStringLiteral("port")].toString(), QString::fromUtf8(c.port));
        EXPECT_EQ(o[QStringLiteral("lines")].toVariant().toStringList(), expected.lines);
        const QJsonArray days = o[QStringLiteral("days")].toArray();
        ASSERT_EQ(days.size(), 7);
        for (qsizetype d = 0; d < days.size(); ++d) {
            const QJsonObject day = days[d].toObject();
            const TideTableDay& want = expected.days[static_cast<std::size_t>(d)];
            EXPECT_EQ(day[QStringLiteral("date")].toString(),
                      QDate(2026, 8, 30).addDays(d).toString(Qt::ISODate));
            EXPECT_EQ(day[QStringLiteral("coefficients")].toArray()[0].toInt(),
                      want.coefficients.morning);
            EXPECT_EQ(day[QStringLiteral("morning")].toBool(), want.day.morning);
            EXPECT_EQ(day[QStringLiteral("written")].toBool(), want.day.written());
            // The filtered slots, each with the exact time and height (17 significant digits).
            DayEvents events(want.day.events.size());
            for (const QJsonValue& e : day[QStringLiteral("events")].toArray())
                events.at(static_cast<std::size_t>(e[QStringLiteral("slot")].toInt() - 1)) = {
                    e[QStringLiteral("time")].toDouble(), e[QStringLiteral("height")].toDouble()};
            for (std::size_t i = 0; i < events.size(); ++i) {
                EXPECT_EQ(events[i].time, want.day.events[i].time);
                if (!events[i].empty()) {
                    EXPECT_EQ(events[i].height, want.day.events[i].height);
                }
            }
        }
    }
}

// Days that four slots could not hold, in both models, and a secondary port's tide moved across
// midnight by its corrections: each tide is listed under the day it falls in, in time order.
TEST_F(Cli, EveryTideOfADayIsListedUnderItsDay) {
    struct Expected {
        bool high;
        int hour, minute; // in the table's time reference, within 10 minutes
    };
    const struct Case {
        const char* port;
        const char* date;
        const char* model;
        const char* reference;
        std::vector<Expected> among;
    } cases[] = {
        {"HOEK VAN HOLLAND", "2026-01-04", "table", "100", {{false, 10, 10}, {true, 14, 55}}},
        {"LE HAVRE", "2026-03-07", "full", "100", {{false, 19, 0}, {true, 23, 57}}},
        {"WEYMOUTH", "2026-03-07", "full", "100", {}},
        {"HAVANA", "2026-03-06", "table", "0", {{true, 23, 20}}},
        {"HAVANA", "2026-03-07", "table", "0", {{false, 4, 45}}},
    };
    const QString shipped = QStringLiteral(ONDREL_SOURCE_DIR "/data/ports.dbf");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.port) + " " + c.date + " " + c.model);
        const Result r = Run({"--table", shipped, "day", c.port, "--date", c.date, "--model",
                              c.model, "--ref", c.reference, "--json"},
                             false);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonObject day = QJsonDocument::fromJson(r.out.toUtf8()).object();
        const double d0 = day[QStringLiteral("day")].toDouble();
        std::vector<double> times;
        for (const QJsonValue& e : day[QStringLiteral("events")].toArray()) {
            times.push_back(e[QStringLiteral("time")].toDouble());
            EXPECT_EQ(e[QStringLiteral("slot")].toInt(), static_cast<int>(times.size()));
        }
        ASSERT_FALSE(times.empty());
        for (std::size_t i = 0; i < times.size(); ++i) {
            EXPECT_GE(std::fabs(times[i]), d0);
            EXPECT_LT(std::fabs(times[i]), d0 + 1);
            if (i > 0) {
                EXPECT_GT(std::fabs(times[i]), std::fabs(times[i - 1]));
            }
        }
        for (const Expected& x : c.among) {
            const double at = d0 + (x.hour + x.minute / 60.0) / 24;
            EXPECT_TRUE(std::any_of(times.begin(), times.end(),
                                    [&](double t) {
                                        return (t > 0) == x.high &&
                                               std::fabs(std::fabs(t) - at) < 10.0 / 1440;
                                    }))
                << (x.high ? "HW " : "LW ") << x.hour << ":" << x.minute;
        }
        // The report writes a line for each.
        const Result text = Run({"--table", shipped, "day", c.port, "--date", c.date, "--model",
                                 c.model, "--ref", c.reference},
                                false);
        EXPECT_EQ(text.out.count(u'\n'), static_cast<qsizetype>(times.size()) + 2);
    }
    // The day before the HAVANA case keeps none of its own events past midnight.
    const Result table =
        Run({"--table", shipped, "table", "HAVANA", "--from", "2026-03-06", "--to", "2026-03-07"},
            false);
    EXPECT_TRUE(table.out.contains(QStringLiteral("\tPM\t23:20")));
    EXPECT_FALSE(table.out.contains(QStringLiteral("Sam.\tPM\t23:20")));
}

// Near the midnight sun, in the port's legal time, the sun's events are those of the clock's day:
// a time is never past 24 h, and the set and the rise just after midnight both show.
TEST_F(Cli, SunOfTheLegalDayNeverPast24Hours) {
    const QString shipped = QStringLiteral(ONDREL_SOURCE_DIR "/data/ports.dbf");
    const struct {
        const char* date;
        const char* sunrise;
        const char* sunset;
    } cases[] = {
        {"2026-05-17", "Sunrise   : 01 h 18", "Sunset   : 00 h 03"},
        {"2026-05-18", "Sunrise   : 00 h 53", "Sunset   : 00 h 28"},
        {"2026-05-19", "Sunrise   : Sun always up", "Sunset   : Sun always up"},
    };
    for (const auto& c : cases) {
        const Result r = Run({"--table", shipped, "sun", "TROMSO", "--date", c.date, "--ref",
                              "legal", "--lang", "en"},
                             false);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QStringList lines = r.out.split(u'\n');
        EXPECT_EQ(lines.value(0), QString::fromUtf8(c.sunrise)) << c.date;
        EXPECT_EQ(lines.value(1), QString::fromUtf8(c.sunset)) << c.date;
    }
}

// The tidal streams of shipped current stations: a strong reversing stream, one whose flood
// never slacks, a subordinate station derived from its reference; and bad input.
TEST_F(Cli, CurrentsOfAStation) {
    const auto events = [&](const char* station) {
        const Result r = Run({"currents", station, "--from", "2026-03-01", "--to", "2026-03-02",
                              "--ref", "100", "--json"});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    };
    const struct {
        const char* station;
        const char* kinds; // the kinds it has
    } cases[] = {
        {"noaa/ACT1616", "max_ebb max_flood slack"},
        {"Dimond Reef", "max_flood min_flood"},
    };
    for (const auto& c : cases) {
        const QJsonObject o = events(c.station);
        QStringList kinds;
        for (const QJsonValue e : o["events"].toArray()) {
            const QString kind = e["kind"].toString();
            if (!kinds.contains(kind)) kinds << kind;
            const double speed = e["speed_kn"].toDouble();
            // Signed along the flood axis, 0 at slack; times in UT to the second.
            EXPECT_EQ(speed > 0, kind.endsWith(QLatin1String("flood"))) << c.station;
            EXPECT_EQ(speed == 0, kind == QLatin1String("slack")) << c.station;
            EXPECT_TRUE(e["time"].toString().startsWith(QLatin1String("2026-03-0")));
        }
        kinds.sort();
        EXPECT_EQ(kinds.join(u' '), QString::fromUtf8(c.kinds)) << c.station;
    }
    EXPECT_EQ(events("noaa/ACT1616")["flood_direction"].toDouble(), 37);
    // Metres per second at the user's choice: 1 kn is 1852/3600 m/s.
    const Result knots =
        Run({"currents", "noaa/ACT1616", "--from", "2026-03-01", "--to", "2026-03-01", "--csv"});
    const Result metres = Run({"currents", "noaa/ACT1616", "--from", "2026-03-01", "--to",
                               "2026-03-01", "--csv", "--speed", "ms"});
    const QStringList k = knots.out.split(u'\n'), m = metres.out.split(u'\n');
    ASSERT_EQ(k.size(), m.size());
    EXPECT_EQ(m[0], QStringLiteral("time,kind,speed_ms"));
    for (qsizetype i = 1; i + 1 < k.size(); ++i)
        EXPECT_NEAR(m[i].section(u',', 2).toDouble(),
                    k[i].section(u',', 2).toDouble() * 1852 / 3600, 0.008) // both rounded
            << k[i].toStdString();
    // The list of the stations of a name.
    const Result list = Run({"ports", "--currents", "Eastport"});
    EXPECT_TRUE(list.out.startsWith(QStringLiteral(
        "Eastport\tnoaa/ACT0091\t44.9000\t-66.9833\tsubordinate of noaa/EPT0003@11\n")))
        << list.out.toStdString();
    // Eastport: its reference's events at the same times, the speeds 1.2 times as strong.
    const QJsonArray eastport = events("Eastport")["events"].toArray();
    const QJsonArray reference = events("noaa/EPT0003@11")["events"].toArray();
    ASSERT_EQ(eastport.size(), reference.size());
    for (qsizetype i = 0; i < eastport.size(); ++i) {
        const auto time = [](const QJsonValue& e) {
            return QDateTime::fromString(e["time"].toString(), Qt::ISODate);
        };
        EXPECT_LE(std::abs(time(eastport[i]).secsTo(time(reference[i]))), 2);
        EXPECT_NEAR(eastport[i]["speed_kn"].toDouble(), 1.2 * reference[i]["speed_kn"].toDouble(),
                    0.002);
    }
    const struct {
        QStringList arguments;
        const char* message;
    } bad[] = {
        {{"currents", "ATLANTIS REEF"}, "no current station named ATLANTIS REEF"},
        {{"currents", "noaa/ACT1616", "--to", "2201-01-01"}, "--to"},
        {{"currents", "noaa/ACT1616", "--from", "2026-03-02", "--to", "2026-03-01"}, "end date"},
    };
    for (const auto& b : bad) {
        const Result r = Run(b.arguments + QStringList{"--lang", "en"});
        EXPECT_EQ(r.exitCode, 2) << b.message;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(b.message))) << r.err.toStdString();
    }
}

// The shipped table copied elsewhere without its companion keeps the shipped ports' time zones
// and full constants.
TEST_F(Cli, ACopiedTableUsesTheShippedCompanion) {
    const QString copy = dir.filePath(QStringLiteral("copy/ports.dbf"));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("copy"))));
    for (const char* file : {"ports.dbf", "ports.tags"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(ONDREL_SOURCE_DIR "/data/") + file,
                                dir.filePath(QStringLiteral("copy/")) + file));
    const Result r = Run(
        {"--table", copy, "day", "BREST", "--ref", "legal", "--model", "full", "--json"}, false);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o["zone"].toString(), QStringLiteral("Europe/Paris"));
    EXPECT_EQ(o["model"].toString(), QStringLiteral("full"));
}

// On the days the clocks change, the day curve in legal time runs over the hours that really
// pass, x always increasing, as the curve window draws it: 23 hours in spring, 25 in autumn.
TEST_F(Cli, LegalDayCurveRunsOverTheHoursThatPass) {
    const QString shipped = QStringLiteral(ONDREL_SOURCE_DIR "/data/ports.dbf");
    const struct {
        const char* date;
        double hours;
    } cases[] = {{"2026-03-29", 23}, {"2026-10-25", 25}, {"2026-07-14", 24}};
    for (const auto& c : cases) {
        const Result r = Run(
            {"--table", shipped, "curve", "BREST", "--date", c.date, "--ref", "legal", "--json"},
            false);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonArray points = QJsonDocument::fromJson(r.out.toUtf8())["points"].toArray();
        ASSERT_GT(points.size(), 2);
        for (qsizetype i = 1; i < points.size(); ++i)
            ASSERT_GT(points[i][0].toDouble(), points[i - 1][0].toDouble()) << c.date << " " << i;
        const double span = points.last()[0].toDouble() - points.first()[0].toDouble();
        EXPECT_NEAR(span * 24, c.hours, 0.1) << c.date;
    }
}

// A day's tides are the same in the table as in the day's report, at both ends of the years the
// program predicts and before the date-time origin of 30 December 1899.
TEST_F(Cli, TableAndDayAgreeOnEveryYear) {
    for (const char* date : {"1700-01-01", "1899-12-29", "1899-12-30", "2200-12-31"}) {
        const Result day = Run({"day", "BREST", "--date", date, "--json"});
        const Result table = Run({"table", "BREST", "--from", date, "--to", date, "--json"});
        ASSERT_EQ(day.exitCode, 0) << date << day.err.toStdString();
        ASSERT_EQ(table.exitCode, 0) << date << table.err.toStdString();
        const QJsonArray expected = QJsonDocument::fromJson(day.out.toUtf8())["events"].toArray();
        const QJsonObject first =
            QJsonDocument::fromJson(table.out.toUtf8())["days"].toArray()[0].toObject();
        EXPECT_EQ(first["date"].toString(), QString::fromLatin1(date));
        EXPECT_EQ(first["events"].toArray(), expected) << date;
        EXPECT_GE(expected.size(), 3) << date;
    }
}

// Every command and option is in --help and in the manual page.
TEST_F(Cli, HelpAndManualNameEveryCommandAndOption) {
    const QString help = Run({"--help"}).out;
    QFile manual(QStringLiteral(ONDREL_SOURCE_DIR "/dist/ondrel-cli.1"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll()).remove(u'\\');
    for (const char* word : {"ports",      "day",
                             "curve",      "sun",
                             "now",        "table",
                             "import",     "export",
                             "currents",   "--currents",
                             "--table",    "--ref",
                             "--unit",     "--lang",
                             "--date",     "--json",
                             "--span",     "--start",
                             "--end",      "--png",
                             "--size",     "--from",
                             "--to",       "--coef-min",
                             "--coef-max", "--hw-from",
                             "--hw-to",    "--lw-from",
                             "--lw-to",    "--no-hw",
                             "--no-lw",    "--csv",
                             "--ics",      "--decimal-separator",
                             "--help",     "--pdf",
                             "--speed",    "--paper",
                             "--model"}) {
        EXPECT_TRUE(help.contains(QString::fromLatin1(word))) << word;
        EXPECT_TRUE(page.contains(QString::fromLatin1(word))) << word;
    }
}

TEST_F(Cli, TableRefusesBadRangesAndFilters) {
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--from", "2026-03-02", "--to", "2026-03-01"},
         "La date de fin doit être postérieure à la date de début !"},
        {{"--from", "2026-03-02", "--to", "2026-03-01", "--lang", "en"},
         "The end date must be later than the start date!"},
        {{"--from", "2026-02-30"}, "--from takes a date"},
        {{"--hw-from", "25:00"}, "--hw-from takes a time"},
        {{"--lw-to", "7h30"}, "--lw-to takes a time"},
        {{"--coef-min", "many"}, "--coef-min takes a whole number"},
        {{"--from", "1699-12-31"}, "--from takes a date from 1700-01-01 to 2200-12-31"},
        {{"--csv", "--json"}, "give one"},
    };
    for (const auto& c : cases) {
        const Result r =
            Run(QStringList{QStringLiteral("table"), QStringLiteral("BREST")} + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    const Result noTable = Run({QStringLiteral("--table"), dir.filePath(QStringLiteral("none.dbf")),
                                QStringLiteral("table"), QStringLiteral("BREST")},
                               false);
    EXPECT_EQ(noTable.exitCode, 1);
}

} // namespace
} // namespace ondrel

namespace ondrel {
namespace {

// harmonics.bin beside the test table, with constants for BREST (and so BREST SECONDAIRE) only.
std::shared_ptr<const HarmonicConstants> WriteHarmonics(const QString& table,
                                                        const PortRecord& brest) {
    HarmonicsPortEntry standard;
    standard.name = "BREST";
    standard.timeZoneName = "Europe/Paris";
    standard.row = RowValuesOf(brest);
    standard.datumOffset = 4.2;
    standard.terms = {{"M2", 2.05, 108.9},  {"S2", 0.75, 148.2},  {"K1", 0.064, 75.0},
                      {"O1", 0.066, 327.9}, {"M4", 0.054, 105.7}, {"MS4", 0.033, 181.6}};
    HarmonicsPortEntry secondary;
    secondary.name = "BREST SECONDAIRE";
    secondary.timeZoneName = "Europe/Paris";
    secondary.reference = 0;
    WriteHarmonicsFile(HarmonicsPathFor(table), {standard, secondary}, 1);
    HarmonicsFile file;
    EXPECT_TRUE(file.open(HarmonicsPathFor(table)));
    return file.constantsFor(brest);
}

TEST_F(Cli, ModelFullUsesTheHarmonicDataAndSaysWhichModelServed) {
    const auto constants = WriteHarmonics(table, Load(QStringLiteral("BREST")));
    ASSERT_NE(constants, nullptr);
    struct Case {
        const char* port;
        const char* model;   // the model used
        const char* message; // on standard error; "" for none
    };
    const Case cases[] = {
        {"BREST", "full", ""},
        // Its row here does not repeat BREST's constants, as the shipped table's rows do.
        {"BREST SECONDAIRE", "table", "belong to another version of its row"},
        {"HALIFAX", "table", "no harmonic constants for port \"HALIFAX\""},
    };
    const double day = JulianDay(2026, 3, 21);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        const PortRecord port = Load(QString::fromUtf8(c.port));
        const TideContext ctx(TimeReference(100), port.timeZone);
        const bool full = QByteArray(c.model) == "full";
        const DayEvents events =
            DayTideEvents(ctx, TideSource(port, full ? constants : nullptr), day);
        for (const char* command : {"day", "curve", "table", "now"}) {
            const Result r =
                Run({command, c.port, "--date", "2026-03-21", "--from", "2026-03-21", "--to",
                     "2026-03-21", "--ref", "100", "--json", "--model", "full"});
            ASSERT_EQ(r.exitCode, 0) << command << r.err.toStdString();
            const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
            EXPECT_EQ(o["model"].toString(), c.model) << command;
            EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
            if (*c.message) {
                EXPECT_TRUE(r.err.contains(HarmonicsPathFor(table)));
            }
            if (QByteArray(command) != "day") continue;
            const QJsonArray ev = o["events"].toArray();
            int filled = 0;
            for (const TideEvent& e : events) {
                if (e.empty()) continue;
                EXPECT_EQ(ev[filled]["time"].toDouble(), e.time);
                EXPECT_EQ(ev[filled++]["height"].toDouble(), e.height);
            }
            EXPECT_EQ(ev.size(), filled);
        }
    }
    // Without --model nothing changes, and --model table names the table model.
    EXPECT_FALSE(Run({"day", "BREST", "--json"}).out.contains(QStringLiteral("\"model\"")));
    EXPECT_TRUE(Run({"day", "BREST", "--json", "--model", "table"})
                    .out.contains(QStringLiteral("\"model\": \"table\"")));
    const Result bad = Run({"day", "BREST", "--model", "fast"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("--model takes table or full")));
}

TEST_F(Cli, PortsSaysWhichPortsHaveFullHarmonicsOnlyWhenAsked) {
    WriteHarmonics(table, Load(QStringLiteral("BREST")));
    const QStringList plain = Run({"ports"}).out.split(u'\n', Qt::SkipEmptyParts);
    const QStringList marked =
        Run({"ports", "--model", "full"}).out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(plain.size(), marked.size());
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const bool full = plain[i].startsWith(QStringLiteral("BREST\t"));
        EXPECT_EQ(marked[i],
                  plain[i] + (full ? QStringLiteral("\tfull") : QStringLiteral("\ttable")));
    }
    // No harmonic data beside it: the shipped data serves, which has no constants for this
    // table's BREST; the table model is kept, and the file is named.
    QFile::remove(HarmonicsPathFor(table));
    const Result r = Run({"day", "BREST", "--json", "--model", "full"});
    EXPECT_TRUE(r.out.contains(QStringLiteral("\"model\": \"table\"")));
    EXPECT_TRUE(r.err.contains(HarmonicsToReadFor(table))) << r.err.toStdString();
}

} // namespace
} // namespace ondrel

namespace ondrel {
namespace {

// --ref legal: each port's zone (shipped, its standard port's, its country's only one, or none),
// and each time in the offset in force in Paris on 25 October 2026 (01:00 UT: +2, then +1).
TEST(CliLegalTime, ZonesOfThePortsAndTheOffsetOfEachTime) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString table = dir.filePath(QStringLiteral("ports.dbf"));
    const auto row = [](const char* name, qint64 zone, const char* standard, double timeZone) {
        test::TestPortRow r;
        r.name = QString::fromUtf8(name);
        r.zone = zone;
        r.standardPort = QString::fromUtf8(standard);
        r.timeZone = timeZone;
        if (*standard) r.corrections = {91.05, 91.02, 0.1, 0.05, 0.4, 0.2, -0.3, -0.1};
        return r;
    };
    test::WriteTestPortTable(table,
                             {row("BREST", 1001, "", 1), row("LE CONQUET", 1001, "BREST", 1),
                              row("ROSCOFF", 1001, "", 1), row("HALIFAX", 4031, "", -4),
                              row("SYDNEY NS", 4031, "", -4), row("PORT HAWKESBURY", 4031, "", -4),
                              row("ATLANTIS", 2040, "", 2)});
    // Shipped zones for BREST, HALIFAX, SYDNEY NS and ATLANTIS only.
    const auto shipped = [](const char* name, const char* zone) {
        HarmonicsPortEntry e;
        e.name = name;
        e.timeZoneName = zone;
        e.reference = 1; // BREST's entry
        return e;
    };
    HarmonicsPortEntry brest = shipped("BREST", "Europe/Paris");
    brest.reference = -1;
    brest.terms = {{"M2", 2.05, 108.9}};
    // Names ascending, as the generator writes them.
    WriteHarmonicsFile(HarmonicsPathFor(table),
                       {shipped("ATLANTIS", "Atlantis/Capital"), brest,
                        shipped("HALIFAX", "America/Halifax"),
                        shipped("SYDNEY NS", "America/Glace_Bay")},
                       1);
    struct Case {
        const char* port;
        const char* zone;    // null: none, the standard time
        const char* message; // on standard error
    };
    const Case cases[] = {
        {"BREST", "Europe/Paris", ""},
        {"LE CONQUET", "Europe/Paris", ""}, // its standard port's, in the same country
        {"ROSCOFF", "Europe/Paris", ""},    // the only zone of its country
        {"HALIFAX", "America/Halifax", ""},
        {"PORT HAWKESBURY", nullptr, "time zone is not known"}, // two zones in its country
        {"ATLANTIS", nullptr, "Atlantis/Capital"},              // unknown to the system
    };
    const double change = JulianDayOf(2026, 10, 25, 1, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        QProcess p;
        p.start(QStringLiteral(ONDREL_CLI_PATH),
                {QStringLiteral("--table"), table, QStringLiteral("day"), QString::fromUtf8(c.port),
                 QStringLiteral("--date"), QStringLiteral("2026-10-25"), QStringLiteral("--ref"),
                 QStringLiteral("legal"), QStringLiteral("--json"), QStringLiteral("--lang"),
                 QStringLiteral("en")});
        ASSERT_TRUE(p.waitForFinished(60000));
        ASSERT_EQ(p.exitCode(), 0);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.message))) << err.toStdString();
        if (!c.zone) {
            EXPECT_TRUE(o["zone"].isNull());
            EXPECT_FALSE(err.isEmpty());
            continue;
        }
        EXPECT_EQ(o["zone"].toString(), QString::fromUtf8(c.zone));
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        if (QByteArray(c.zone) != "Europe/Paris") continue;
        const QJsonArray events = o["events"].toArray();
        ASSERT_GE(events.size(), 3);
        for (const QJsonValue e : events) {
            const double offset = e["offset"].toDouble();
            const double ut = std::fabs(e["time"].toDouble()) - offset / 24;
            EXPECT_EQ(offset, ut < change ? 2 : 1) << ut;
        }
    }
}

} // namespace
} // namespace ondrel

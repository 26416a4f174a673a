// The tide table: its lines (the same function serves the window and ondrel-cli), the filter
// test, the window's calculation, saving and printing, and the filter window's fields.
#include "TideTableText.h"
#include "TideTableCalendar.h"
#include "TideTableFilterWindow.h"
#include "TideTableWindow.h"
#include "ViewsTestSupport.h"

#include "Report.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextEdit>

#include <libical/ical.h>

#include <cstring>
#include <set>

namespace ondrel::test {
namespace {

TideTableRequest RequestFor(const PortRecord& port, int ref, QDate from, QDate to, Language l) {
    TideTableRequest r;
    r.port = port;
    r.context = TideContext(TimeReference(ref), port.timeZone);
    r.start = JulianDay(from.year(), from.month(), from.day());
    r.end = JulianDay(to.year(), to.month(), to.day()) + 0.5;
    r.language = l;
    return r;
}

// A secondary port of the standard one (the corrections of the views' tests).
PortRecord SecondaryOf(PortRecord p) {
    const double c[8] = {0.5, 0.25, -0.5, -0.75, 0.3, 0.1, -0.2, 0.15};
    for (int i = 0; i < 8; ++i)
        p.corrections[i + 1] = c[i];
    p.name = "PORT SECONDAIRE";
    p.timeZone = -3.5;
    return p;
}

// Each written day's block holds the engine's events of that day in their slots and the
// coefficients in the fifth column; the header and the end are fixed.
TEST(TideTableLines, BlocksFollowTheEngine) {
    const PortRecord standard = ondrel::testing::Semidiurnal();
    const PortRecord secondary = SecondaryOf(standard);
    struct Case {
        PortRecord port;
        int ref;
        Language language;
        HeightUnit unit;
        const char* referenceLine;
    };
    const Case cases[] = {
        {standard, 0, Language::French, HeightUnit::Metres,
         "Heures données dans le fuseau UT + :0"},
        {secondary, 0, Language::English, HeightUnit::Feet, "Local time : UT + -3,5"},
        {standard, 1, Language::French, HeightUnit::Metres,
         "Heure en vigueur : heure d'hiver UT + 1"},
        {secondary, 1, Language::English, HeightUnit::Metres, "Winter time UT + 1"},
        {standard, 2, Language::French, HeightUnit::Metres,
         "Heure en vigueur : heure d'été UT + 2"},
        {standard, 2, Language::English, HeightUnit::Metres, "Summer time UT + 2"},
        {secondary, 105, Language::French, HeightUnit::Metres, "Heure en vigueur : heure UT + 5"},
        {standard, 93, Language::English, HeightUnit::Metres, "Time UT + -7"},
    };
    bool sawThreeEvents = false;
    for (const Case& c : cases) {
        TideTableRequest r =
            RequestFor(c.port, c.ref, QDate(2026, 3, 1), QDate(2026, 3, 12), c.language);
        r.unit = c.unit;
        const TideTable t = ComputeTideTable(r);
        const QString sep(70, QLatin1Char('-'));
        const bool en = c.language == Language::English;
        ASSERT_EQ(t.lines.size(), 5 + 12 * 5 + 3);
        EXPECT_EQ(
            t.lines.mid(0, 5),
            (QStringList{QLatin1Char('\t') + QString::fromStdString(c.port.name), QString(), sep,
                         en ? QStringLiteral("Date\tphase\ttime\theight\tcoef")
                            : QStringLiteral("Date\tphase\theure\thaut.\tcoef"),
                         sep}));
        EXPECT_EQ(t.lines.mid(t.lines.size() - 3),
                  (QStringList{sep, QString::fromUtf8(c.referenceLine), sep}));
        CoefficientMemo memo;
        for (int d = 0; d < 12; ++d) {
            const double day = r.start + d;
            const DayEvents ev = DayTideEvents(memo, r.context, c.port, day);
            const CoefficientPair co = DayCoefficients(r.context, day);
            const QStringList block = t.lines.mid(5 + 5 * d, 5);
            EXPECT_EQ(block[1].left(2), QStringLiteral("%1").arg(d + 1, 2, 10, QLatin1Char('0')));
            EXPECT_EQ(block[2].section(QLatin1Char('\t'), 0, 0),
                      en ? QStringLiteral("march") : QStringLiteral("mars"));
            EXPECT_EQ(block[4], sep);
            for (int i = 0; i < 4; ++i) {
                const QStringList fields = block[i].split(QLatin1Char('\t'));
                if (ev[i].empty()) {
                    EXPECT_EQ(fields.size(), i == 0 || i == 2 ? 5 : 1) << block[i].toStdString();
                    if (i == 3) {
                        EXPECT_EQ(block[3], QStringLiteral("     "));
                        sawThreeEvents = true;
                    }
                    continue;
                }
                const bool high = ev[i].isHighWater();
                EXPECT_EQ(fields[1], high ? (en ? "HW" : "PM") : (en ? "LW" : "BM"));
                EXPECT_EQ(fields[2].toStdString(), FormatEventTime(ev[i].time));
                EXPECT_EQ(fields[3].toStdString(),
                          FormatHeight(static_cast<double>(UnitFactor(c.unit) * ev[i].height)));
            }
            EXPECT_EQ(block[0].section(QLatin1Char('\t'), 4), QString::number(co.morning));
            EXPECT_EQ(block[2].section(QLatin1Char('\t'), 4), QString::number(co.evening));
        }
    }
    EXPECT_TRUE(sawThreeEvents);
}

TEST(TideTableLines, MonthNamesAndDayNames) {
    const PortRecord port = ondrel::testing::Semidiurnal();
    const struct {
        QDate date;
        Language language;
        const char* day;
        const char* month;
    } cases[] = {
        {QDate(2026, 9, 1), Language::French, "Ma.", "sept."},
        {QDate(2026, 11, 9), Language::English, "Mon.", "nov."},
        {QDate(2026, 12, 31), Language::French, "Je.", "dec."},
        {QDate(2026, 12, 2), Language::English, "Wen.", "dec."},
        {QDate(2027, 1, 3), Language::French, "Di.", "janvier"},
        {QDate(2026, 8, 31), Language::English, "Mon.", "august"},
        {QDate(2026, 10, 5), Language::French, "Lu.", "octobre"},
    };
    for (const auto& c : cases) {
        const TideTable t = ComputeTideTable(RequestFor(port, 0, c.date, c.date, c.language));
        EXPECT_EQ(t.lines[5].section(QLatin1Char('\t'), 0, 0), QString::fromUtf8(c.day));
        EXPECT_EQ(t.lines[7].section(QLatin1Char('\t'), 0, 0), QString::fromUtf8(c.month));
    }
}

// Events at given hours of 2026-03-02 (positive: high water).
DayEvents Day(std::initializer_list<double> signedHours) {
    DayEvents ev{};
    std::size_t i = 0;
    const double d0 = JulianDay(2026, 3, 2);
    for (double h : signedHours) {
        if (h == 99) {
            ++i;
            continue;
        }
        ev[i].time = h >= 0 ? d0 + h / 24 : -(d0 - h / 24);
        ev[i++].height = h >= 0 ? 5.5 : 1.25;
    }
    return ev;
}

TEST(TideTableFilterTest, EventsAndHalves) {
    const auto filter = [](auto change) {
        TideTableFilter f;
        change(f);
        return f;
    };
    const struct Case {
        const char* name;
        TideTableFilter filter;
        DayEvents events;
        CoefficientPair coefficients;
        std::array<bool, 4> kept;
        bool morning, evening;
    } cases[] = {
        {"defaults", {}, Day({-3, 9, -15.5, 21.75}), {20, 120}, {1, 1, 1, 1}, true, true},
        {"coefficient bounds inclusive",
         filter([](auto& f) {
             f.coefficientMin = 70;
             f.coefficientMax = 80;
         }),
         Day({-3, 9, -15.5, 21.75}),
         {70, 80},
         {1, 1, 1, 1},
         true,
         true},
        {"coefficient outside",
         filter([](auto& f) { f.coefficientMin = 71; }),
         Day({-3, 9, -15.5, 21.75}),
         {70, 72},
         {0, 0, 1, 1},
         false,
         true},
        {"high-water window inclusive",
         filter([](auto& f) {
             f.highWaterFrom = 9;
             f.highWaterTo = 21.75;
         }),
         Day({3, -9, 21.75, -23}),
         {70, 72},
         {0, 1, 1, 1},
         true,
         true},
        {"22:00 to 04:00 lets nothing through",
         filter([](auto& f) {
             f.highWaterFrom = f.lowWaterFrom = 22;
             f.highWaterTo = f.lowWaterTo = 4;
         }),
         Day({-1, 3, -23, 22.5}),
         {70, 72},
         {0, 0, 0, 0},
         false,
         false},
        {"no high water",
         filter([](auto& f) { f.noHighWater = true; }),
         Day({-3, 9, -15.5, 21.75}),
         {70, 72},
         {1, 0, 1, 0},
         true,
         true},
        {"no high nor low water",
         filter([](auto& f) { f.noHighWater = f.noLowWater = true; }),
         Day({-3, 9, -15.5, 21.75}),
         {70, 72},
         {0, 0, 0, 0},
         false,
         false},
        {"a lost half",
         filter([](auto& f) { f.lowWaterFrom = 12; }),
         Day({-3, -9, 15.5, 21.75}),
         {70, 72},
         {0, 0, 1, 1},
         false,
         true},
        {"empty slots of a diurnal day", {}, Day({-3, 15}), {70, 72}, {1, 1, 0, 0}, true, false},
    };
    for (const Case& c : cases) {
        const FilteredDay day = ApplyFilter(c.filter, c.events, c.coefficients);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(!day.events[i].empty(), c.kept[i] && !c.events[i].empty())
                << c.name << " slot " << i + 1;
        EXPECT_EQ(day.morning, c.morning) << c.name;
        EXPECT_EQ(day.evening, c.evening) << c.name;
    }
}

TEST(TideTableFilterTest, CoefficientPlacementOfPartialHalves) {
    TideTableFilter f;
    f.lowWaterFrom = 12; // the morning low water goes, the high water on line 2 stays
    f.noHighWater = false;
    const FilteredDay day = ApplyFilter(f, Day({-3, 9, -15.5, 21.75}), {70, 72});
    const QStringList block =
        DayBlock(QDate(2026, 3, 2), day, {70, 72}, HeightUnit::Metres, Language::French);
    EXPECT_EQ(block[0], QStringLiteral("Lu.\t\t\t\t70"));
    EXPECT_EQ(block[1], QStringLiteral("02\tPM\t09:00\t05,50"));
    EXPECT_EQ(block[2], QStringLiteral("mars\tBM\t15:30\t01,25\t72"));
    TideTableFilter late;
    late.coefficientMin = 71; // the morning half is lost: its line gets nothing
    const FilteredDay lost = ApplyFilter(late, Day({-3, 9, -15.5, 21.75}), {70, 72});
    EXPECT_EQ(
        DayBlock(QDate(2026, 3, 2), lost, {70, 72}, HeightUnit::Metres, Language::French).mid(0, 2),
        (QStringList{QStringLiteral("Lu."), QStringLiteral("02")}));
    // Every event filtered: the header, then the end.
    TideTableFilter none;
    none.noHighWater = none.noLowWater = true;
    TideTableRequest r = RequestFor(ondrel::testing::Semidiurnal(), 1, QDate(2026, 3, 1),
                                    QDate(2026, 3, 5), Language::French);
    r.filter = none;
    EXPECT_EQ(ComputeTideTable(r).lines.size(), 8);
}

// RFC 4180 records: quoted fields may hold commas, doubled quotes and line ends.
std::vector<QStringList> ParseCsv(const QString& text) {
    std::vector<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else if (ch == QLatin1Char('"'))
                quoted = false;
            else
                field += ch;
        } else if (ch == QLatin1Char('"')) {
            quoted = true;
        } else if (ch == QLatin1Char(',')) {
            rows.back() << field;
            field.clear();
        } else if (ch == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            rows.back() << field;
            field.clear();
            rows.emplace_back();
            ++i;
        } else {
            field += ch;
        }
    }
    EXPECT_TRUE(rows.back().isEmpty() && field.isEmpty()) << "the last record ends with CRLF";
    rows.pop_back();
    return rows;
}

TEST(TideTableCsvTest, RoundTripOfThePassingEvents) {
    PortRecord port = SecondaryOf(ondrel::testing::Semidiurnal());
    port.name = "QUAI \"NORD\", BASSIN";
    TideTableFilter highOnly;
    highOnly.noLowWater = true;
    for (const auto& [language, unit, filter] :
         {std::tuple{Language::French, HeightUnit::Metres, TideTableFilter{}},
          std::tuple{Language::English, HeightUnit::Feet, highOnly}}) {
        TideTableRequest r = RequestFor(port, 1, QDate(2026, 9, 28), QDate(2026, 10, 4), language);
        r.unit = unit;
        r.filter = filter;
        const TideTable t = ComputeTideTable(r);
        const std::vector<QStringList> rows = ParseCsv(TideTableCsv(t, port, unit, language));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0].size(), 6);
        std::size_t row = 1;
        for (const TideTableDay& day : t.days) {
            for (std::size_t i = 0; i < 4; ++i) {
                const TideEvent& e = day.day.events[i];
                if (e.empty()) continue;
                ASSERT_LT(row, rows.size());
                const QStringList& f = rows[row++];
                ASSERT_EQ(f.size(), 6);
                const CalendarDate c = CalendarOfJulianDay(e.instant());
                EXPECT_EQ(f[0],
                          QDate(c.year, c.month, static_cast<int>(c.day)).toString(Qt::ISODate));
                EXPECT_EQ(f[1].toStdString(), FormatEventTime(e.time));
                EXPECT_EQ(f[2], e.isHighWater() ? (language == Language::English ? "HW" : "PM")
                                                : (language == Language::English ? "LW" : "BM"));
                EXPECT_NEAR(f[3].toDouble(), UnitFactor(unit) * e.height, 0.005);
                EXPECT_EQ(f[4].toInt(),
                          i < 2 ? day.coefficients.morning : day.coefficients.evening);
                EXPECT_EQ(f[5], QString::fromStdString(port.name));
                if (filter.noLowWater) {
                    EXPECT_TRUE(e.isHighWater());
                }
            }
        }
        EXPECT_EQ(row, rows.size());
    }
}

// The calendar read back by libical's parser: one event per passing tide, at its instant in UT,
// with the escaped summary restored; the text itself folded at 75 octets with CRLF line ends.
TEST(TideTableIcsTest, RoundTripOfThePassingEvents) {
    PortRecord port = SecondaryOf(ondrel::testing::Semidiurnal());
    port.name = "PORT DE LA POINTE; QUAI NORD, BASSIN À FLOT DES PÊCHEURS ET DES PLAISANCIERS";
    TideTableFilter springs;
    springs.coefficientMin = 70;
    for (const auto& [ref, language, filter] : {std::tuple{0, Language::French, TideTableFilter{}},
                                                std::tuple{105, Language::English, springs}}) {
        TideTableRequest r = RequestFor(port, ref, QDate(2026, 3, 1), QDate(2026, 3, 20), language);
        r.filter = filter;
        const TideTable t = ComputeTideTable(r);
        const QDateTime stamp(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
        const QByteArray ics =
            TideTableIcs(t, port, r.context, HeightUnit::Metres, language, stamp);
        EXPECT_EQ(ics, TideTableIcs(t, port, r.context, HeightUnit::Metres, language, stamp));
        for (const QByteArray& line : ics.split('\n')) {
            if (line.isEmpty()) continue;
            EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
            EXPECT_LE(line.size() - 1, 75) << line.toStdString();
        }

        icalcomponent* calendar = icalparser_parse_string(ics.constData());
        ASSERT_NE(calendar, nullptr);
        std::vector<icalcomponent*> events;
        for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
             e; e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            events.push_back(e);
        std::set<std::string> uids;
        std::size_t n = 0;
        const double offsetDays = static_cast<double>(r.context.offsetHours()) / 24;
        for (const TideTableDay& day : t.days) {
            for (std::size_t i = 0; i < 4; ++i) {
                const TideEvent& e = day.day.events[i];
                if (e.empty()) continue;
                ASSERT_LT(n, events.size());
                icalcomponent* ev = events[n++];
                const icaltimetype start = icalcomponent_get_dtstart(ev);
                EXPECT_TRUE(icaltime_is_utc(start));
                // Seconds since 1970 of the instant in UT, to the table's minute.
                const double utc = (e.instant() - offsetDays - 2440587.5) * 86400;
                EXPECT_NEAR(static_cast<double>(icaltime_as_timet(start)), utc, 60.5);
                const QString summary = QString::fromUtf8(icalcomponent_get_summary(ev));
                EXPECT_TRUE(
                    summary.endsWith(QStringLiteral(") — ") + QString::fromStdString(port.name)))
                    << summary.toStdString();
                const int coefficient = i < 2 ? day.coefficients.morning : day.coefficients.evening;
                EXPECT_TRUE(summary.contains(QStringLiteral("(coef %1)").arg(coefficient)));
                EXPECT_TRUE(summary.startsWith(
                    e.isHighWater() ? (language == Language::English ? "HW " : "PM ")
                                    : (language == Language::English ? "LW " : "BM ")));
                EXPECT_TRUE(uids.insert(icalcomponent_get_uid(ev)).second);
            }
        }
        EXPECT_EQ(n, events.size());
        icalcomponent_free(calendar);
    }
}

class TideTableWindowTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        window = std::make_unique<TideTableWindow>(state, messages);
        filterWindow = std::make_unique<TideTableFilterWindow>(state, messages);
        window->setFilterWindow(filterWindow.get());
    }
    void setRange(QDate from, QDate to) {
        window->startPicker()->setDate(from);
        window->endPicker()->setDate(to);
    }
    QPushButton* button(const char* name) {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QString path(const char* name) const { return home.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TideTableWindow> window;
    std::unique_ptr<TideTableFilterWindow> filterWindow;
};

TEST_F(TideTableWindowTest, ComputesTheSameLinesAsTheCommandLine) {
    for (const QString& langue : {kFrench, kEnglish}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        state.settings.decimalSeparator = QStringLiteral(",");
        state.tideTableFilter.coefficientMin = 60;
        window->onActivated();
        setRange(QDate(2026, 8, 28), QDate(2026, 9, 3));
        std::vector<int> progress;
        QObject::connect(window.get(), &TideTableWindow::progressed,
                         [&](int p) { progress.push_back(p); });
        button("BOK")->click();
        TideTableRequest r = RequestFor(state.port, 1, QDate(2026, 8, 28), QDate(2026, 9, 3),
                                        state.settings.language());
        r.start = window->rangeStart();
        r.end = window->rangeEnd();
        r.filter = state.tideTableFilter;
        EXPECT_EQ(window->lines(), ComputeTideTable(r).lines);
        EXPECT_EQ(progress.back(), 100);
        EXPECT_TRUE(button("BSauvegarder")->isEnabled());
        EXPECT_TRUE(button("BImprimer")->isEnabled());
    }
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tidetable"));
    // Help topic 6 from both windows.
    std::vector<int> topics;
    state.help = [&](int topic) { topics.push_back(topic); };
    auto* helpKey = window->findChild<QShortcut*>();
    ASSERT_NE(helpKey, nullptr);
    EXPECT_EQ(helpKey->key(), QKeySequence(QKeySequence::HelpContents));
    emit helpKey->activated();
    filterWindow->findChild<QPushButton*>(QStringLiteral("BAide"))->click();
    EXPECT_EQ(topics, (std::vector<int>{6, 6}));
}

TEST_F(TideTableWindowTest, EndBeforeStartChangesNothing) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 10));
    button("BOK")->click();
    const QStringList before = window->lines();
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 9));
    button("BOK")->click();
    EXPECT_EQ(messages.shown, QStringList{QStringLiteral(
                                  "La date de fin doit être postérieure à la date de début !")});
    EXPECT_EQ(window->lines(), before);
    EXPECT_EQ(before.size(), 5 + 5 + 3); // one day
}

TEST_F(TideTableWindowTest, SavingAppendsWithCrLfAndReportsUnwritableFiles) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 11));
    const QString file = path("Horaires.txt");
    window->askSaveFile = [&] { return file; };
    for (int i = 0; i < 2; ++i) {
        button("BOK")->click();
        button("BSauvegarder")->click();
        EXPECT_FALSE(button("BSauvegarder")->isEnabled());
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray once =
        (window->lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    EXPECT_EQ(f.readAll(), once + once);
    f.close();

    // A folder, and a file in a folder that does not exist: a message naming the file, the
    // button left on.
    const QString folder = path("folder");
    QDir().mkpath(folder);
    for (const QString& target : {folder, path("nowhere/Horaires.txt")}) {
        messages.shown.clear();
        button("BOK")->click();
        window->askSaveFile = [&] { return target; };
        button("BSauvegarder")->click();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].contains(target)) << messages.shown[0].toStdString();
        EXPECT_TRUE(button("BSauvegarder")->isEnabled());
    }
    // A spreadsheet file is written whole, with the events behind the lines.
    const QString csv = path("Horaires.csv");
    for (int i = 0; i < 2; ++i) {
        button("BOK")->click();
        window->askSaveFile = [&] { return csv; };
        button("BSauvegarder")->click();
    }
    QFile c(csv);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    qsizetype events = 0;
    for (const QString& line : window->lines())
        if (line.contains(QLatin1String("\tPM\t")) || line.contains(QLatin1String("\tBM\t")))
            ++events;
    EXPECT_EQ(ParseCsv(QString::fromUtf8(c.readAll())).size(),
              static_cast<std::size_t>(1 + events));
    // Cancelling the dialog disables the button until the next calculation.
    window->askSaveFile = [] { return QString(); };
    button("BSauvegarder")->click();
    EXPECT_FALSE(button("BSauvegarder")->isEnabled());
}

TEST_F(TideTableWindowTest, PrintsToPdfWithTheTable) {
    setRange(QDate(2026, 3, 10), QDate(2026, 3, 12));
    button("BOK")->click();
    const QString pdf = path("table.pdf");
    window->askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    const QFont screen = window->findChild<QWidget*>(QStringLiteral("Table"))->font();
    button("BImprimer")->click();
    EXPECT_FALSE(button("BImprimer")->isEnabled());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("Table"))->font(), screen);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is needed";
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished());
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("LE HAVRE")));
    EXPECT_TRUE(text.contains(window->lines()[6].section(QLatin1Char('\t'), 2, 2)))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Heure en vigueur : heure d'hiver UT + 1")));
}

// What poppler makes of a PDF file: its text (pages separated by form feeds) or its information.
QString Poppler(const char* program, const QString& pdf) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (path.isEmpty()) return QStringLiteral("(%1 is needed: poppler-utils)").arg(program);
    QProcess p;
    p.start(path, std::strcmp(program, "pdfinfo") == 0 ? QStringList{pdf}
                                                       : QStringList{pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A year in English: twelve pages on either paper, one month each, with the month's title, its
// first event and the time reference on it.
TEST_F(TideTableWindowTest, AYearPrintsAndExportsOnTwelveMonthPages) {
    state.settings.chosenLanguage = Language::English;
    window->onActivated();
    setRange(QDate(2026, 1, 1), QDate(2026, 12, 31));
    button("BOK")->click();
    ASSERT_TRUE(button("BExportPdf")->isEnabled());
    const std::vector<TideTableMonth> months = window->months();
    ASSERT_EQ(months.size(), 12u);
    const char* titles[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    const auto check = [&](const QString& pdf, const char* paper) {
        const QString info = Poppler("pdfinfo", pdf);
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+12\\n"))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QLatin1String(paper))) << info.toStdString();
        const QStringList pages = Poppler("pdftotext", pdf).split(QLatin1Char('\f'));
        ASSERT_GE(pages.size(), 12);
        for (int m = 0; m < 12; ++m) {
            const QString& page = pages[m];
            EXPECT_TRUE(page.contains(QStringLiteral("%1 2026").arg(QLatin1String(titles[m]))))
                << m;
            EXPECT_TRUE(page.contains(QStringLiteral("LE HAVRE"))) << m;
            EXPECT_TRUE(page.contains(QStringLiteral("Winter time UT + 1"))) << m;
            const TideTableDay& first = months[static_cast<std::size_t>(m)].days.front();
            for (const TideEvent& e : first.day.events)
                if (!e.empty()) {
                    EXPECT_TRUE(page.contains(QString::fromStdString(FormatEventTime(e.time))))
                        << m;
                    break;
                }
        }
    };
    // The export button, and the printer on both papers.
    const QString exported = path("year.pdf");
    window->askPdfFile = [&] { return exported; };
    button("BExportPdf")->click();
    check(exported, "");
    const std::pair<QPageSize::PageSizeId, const char*> papers[] = {
        {QPageSize::A4, "(A4)"}, {QPageSize::Letter, "(letter)"}};
    for (const auto& [paper, name] : papers) {
        const QString printed = path(name);
        window->askPrinter = [&, paper = paper](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            printer.setPageSize(QPageSize(paper));
            return true;
        };
        button("BOK")->click();
        button("BImprimer")->click();
        check(printed, name);
    }
    EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join(u'\n').toStdString();
}

// The list's columns stay in place in both languages: no field of a year's lines reaches the
// next tab stop (in English "february" is wider than "février").
TEST_F(TideTableWindowTest, NoFieldReachesTheNextTabStop) {
    for (const QString& langue : {kFrench, kEnglish}) {
        state.settings.chosenLanguage = LanguageOf(langue);
        window->onActivated();
        setRange(QDate(2026, 1, 1), QDate(2026, 12, 31));
        button("BOK")->click();
        auto* table = window->findChild<QTextEdit*>(QStringLiteral("Table"));
        ASSERT_NE(table, nullptr);
        const qreal stop = table->tabStopDistance();
        const QFontMetricsF metrics(table->font());
        int fields = 0;
        for (const QString& line : window->lines()) {
            const QStringList cells = line.split(QLatin1Char('\t'));
            for (int i = 0; i + 1 < cells.size(); ++i, ++fields)
                EXPECT_LT(metrics.horizontalAdvance(cells[i]), stop)
                    << langue.toStdString() << ": \"" << cells[i].toStdString() << "\"";
        }
        EXPECT_GT(fields, 365 * 4);
    }
}

// The month pages are a second way to see the same table: the lines stay as they were.
TEST_F(TideTableWindowTest, MonthPagesBesideTheList) {
    setRange(QDate(2026, 3, 10), QDate(2026, 4, 12));
    button("BOK")->click();
    const QStringList lines = window->lines();
    EXPECT_EQ(window->view(), TideTableWindow::View::List);
    window->show();
    auto* list = window->findChild<QWidget*>(QStringLiteral("Table"));
    auto* pages = window->findChild<QWidget*>(QStringLiteral("DefilementPages"));
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(pages->isVisible());
    window->setView(TideTableWindow::View::MonthPages);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(pages->isVisible());
    EXPECT_EQ(window->months().size(), 2u);
    EXPECT_EQ(window->lines(), lines);
    window->setView(TideTableWindow::View::List);
    EXPECT_TRUE(list->isVisible());
}

TEST_F(TideTableWindowTest, FilterFieldsChecksAndApply) {
    auto* w = filterWindow.get();
    auto* minBox = w->findChild<QCheckBox*>(QStringLiteral("CBCoef_inf"));
    auto* minField = w->findChild<QLineEdit*>(QStringLiteral("ECoef_inf"));
    auto* from = w->findChild<QLineEdit*>(QStringLiteral("MEPMinf"));
    auto* to = w->findChild<QLineEdit*>(QStringLiteral("MEPMsup"));
    TideTableFilter& f = state.tideTableFilter;
    const QString coefficientError =
        QStringLiteral("Erreur de saisie du coefficient. Celui-ci doit être compris entre 20 et "
                       "120. Veuillez recommencer");
    // Leaving a coefficient field.
    const struct {
        const char* text;
        int min;
        bool message;
    } fields[] = {{"20", 20, false},
                  {"130", 20, true},
                  {"abc", 20, true},
                  {"", 20, false},
                  {"120", 120, false}};
    for (const auto& c : fields) {
        messages.shown.clear();
        minField->setText(QString::fromLatin1(c.text));
        w->coefficientFieldLeft(minField);
        EXPECT_EQ(f.coefficientMin, c.min) << c.text;
        EXPECT_EQ(messages.shown.size(), c.message ? 1 : 0) << c.text;
        if (c.message) {
            EXPECT_EQ(messages.shown[0], coefficientError);
        }
        if (c.message) {
            EXPECT_TRUE(minField->text().isEmpty());
        }
    }
    // Time fields: read-only until "between"; a blank field says nothing; a bad one is emptied.
    EXPECT_TRUE(from->isReadOnly());
    w->findChild<QRadioButton*>(QStringLiteral("RBIntervalPM"))->click();
    EXPECT_FALSE(from->isReadOnly());
    messages.shown.clear();
    w->timeFieldLeft(from);
    EXPECT_TRUE(messages.shown.isEmpty());
    from->setText(QStringLiteral("25:10"));
    w->timeFieldLeft(from);
    EXPECT_EQ(messages.shown,
              QStringList{QStringLiteral("Erreur de saisie de l'heure. Veuillez recommencer")});
    from->setText(QStringLiteral("06:30"));
    w->timeFieldLeft(from);
    EXPECT_DOUBLE_EQ(f.highWaterFrom, 6.5);
    // Cancel keeps what leaving the field stored.
    w->findChild<QPushButton*>(QStringLiteral("BAnnuler"))->click();
    EXPECT_DOUBLE_EQ(f.highWaterFrom, 6.5);

    // Apply stops at an empty field with a message, keeping the earlier steps' values.
    state.settings.chosenLanguage = Language::English;
    minBox->setChecked(true);
    minField->setText(QStringLiteral("45"));
    to->setText(QString());
    messages.shown.clear();
    EXPECT_FALSE(w->apply());
    EXPECT_EQ(f.coefficientMin, 45);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("The time field")));
    to->setText(QStringLiteral("18:00"));
    w->findChild<QPushButton*>(QStringLiteral("BOK"))->click();
    EXPECT_DOUBLE_EQ(f.highWaterTo, 18);
    EXPECT_FALSE(w->isVisible());
    // "None" removes the high waters and puts the window back to the whole day.
    w->findChild<QRadioButton*>(QStringLiteral("RBAucunePM"))->click();
    EXPECT_TRUE(f.noHighWater);
    EXPECT_DOUBLE_EQ(f.highWaterTo, 24);
    // In English the coefficient boxes say what they keep: the minimum, then the maximum.
    w->retranslate();
    EXPECT_EQ(minBox->text(), QStringLiteral("at least"));
    EXPECT_EQ(w->findChild<QCheckBox*>(QStringLiteral("CBCoef_sup"))->text(),
              QStringLiteral("at most"));
}

} // namespace
} // namespace ondrel::test

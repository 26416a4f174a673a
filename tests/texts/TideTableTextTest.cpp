// The tide table's lines, which the window and ondrel-cli share: the blocks of each day, the
// day and month names, the filter test, and the CSV and calendar exports read back.
#include "texts/TideTableText.h"
#include "TideTableTestSupport.h"
#include "texts/TideTableCalendar.h"

#include "TestPorts.h"
#include "engine/Extremes.h"
#include "engine/Report.h"

#include <libical/ical.h>

#include <set>

namespace ondrel::test {
namespace {

using ondrel::testing::SecondaryOf;

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
                      en ? QStringLiteral("March") : QStringLiteral("mars"));
            EXPECT_EQ(block[4], sep);
            ASSERT_LE(ev.size(), 4u);
            for (std::size_t i = 0; i < 4; ++i) {
                const QStringList fields = block[static_cast<int>(i)].split(QLatin1Char('\t'));
                if (i >= ev.size()) {
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
        {QDate(2026, 11, 9), Language::English, "Mon.", "Nov."},
        {QDate(2026, 12, 31), Language::French, "Je.", "dec."},
        {QDate(2026, 12, 2), Language::English, "Wed.", "Dec."},
        {QDate(2027, 1, 3), Language::French, "Di.", "janvier"},
        {QDate(2026, 8, 31), Language::English, "Mon.", "August"},
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
    DayEvents ev(signedHours.size());
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

// The month pages' foot says the time reference with its offset written as a sailor reads it, and
// the heights' unit, datum and model.
TEST(TideTablePageFoot, NamesTheTimeUnitDatumAndModel) {
    const struct Case {
        int reference;
        double timeZone;
        HeightUnit unit;
        Language language;
        bool full;
        const char* time;
        const char* heights;
    } cases[] = {
        {0, 1, HeightUnit::Metres, Language::French, false, "Heures données dans le fuseau UT+1",
         "Hauteurs en mètres au-dessus du zéro des cartes ; modèle : table du port (21 "
         "constituantes)"},
        {0, -9, HeightUnit::Feet, Language::English, true, "Times in the zone UT\u22129",
         "Heights in feet above chart datum; model: full harmonics (2 constituents)"},
        {0, 5.5, HeightUnit::Metres, Language::English, false, "Times in the zone UT+5:30",
         "Heights in metres above chart datum; model: port table (21 constituents)"},
        {91, 1, HeightUnit::Metres, Language::English, false, "Times in UT\u22129",
         "Heights in metres above chart datum; model: port table (21 constituents)"},
        {1, -9, HeightUnit::Metres, Language::French, false,
         "Heure en vigueur : heure d'hiver UT + 1",
         "Hauteurs en mètres au-dessus du zéro des cartes ; modèle : table du port (21 "
         "constituantes)"},
    };
    for (const Case& c : cases) {
        TideTableRequest request;
        request.port.timeZone = c.timeZone;
        request.context = TideContext(TimeReference(c.reference), c.timeZone);
        request.unit = c.unit;
        request.language = c.language;
        if (c.full) {
            auto constants = std::make_shared<HarmonicConstants>();
            constants->terms.resize(2);
            request.harmonics = constants;
        }
        EXPECT_EQ(PageTimeReferenceLine(request), QString::fromUtf8(c.time));
        EXPECT_EQ(PageHeightsLine(request), QString::fromUtf8(c.heights));
    }
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
        std::array<bool, 6> kept;
        bool morning, evening;
    } cases[] = {
        {"a day of six tides: three a half",
         filter([](auto& f) { f.coefficientMin = 71; }),
         Day({-1, 3, -7, 11, -15, 19}),
         {70, 72},
         {0, 0, 0, 1, 1, 1},
         false,
         true},
        {"a day of five tides: the middle one is the morning's",
         filter([](auto& f) { f.coefficientMax = 71; }),
         Day({-1, 3, -7, 11, -15}),
         {70, 72},
         {1, 1, 1, 0, 0},
         true,
         false},
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
        for (std::size_t i = 0; i < c.events.size(); ++i)
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
            for (std::size_t i = 0; i < day.day.events.size(); ++i) {
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
            for (std::size_t i = 0; i < day.day.events.size(); ++i) {
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

} // namespace
} // namespace ondrel::test

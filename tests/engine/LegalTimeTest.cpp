// The port's legal time around real clock changes. The expected local times come from the UT
// computation and from the zones' rules written out here by hand (Paris changes at 01:00 UT...),
// never from the legal-time code itself.
#include "engine/Extremes.h"
#include "engine/Harmonic.h"
#include "engine/Julian.h"
#include "engine/Report.h"
#include "ports/PortTimeZone.h"
#include "texts/TideTableText.h"

#include "TestPorts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace ondrel {
namespace {

double Ut(int y, int m, int d, int h, int mi = 0) {
    return JulianDayOf(y, m, d, h, mi, 0);
}

// The rules of 2026, by hand: hours ahead of UT at a UT instant.
double Paris(double ut) {
    return ut < Ut(2026, 3, 29, 1) ? 1 : ut < Ut(2026, 10, 25, 1) ? 2 : 1;
}
double Hobart(double ut) { // summer time ends on 5 April at 03:00, starts on 4 October at 02:00
    return ut < Ut(2026, 4, 4, 16) ? 11 : ut < Ut(2026, 10, 3, 16) ? 10 : 11;
}
double Kolkata(double) {
    return 5.5;
}
double StJohns(double ut) { // 8 March 02:00 -3:30, 1 November 02:00 -2:30
    return ut < Ut(2026, 3, 8, 5, 30) ? -3.5 : ut < Ut(2026, 11, 1, 4, 30) ? -2.5 : -3.5;
}
double Havana(double ut) { // both changes at 00:00 standard time, 05:00 UT
    return ut < Ut(2026, 3, 8, 5) ? -5 : ut < Ut(2026, 11, 1, 5) ? -4 : -5;
}
double Santiago(double ut) { // 5 April 03:00 UT back to -4, 6 September 04:00 UT (midnight) to -3
    return ut < Ut(2026, 4, 5, 3) ? -3 : ut < Ut(2026, 9, 6, 4) ? -4 : -3;
}

std::shared_ptr<const LegalTimeZone> Zone(const char* name) {
    auto zone = SystemZone(QString::fromLatin1(name), Language::English);
    if (!zone) ADD_FAILURE() << name << " is not in the system's time-zone database (tzdata)";
    return zone;
}

struct DayCase {
    const char* zone;
    std::function<double(double)> rule;
    int year, month, day;
    double hours;
    double startUt; // the day's first instant
    double frameOffset;
};

const std::vector<DayCase>& DayCases() {
    static const std::vector<DayCase> cases = {
        {"Europe/Paris", Paris, 2026, 3, 29, 23, Ut(2026, 3, 28, 23), 1},
        {"Europe/Paris", Paris, 2026, 7, 14, 24, Ut(2026, 7, 13, 22), 2},
        {"Europe/Paris", Paris, 2026, 10, 25, 25, Ut(2026, 10, 24, 22), 2},
        {"Australia/Hobart", Hobart, 2026, 4, 5, 25, Ut(2026, 4, 4, 13), 11},
        {"Australia/Hobart", Hobart, 2026, 10, 4, 23, Ut(2026, 10, 3, 14), 10},
        {"Asia/Kolkata", Kolkata, 2026, 3, 29, 24, Ut(2026, 3, 28, 18, 30), 5.5},
        {"America/St_Johns", StJohns, 2026, 3, 8, 23, Ut(2026, 3, 8, 3, 30), -3.5},
        {"America/St_Johns", StJohns, 2026, 11, 1, 25, Ut(2026, 11, 1, 2, 30), -2.5},
        // The hour before midnight repeated; midnight skipped (the day starts at 01:00), and
        // midnight repeated (the day starts at its first).
        {"America/Santiago", Santiago, 2026, 4, 4, 25, Ut(2026, 4, 4, 3), -3},
        {"America/Santiago", Santiago, 2026, 9, 6, 23, Ut(2026, 9, 6, 4), -4},
        {"America/Havana", Havana, 2026, 3, 8, 23, Ut(2026, 3, 8, 5), -5},
        {"America/Havana", Havana, 2026, 11, 1, 25, Ut(2026, 11, 1, 4), -4},
        {"America/Havana", Havana, 2026, 10, 31, 24, Ut(2026, 10, 31, 4), -4},
    };
    return cases;
}

TEST(LegalTime, DaysOfTheLegalClock) {
    for (const DayCase& c : DayCases()) {
        SCOPED_TRACE(::testing::Message()
                     << c.zone << " " << c.year << "-" << c.month << "-" << c.day);
        const auto zone = Zone(c.zone);
        if (!zone) continue;
        const LegalDay day = LegalDayOf(*zone, JulianDay(c.year, c.month, c.day) + 0.3);
        EXPECT_EQ(day.date, JulianDay(c.year, c.month, c.day));
        EXPECT_EQ(static_cast<double>(day.hours()), c.hours);
        EXPECT_NEAR(day.startUt, c.startUt, 1.0 / 86400);
        EXPECT_NEAR(day.endUt, c.startUt + c.hours / 24, 1.0 / 86400);
        EXPECT_EQ(day.frameOffset, c.frameOffset);
        for (double ut = day.startUt; ut < day.endUt; ut += 1.0 / 48)
            ASSERT_EQ(zone->offsetHoursAt(ut), c.rule(ut)) << "UT " << ut;
    }
}

// The events of the UT instants in [start, end), found by the fixed UT reference, read with the
// hand-written rule: what the legal day must show.
struct Expected {
    bool high;
    double ut;
    double offset;
};
std::vector<Expected> ExpectedEvents(const PortRecord& port, double start, double end,
                                     const std::function<double(double)>& rule) {
    const TideContext ut(TimeReference::UtPlus(0), port.timeZone);
    std::vector<Expected> found;
    for (double d = DayStart(start); d < end; d += 1) {
        for (const TideEvent& e : DayTideEvents(ut, port, d)) {
            if (e.empty() || e.instant() < start || e.instant() >= end) continue;
            found.push_back({e.isHighWater(), e.instant(), rule(e.instant())});
        }
    }
    if (found.size() > 4) found.erase(found.begin() + 3, found.end() - 1); // the slots' rule
    return found;
}

// A port of M2 alone whose high water falls at the UT instant `at` (to about a minute).
PortRecord HighWaterAt(double at) {
    PortRecord port = testing::MakePort("M2", {300, {0, 0, 0, 0, 0, 2000, 0, 0, 0, 0}, {}});
    const TideContext ut(TimeReference::UtPlus(0), 0);
    double first = 0;
    for (const TideEvent& e : DayTideEvents(ut, port, DayStart(at)))
        if (!e.empty() && e.isHighWater()) {
            first = e.instant();
            break;
        }
    port.phase[kM2] = std::fmod((at - first) * 24 * ConstituentSpeed(kM2), 360.0);
    if (port.phase[kM2] < 0) port.phase[kM2] += 360;
    DeriveConstituents(port);
    return port;
}

TEST(LegalTime, EventsReadInTheOffsetInForce) {
    for (const DayCase& c : DayCases()) {
        SCOPED_TRACE(::testing::Message()
                     << c.zone << " " << c.year << "-" << c.month << "-" << c.day);
        const auto zone = Zone(c.zone);
        if (!zone) continue;
        // (Not a port of more than four extremes a day: the UT days would lose some already.)
        for (const PortRecord& port : {testing::Semidiurnal(), testing::Diurnal()}) {
            SCOPED_TRACE(port.name);
            const TideContext legal(TimeReference::PortLegal(), port.timeZone, zone);
            CoefficientMemo memo;
            const ClockDayEvents got = DayTideEventsOnClock(memo, legal, TideSource(port),
                                                            JulianDay(c.year, c.month, c.day));
            const auto expected = ExpectedEvents(port, c.startUt, c.startUt + c.hours / 24, c.rule);
            std::size_t n = 0;
            for (std::size_t i = 0; i < got.events.size(); ++i) {
                const TideEvent& e = got.events[i];
                if (e.empty()) continue;
                ASSERT_LT(n, expected.size());
                const Expected& x = expected[n++];
                EXPECT_EQ(e.isHighWater(), x.high);
                EXPECT_EQ(got.offsetHours[i], x.offset);
                // The UT scan steps through other hours for the half-hour zones: a bisection's
                // width apart at most; on whole-hour zones the same instant, so the same text.
                EXPECT_NEAR(e.instant() - x.offset / 24, x.ut, 0.0007);
                if (std::fmod(x.offset, 1.0) == 0) {
                    EXPECT_EQ(FormatEventTime(e.time), FormatEventTime(x.ut + x.offset / 24));
                }
            }
            EXPECT_EQ(n, expected.size());
        }
    }
}

TEST(LegalTime, TheTideInTheRepeatedHour) {
    // 25 October 2026 in Paris: 02:00 to 03:00 is lived twice, at +2 then at +1.
    const auto zone = Zone("Europe/Paris");
    if (!zone) return;
    struct Case {
        double highWaterUt;
        double offset;
    };
    for (const Case c : {Case{Ut(2026, 10, 25, 0, 30), 2}, Case{Ut(2026, 10, 25, 1, 30), 1}}) {
        const PortRecord port = HighWaterAt(c.highWaterUt);
        const TideContext legal(TimeReference::PortLegal(), 0, zone);
        CoefficientMemo memo;
        const ClockDayEvents got =
            DayTideEventsOnClock(memo, legal, TideSource(port), JulianDay(2026, 10, 25));
        bool seen = false;
        for (std::size_t i = 0; i < got.events.size(); ++i) {
            const TideEvent& e = got.events[i];
            if (e.empty() || !e.isHighWater() ||
                std::fabs(e.instant() - c.offset / 24 - c.highWaterUt) > 0.002)
                continue;
            seen = true;
            EXPECT_EQ(FormatEventTime(e.time).substr(0, 3), "02:");
            EXPECT_EQ(got.offsetHours[i], c.offset);
        }
        EXPECT_TRUE(seen);
    }
}

TEST(LegalTime, ADayWithoutChangeIsTheFixedOffsetDay) {
    const auto paris = Zone("Europe/Paris");
    const auto kolkata = Zone("Asia/Kolkata");
    if (!paris || !kolkata) return;
    struct Case {
        std::shared_ptr<const LegalTimeZone> zone;
        double timeZone;
        double day;
        TimeReference fixed;
    };
    const PortRecord port = testing::Semidiurnal();
    for (const Case& c : {Case{paris, 1, JulianDay(2026, 1, 10), TimeReference(1)},
                          Case{paris, 1, JulianDay(2026, 7, 14), TimeReference(2)},
                          Case{kolkata, 5.5, JulianDay(2026, 3, 29), TimeReference(0)}}) {
        const TideContext legal(TimeReference::PortLegal(), c.timeZone, c.zone);
        const TideContext fixed(c.fixed, c.timeZone);
        const DayEvents a = DayTideEvents(legal, port, c.day);
        const DayEvents b = DayTideEvents(fixed, port, c.day);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].time, b[i].time);
            EXPECT_EQ(a[i].height, b[i].height);
        }
        EXPECT_EQ(DayCoefficients(legal, c.day), DayCoefficients(fixed, c.day));
    }
}

TEST(LegalTime, WithoutAZoneTheStandardTimeAndTheReason) {
    QString why;
    EXPECT_EQ(SystemZone(QStringLiteral("Atlantis/Capital"), Language::French, &why), nullptr);
    EXPECT_TRUE(why.contains(QStringLiteral("Atlantis/Capital"))) << why.toStdString();
    EXPECT_EQ(LegalZoneOf(PortZone{}, Language::English, &why), nullptr);
    EXPECT_TRUE(why.contains(QStringLiteral("standard time"))) << why.toStdString();

    const PortRecord port = testing::Semidiurnal();
    const TideContext legal(TimeReference::PortLegal(), 1, nullptr);
    const TideContext standard(TimeReference::PortLocal(), 1);
    const DayEvents a = DayTideEvents(legal, port, JulianDay(2026, 7, 14));
    const DayEvents b = DayTideEvents(standard, port, JulianDay(2026, 7, 14));
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        EXPECT_EQ(a[i].time, b[i].time);
    EXPECT_EQ(LegalTimeReferenceLine(legal, JulianDay(2026, 7, 14), Language::French,
                                     QStringLiteral(",")),
              QStringLiteral("Heure légale inconnue, heures données dans le fuseau UT + :1"));
}

TEST(LegalTime, TheTableLineNamesTheZoneAndItsOffsets) {
    struct Case {
        const char* zone;
        Language language;
        const char* line;
    };
    for (const Case& c : {
             Case{"Europe/Paris", Language::French,
                  "Heure légale Europe/Paris (UT+1, UT+2 en été)"},
             Case{"Australia/Hobart", Language::English,
                  "Legal time Australia/Hobart (UT+10, UT+11 in summer)"},
             Case{"Asia/Kolkata", Language::English, "Legal time Asia/Kolkata (UT+5:30)"},
             Case{"America/St_Johns", Language::French,
                  "Heure légale America/St_Johns (UT-3:30, UT-2:30 en été)"},
         }) {
        const auto zone = Zone(c.zone);
        if (!zone) continue;
        const TideContext legal(TimeReference::PortLegal(), 0, zone);
        EXPECT_EQ(
            LegalTimeReferenceLine(legal, JulianDay(2026, 5, 1), c.language, QStringLiteral(",")),
            QString::fromUtf8(c.line));
    }
}

TEST(LegalTime, ATableAcrossBothChanges) {
    const auto zone = Zone("Europe/Paris");
    if (!zone) return;
    TideTableRequest request;
    request.port = testing::Semidiurnal();
    request.port.timeZone = 1;
    request.context = TideContext(TimeReference::PortLegal(), 1, zone);
    request.start = JulianDay(2026, 3, 27);
    request.end = JulianDay(2026, 10, 27) + 0.5;
    const TideTable table = ComputeTideTable(request);
    ASSERT_EQ(table.days.size(), 215u);
    QDate date(2026, 3, 27);
    int events = 0;
    for (const TideTableDay& day : table.days) {
        EXPECT_EQ(day.date, date);
        date = date.addDays(1);
        for (std::size_t i = 0; i < day.day.events.size(); ++i) {
            const TideEvent& e = day.day.events[i];
            if (e.empty()) continue;
            ++events;
            // The instant in UT from the written text and its offset: the rule gives that offset.
            const QDateTime utc = UtcOfEventText(e, day.offsetHours[i]);
            const double ut = Ut(utc.date().year(), utc.date().month(), utc.date().day(),
                                 utc.time().hour(), utc.time().minute());
            EXPECT_EQ(day.offsetHours[i], Paris(ut)) << day.date.toString().toStdString();
            // Each event is written on its own legal date.
            const CalendarDate c = CalendarOfJulianDay(e.instant());
            EXPECT_EQ(QDate(c.year, c.month, static_cast<int>(c.day)), day.date);
        }
    }
    EXPECT_GT(events, 215 * 3);
    EXPECT_EQ(table.lines.at(table.lines.size() - 2),
              QStringLiteral("Heure légale Europe/Paris (UT+1, UT+2 en été)"));
}

} // namespace
} // namespace ondrel

// The day scan that turns the angles of the day's start must find exactly what the scan
// evaluating the whole sum at every instant finds: same instants, same heights, same
// coefficients, for any port, day, time reference and zone.
#include "engine/Extremes.h"

#include "TestPorts.h"
#include "engine/Harmonic.h"
#include "engine/Julian.h"
#include "engine/Report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace ondrel {
namespace {

using namespace ondrel::testing;

// A port with random stored constants, some of them zero, and for one port in three random
// secondary corrections (height factors above 10 and additive heights alike).
PortRecord RandomPort(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> unit(0, 1);
    StoredConstants c{};
    c.meanLevel = 50 + 600 * unit(rng);
    const double scale[10] = {100, 60, 200, 200, 600, 3000, 1000, 200, 500, 300};
    for (int i = 0; i < 10; ++i) {
        c.amp[i] = unit(rng) < 0.15 ? 0 : std::round(scale[i] * unit(rng));
        c.phase[i] = std::round(360 * unit(rng));
    }
    PortRecord p = MakePort("ALEATOIRE", c, std::round(24 * unit(rng)) / 2 - 12);
    if (unit(rng) < 1.0 / 3) {
        for (int i = 1; i <= 4; ++i)
            p.corrections[i] = std::round(200 * unit(rng) - 100) / 100;
        for (int i = 5; i <= 8; ++i)
            p.corrections[i] = unit(rng) < 0.5 ? 90 + unit(rng) * 2 : unit(rng) - 0.5;
    }
    return p;
}

void ExpectSameDay(const DayEvents& fast, const DayEvents& literal, const std::string& where) {
    for (std::size_t i = 0; i < fast.size(); ++i) {
        ASSERT_EQ(fast[i].time, literal[i].time) << where << " slot " << i + 1;
        if (fast[i].empty()) continue;
        EXPECT_NEAR(fast[i].height, literal[i].height, 1e-12) << where << " slot " << i + 1;
        EXPECT_EQ(FormatEventTime(fast[i].time), FormatEventTime(literal[i].time)) << where;
        EXPECT_EQ(FormatHeight(fast[i].height), FormatHeight(literal[i].height)) << where;
    }
}

TEST(FastScan, FindsWhatTheLiteralScanFinds) {
    std::mt19937_64 rng(20261207);
    std::uniform_int_distribution<int> dayOf(0, 200 * 366);
    std::uniform_real_distribution<double> within(0, 0.999);
    const int references[] = {0, 1, 2, 100, 105, 88, 112};
    struct Fixed {
        PortRecord port;
        int days;
    };
    // The engine's test ports over a whole year each (three-event days, diurnal days, days with
    // more than four extremes), then random ports on random days from 1900 to 2100.
    for (const Fixed& f :
         {Fixed{Semidiurnal(), 366}, Fixed{Diurnal(), 366}, Fixed{ShallowWater(), 366}}) {
        const TideContext ctx(TimeReference(0), f.port.timeZone);
        for (int d = 0; d < f.days; ++d) {
            const double t = JulianDay(2026, 1, 1) + d;
            ExpectSameDay(DayTideEvents(ctx, f.port, t), DayTideEventsLiteral(ctx, f.port, t),
                          f.port.name + " day " + std::to_string(d));
        }
    }
    for (int run = 0; run < 1500; ++run) {
        const PortRecord port = RandomPort(rng);
        const TideContext ctx(TimeReference(references[run % 7]), port.timeZone);
        const double t = JulianDay(1900, 1, 1) + dayOf(rng) + within(rng);
        const std::string where = "run " + std::to_string(run);
        ExpectSameDay(DayTideEvents(ctx, port, t), DayTideEventsLiteral(ctx, port, t), where);
        CoefficientMemo memo;
        ExpectSameDay(DayTideEvents(memo, ctx, port, t), DayTideEventsLiteral(ctx, port, t), where);
        EXPECT_EQ(DayCoefficients(ctx, t), DayCoefficientsLiteral(ctx, t)) << where;
    }
}

// The turned rate and curvature themselves stay within a hair of the whole sum, on the scan's
// instants and on instants between them (where the whole sum is used).
TEST(FastScan, RateAgreesWithTheWholeSum) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int run = 0; run < 200; ++run) {
        const PortRecord port = RandomPort(rng);
        const TideContext ctx(TimeReference(run % 2 ? 0 : 101), port.timeZone);
        const double d0 = JulianDay(1950, 1, 1) + std::floor(unit(rng) * 40000);
        const double step = static_cast<double>(d0 + 1.0L / 24) - d0;
        const DayRate rate(ctx, port, d0, step);
        double scale = 0;
        for (int k = 1; k <= kConstituentCount; ++k)
            scale += port.amplitude[k] * ConstituentSpeed(k) / 1000;
        const double instants[] = {d0,
                                   static_cast<double>(d0 + 7 / 24.0L),
                                   static_cast<double>(d0 + 1.0L),
                                   static_cast<double>(d0 + (13 + 37 / 64.0L) / 24),
                                   static_cast<double>(d0 + (22 + 101 / 128.0L) / 24),
                                   d0 + unit(rng)};
        double scale2 = 0;
        for (int k = 1; k <= kConstituentCount; ++k)
            scale2 += port.amplitude[k] * ConstituentSpeed(k) * ConstituentSpeed(k) / 1000;
        for (double t : instants) {
            EXPECT_NEAR(rate(t), HeightRate(ctx, port, t), 1e-12 * scale) << run << " " << t - d0;
            EXPECT_NEAR(rate.curvature(t), HeightCurvature(ctx, port, t), 1e-12 * scale2)
                << run << " " << t - d0;
        }
    }
}

} // namespace
} // namespace ondrel

#include "engine/Secondary.h"

#include "TestPorts.h"
#include "engine/Harmonic.h"
#include "engine/Julian.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ondrel {
namespace {

using namespace ondrel::testing;

// Corrections in record order: HW time springs, neaps, LW time springs, neaps, then heights.
PortRecord WithCorrections(PortRecord p, std::array<double, 8> c) {
    for (int i = 0; i < 8; ++i)
        p.corrections[i + 1] = c[i];
    return p;
}

TEST(InterpolateLinear, LineThroughTwoPoints) {
    struct Case {
        double x, yA, yB, xA, xB, expected;
    };
    const Case cases[] = {
        {70, 1, 3, 45, 95, 2}, // mean coefficient: the mean of neaps and springs
        {45, 1, 3, 45, 95, 1},   {95, 1, 3, 45, 95, 3},
        {120, 1, 3, 45, 95, 4},                      // beyond springs: extrapolated
        {20, 1, 3, 45, 95, 0},   {5, 7, 9, 3, 3, 0}, // degenerate: 0
        {2, -0.5, 0.5, 1, 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(InterpolateLinear(c.x, c.yA, c.yB, c.xA, c.xB), c.expected, 1e-12) << c.x;
}

TEST(IsSecondaryPort, AnyNonZeroCorrectionMakesItSecondary) {
    const PortRecord standard = Semidiurnal();
    EXPECT_FALSE(IsSecondaryPort(standard));
    for (int i = 1; i <= 8; ++i) {
        PortRecord p = standard;
        p.corrections[i] = (i % 2 == 0) ? 0.25 : -0.25; // neaps-only and springs-only, either sign
        EXPECT_TRUE(IsSecondaryPort(p)) << i;
    }
}

TEST(DayCorrections, InterpolateBetweenNeapsAndSpringsByTheMeanCoefficient) {
    const TideContext ctx;
    const PortRecord p =
        WithCorrections(Semidiurnal(), {1.0, 0.5, -1.0, -0.5, 91.2, 91.1, 0.3, 0.1});
    for (int d = 0; d < 15; ++d) {
        const double day = JulianDay(2026, 4, 1) + d;
        const CoefficientPair c = DayCoefficients(ctx, day);
        const double mean = (c.morning + c.evening) / 2.0;
        const DayCorrectionSet set = DayCorrections(ctx, p, day);
        EXPECT_NEAR(set.c1, 0.5 + (mean - 45) / 50 * 0.5, 1e-9);
        EXPECT_NEAR(set.c0, -0.5 - (mean - 45) / 50 * 0.5, 1e-9);
        EXPECT_NEAR(set.c3, 91.1 + (mean - 45) / 50 * 0.1, 1e-9);
        EXPECT_NEAR(set.c2, 0.1 + (mean - 45) / 50 * 0.2, 1e-9);
    }
    // Equal springs and neaps values apply whatever the coefficient.
    const PortRecord flat =
        WithCorrections(Semidiurnal(), {0.7, 0.7, 0.2, 0.2, 0.4, 0.4, 0.1, 0.1});
    const DayCorrectionSet set = DayCorrections(ctx, flat, JulianDay(2026, 4, 9));
    EXPECT_NEAR(set.c1, 0.7, 1e-12);
    EXPECT_NEAR(set.c0, 0.2, 1e-12);
    EXPECT_NEAR(set.c3, 0.4, 1e-12);
    EXPECT_NEAR(set.c2, 0.1, 1e-12);
}

// A secondary port's day holds its standard port's events of that day and of its neighbours,
// moved and scaled, that fall in it: in time order, none lost across midnight, none twice.
TEST(SecondaryEvents, AreTheStandardEventsMovedAndScaledIntoTheirDay) {
    const TideContext ctx;
    const PortRecord standard = Semidiurnal();
    struct Case {
        double hwTime, lwTime;     // corrections (springs = neaps), hours
        double hwHeight, lwHeight; // corrections
        double hwFactor, hwAdd, lwFactor, lwAdd;
    };
    const Case cases[] = {
        {0.5, -0.25, 91.2, 0.3, 1.2, 0, 1, 0.3}, // factor at high water, amount at low water
        {0.5, -0.25, 0.5, -0.2, 1, 0.5, 1, -0.2},
        {0.5, -0.25, 50, 10, -40, 0, 1, 10}, // 50 > 10: a factor (50 - 90); 10 is added
        {2.5, 1.5, 0, 0, 1, 0, 1, 0},        // late high and low waters cross into the next day
        {-3, -2, 0, 0, 1, 0, 1, 0},          // early ones into the day before
    };
    for (const Case& c : cases) {
        const PortRecord p =
            WithCorrections(standard, {c.hwTime, c.hwTime, c.lwTime, c.lwTime, c.hwHeight,
                                       c.hwHeight, c.lwHeight, c.lwHeight});
        for (int d = 0; d < 30; ++d) {
            const double day = JulianDay(2026, 2, 10) + d;
            std::vector<TideEvent> expected;
            for (int k = -1; k <= 1; ++k)
                for (const TideEvent& s : DayTideEvents(ctx, standard, day + k)) {
                    const bool high = s.isHighWater();
                    const double instant = s.instant() + (high ? c.hwTime : c.lwTime) / 24;
                    if (instant < day || instant >= day + 1) continue;
                    expected.push_back(
                        {high ? instant : -instant,
                         high ? s.height * c.hwFactor + c.hwAdd : s.height * c.lwFactor + c.lwAdd});
                }
            const DayEvents e = DayTideEvents(ctx, p, day);
            ASSERT_EQ(e.size(), expected.size()) << c.hwTime << " day " << d;
            for (std::size_t i = 0; i < e.size(); ++i) {
                EXPECT_NEAR(e[i].time, expected[i].time, 1e-9);
                EXPECT_NEAR(e[i].height, expected[i].height, 1e-9);
                if (i > 0) {
                    EXPECT_GT(e[i].instant(), e[i - 1].instant());
                }
            }
        }
    }
}

TEST(SecondaryHeight, ZeroCorrectionsGiveTheStandardPort) {
    const TideContext ctx;
    const PortRecord p = Semidiurnal();
    SecondaryDayCache cache;
    cache.prepare(ctx, p, JulianDay(2026, 7, 1));
    for (double t = JulianDay(2026, 7, 1); t < JulianDay(2026, 7, 2); t += 0.05)
        EXPECT_EQ(HeightAt(ctx, cache, p, t), StandardHeightAt(ctx, p, t));
}

TEST(SecondaryHeight, CurvePassesThroughTheCorrectedEvents) {
    const TideContext ctx(TimeReference(100), 0);
    // Height corrections as factors at both waters, then as amounts at both waters.
    const std::array<double, 8> kinds[] = {{0.4, 0.2, -0.6, -0.3, 91.1, 91.05, 90.9, 90.95},
                                           {0.4, 0.2, -0.6, -0.3, 0.5, 0.3, 0.2, 0.1}};
    for (const auto& corrections : kinds) {
        const PortRecord p = WithCorrections(Semidiurnal(), corrections);
        SecondaryDayCache cache;
        for (int d = 0; d < 10; ++d) {
            const double day = JulianDay(2026, 9, 1) + d;
            cache.prepare(ctx, p, day);
            for (const TideEvent& e : cache.events()) {
                if (e.empty()) continue;
                // At the corrected instant the curve gives about the corrected height (the curve
                // interpolates its height correction, the events apply the day's value).
                EXPECT_NEAR(HeightAt(ctx, cache, p, e.instant()), e.height, 0.15) << d;
            }
            // The curve stays continuous: no jump larger than the tide makes in 5 minutes.
            double previous = HeightAt(ctx, cache, p, day);
            for (double t = day; t < day + 1; t += 0.003472) {
                const double h = HeightAt(ctx, cache, p, t);
                EXPECT_LT(std::fabs(h - previous), 0.2) << t;
                previous = h;
            }
        }
    }
}

TEST(SecondaryHeight, BeforeAnyPreparationDoesNotFail) {
    const TideContext ctx;
    const PortRecord p = WithCorrections(Semidiurnal(), {1, 1, 1, 1, 0.5, 0.5, 0.5, 0.5});
    const SecondaryDayCache empty;
    const double t = JulianDay(2026, 1, 1) + 0.3;
    EXPECT_TRUE(std::isfinite(HeightAt(ctx, empty, p, t)));
}

TEST(SecondaryHeight, TimeOfAnInstantAfterTheLastEventUsesTheNextDay) {
    const TideContext ctx;
    const PortRecord p = WithCorrections(Semidiurnal(), {0.4, 0.4, -0.6, -0.6, 0, 0, 0, 0});
    SecondaryDayCache cache;
    const double day = JulianDay(2026, 9, 1);
    cache.prepare(ctx, p, day);
    // At each cached event the time correction is that of the event's kind.
    for (const TideEvent& e : cache.events()) {
        if (e.empty()) continue;
        const double expected = e.isHighWater() ? 0.4 : -0.6;
        EXPECT_NEAR((cache.secondaryTimeOf(e.instant()) - e.instant()) * 24, expected, 1e-6);
    }
    const TideEvent nextFirst = cache.nextEvents().front();
    const double expected = nextFirst.isHighWater() ? 0.4 : -0.6;
    EXPECT_NEAR((cache.secondaryTimeOf(nextFirst.instant()) - nextFirst.instant()) * 24, expected,
                1e-6);
}

} // namespace
} // namespace ondrel

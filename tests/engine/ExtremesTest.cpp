#include "engine/Extremes.h"

#include "TestPorts.h"
#include "engine/Harmonic.h"
#include "engine/Julian.h"
#include "engine/Secondary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ondrel {
namespace {

using namespace ondrel::testing;

std::vector<TideEvent> Filled(const DayEvents& events) {
    std::vector<TideEvent> out;
    for (const TideEvent& e : events)
        if (!e.empty()) out.push_back(e);
    return out;
}

// Extremes of the day found by a fine scan of the height itself, independent of the rate.
std::vector<double> BruteForceExtremes(const TideContext& ctx, const PortRecord& p, double day) {
    std::vector<double> found;
    const double step = 1.0 / 1440 / 4; // 15 s
    double prev = StandardHeightAt(ctx, p, day - step);
    double cur = StandardHeightAt(ctx, p, day);
    for (double t = day; t < day + 1; t += step) {
        const double nxt = StandardHeightAt(ctx, p, t + step);
        if ((cur > prev && cur >= nxt) || (cur < prev && cur <= nxt))
            found.push_back(cur > prev ? t : -t);
        prev = cur;
        cur = nxt;
    }
    return found;
}

TEST(DayTideEvents, SemidiurnalDaysAlternateAndHoldLocalExtremes) {
    const PortRecord p = Semidiurnal();
    const TideContext ctx;
    int threeEventDays = 0;
    for (int d = 0; d < 60; ++d) {
        const double day = JulianDay(2026, 1, 1) + d;
        const std::vector<TideEvent> ev = Filled(DayTideEvents(ctx, p, day + 0.3));
        ASSERT_GE(ev.size(), 3u);
        ASSERT_LE(ev.size(), 4u);
        if (ev.size() == 3) ++threeEventDays;
        for (std::size_t i = 0; i < ev.size(); ++i) {
            const double t = ev[i].instant();
            EXPECT_GE(t, day);
            EXPECT_LE(t, day + 1);
            if (i > 0) {
                EXPECT_NE(ev[i].isHighWater(), ev[i - 1].isHighWater()) << "day " << d;
                EXPECT_GT(t, ev[i - 1].instant());
            }
            // The event's height is the curve's extreme within a couple of minutes around it.
            EXPECT_DOUBLE_EQ(ev[i].height, StandardHeightAt(ctx, p, t));
            const double around = StandardHeightAt(ctx, p, t + 2.0 / 1440);
            const double before = StandardHeightAt(ctx, p, t - 2.0 / 1440);
            if (ev[i].isHighWater()) {
                EXPECT_GT(ev[i].height, around - 1e-4);
                EXPECT_GT(ev[i].height, before - 1e-4);
            } else {
                EXPECT_LT(ev[i].height, around + 1e-4);
                EXPECT_LT(ev[i].height, before + 1e-4);
            }
        }
        // Same extremes as a scan of the height itself, to the search tolerance.
        const std::vector<double> brute = BruteForceExtremes(ctx, p, day);
        ASSERT_EQ(brute.size(), ev.size()) << "day " << d;
        for (std::size_t i = 0; i < ev.size(); ++i) {
            EXPECT_EQ(brute[i] > 0, ev[i].isHighWater());
            EXPECT_NEAR(std::fabs(brute[i]), ev[i].instant(), 0.0008);
        }
    }
    EXPECT_GT(threeEventDays, 0); // a semidiurnal tide skips an event every other week or so
}

TEST(DayTideEvents, DiurnalPortHasOneHighAndOneLowWater) {
    const PortRecord p = Diurnal();
    const TideContext ctx;
    int twoEventDays = 0;
    for (int d = 0; d < 20; ++d) {
        const DayEvents ev = DayTideEvents(ctx, p, JulianDay(2026, 3, 1) + d);
        if (ev.size() == 2) {
            ++twoEventDays;
            EXPECT_NE(ev[0].isHighWater(), ev[1].isHighWater());
        }
    }
    EXPECT_GE(twoEventDays, 10);
}

TEST(DayTideEvents, KeepEveryExtremeOfADayOfMoreThanFour) {
    const PortRecord p = ShallowWater();
    const TideContext ctx;
    int crowdedDays = 0;
    for (int d = 0; d < 30; ++d) {
        const double day = JulianDay(2026, 5, 1) + d;
        const std::vector<double> brute = BruteForceExtremes(ctx, p, day);
        if (brute.size() <= 4) continue;
        ++crowdedDays;
        const DayEvents ev = DayTideEvents(ctx, p, day);
        ASSERT_EQ(ev.size(), brute.size()) << "day " << d;
        for (std::size_t i = 0; i < ev.size(); ++i) {
            EXPECT_NEAR(ev[i].instant(), std::fabs(brute[i]), 0.0008) << "day " << d;
            EXPECT_EQ(ev[i].isHighWater(), brute[i] > 0) << "day " << d;
        }
    }
    EXPECT_GT(crowdedDays, 0) << "the test port should have days with more than four extremes";
}

TEST(FindExtreme, ClassifiesByCurvature) {
    const PortRecord p = Semidiurnal();
    const TideContext ctx;
    const DayEvents ev = DayTideEvents(ctx, p, 2461000.5);
    for (const TideEvent& e : Filled(ev)) {
        const double t = e.instant();
        const double found = FindExtreme(ctx, p, 0.0007, t + 0.02, t - 0.02);
        EXPECT_NEAR(std::fabs(found), t, 0.0007);
        EXPECT_EQ(found > 0, e.isHighWater());
    }
}

TEST(DayCoefficients, StayInTheUsualRangeAndRepeatOnOneHighWaterDays) {
    const TideContext ctx;
    int minC = 1000, maxC = 0, singleHighWaterDays = 0;
    for (int d = 0; d < 366; ++d) {
        const double day = JulianDay(2026, 1, 1) + d;
        const CoefficientPair c = DayCoefficients(ctx, day);
        minC = std::min({minC, c.morning, c.evening});
        maxC = std::max({maxC, c.morning, c.evening});
        EXPECT_LE(std::abs(c.morning - c.evening), 12) << d;
        // Count the reference port's high waters independently of the coefficient code.
        const DayEvents ref = DayTideEvents(ctx, CoefficientReferencePort(), day);
        int highWaters = 0;
        for (const TideEvent& e : ref)
            if (!e.empty() && e.isHighWater()) ++highWaters;
        ASSERT_GE(highWaters, 1);
        if (highWaters == 1) {
            ++singleHighWaterDays;
            EXPECT_EQ(c.morning, c.evening);
        }
        // The coefficient is one more than the ceiling of 100 x the high water's height.
        for (const TideEvent& e : ref) {
            if (e.empty() || !e.isHighWater()) continue;
            const int c100 = static_cast<int>(std::ceil(100.0L * e.height)) + 1;
            EXPECT_TRUE(c100 == c.morning || c100 == c.evening || highWaters > 2) << d;
        }
    }
    EXPECT_GT(singleHighWaterDays, 5);
    EXPECT_LT(minC, 35);
    EXPECT_GT(maxC, 105);
    EXPECT_GE(minC, 15);
    EXPECT_LE(maxC, 125);
}

TEST(DayCoefficients, DoNotDependOnThePortButOnWhereMidnightFalls) {
    const double day = JulianDay(2026, 3, 20);
    // Under UT the current port's zone moves the day's midnight; somewhere in a month that
    // moves a high water across it and changes the pair.
    int differing = 0;
    for (int d = 0; d < 30; ++d) {
        const CoefficientPair west = DayCoefficients(TideContext(TimeReference(100), -11), day + d);
        const CoefficientPair east = DayCoefficients(TideContext(TimeReference(100), 11), day + d);
        if (!(west == east)) ++differing;
    }
    EXPECT_GT(differing, 0);
    // Local time ignores the zone entirely.
    EXPECT_EQ(DayCoefficients(TideContext(TimeReference(0), -11), day),
              DayCoefficients(TideContext(TimeReference(0), 11), day));
}

TEST(DayCoefficients, MemoGivesTheSameValuesAsAFreshComputation) {
    CoefficientMemo memo;
    TideContext context(TimeReference(100), 2);
    for (int d = 0; d < 40; ++d) {
        // The memo must notice the new midnight of another zone or time reference.
        if (d == 20) context = TideContext(TimeReference(100), -11);
        if (d == 30) context = TideContext(TimeReference(1), -11);
        const double day = JulianDay(2026, 6, 1) + (d * 7) % 23;
        EXPECT_EQ(memo.coefficients(context, day), DayCoefficients(context, day)) << d;
    }
}

} // namespace
} // namespace ondrel

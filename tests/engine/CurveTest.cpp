#include "engine/Curve.h"

#include "TestPorts.h"
#include "engine/Harmonic.h"
#include "engine/Julian.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ondrel {
namespace {

using namespace ondrel::testing;

TEST(DayCurve, SamplesEveryFiveMinutesFromTheStartHour) {
    const TideContext ctx;
    const PortRecord p = Semidiurnal();
    SecondaryDayCache cache;
    const double day = JulianDay(2026, 12, 7);
    struct Case {
        double start, end;
        std::size_t count;
    };
    const Case cases[] = {{0, 1, 289}, {0.25, 0.75, 145}, {0.5, 0.5, 0}};
    for (const Case& c : cases) {
        cache.prepare(ctx, p, day + c.start);
        const auto points = DayCurve(ctx, cache, p, day + c.start, day + c.end, 1);
        ASSERT_EQ(points.size(), c.count) << c.start;
        if (points.empty()) continue;
        EXPECT_DOUBLE_EQ(points.front().x, day + c.start - kDateTimeOrigin);
        for (std::size_t i = 0; i < points.size(); i += 37) {
            const double t = points[i].x + kDateTimeOrigin;
            EXPECT_NEAR(t, day + c.start + i * 0.003472, 1e-7); // steps accumulate in double
            EXPECT_DOUBLE_EQ(points[i].y, StandardHeightAt(ctx, p, t));
        }
    }
    // The last sample of a whole day is at 23:59:54.
    const auto whole = DayCurve(ctx, cache, p, day, day + 1, 1);
    EXPECT_NEAR((whole.back().x + kDateTimeOrigin - day) * 86400, 23 * 3600 + 59 * 60 + 54, 0.5);
}

TEST(DayCurve, HeightsFollowTheUnit) {
    const TideContext ctx;
    const PortRecord p = Semidiurnal();
    SecondaryDayCache cache;
    const double day = JulianDay(2026, 12, 7);
    const auto m = DayCurve(ctx, cache, p, day, day + 1, 1);
    const auto ft = DayCurve(ctx, cache, p, day, day + 1, 1 / 0.3048L);
    ASSERT_EQ(m.size(), ft.size());
    for (std::size_t i = 0; i < m.size(); i += 50)
        EXPECT_NEAR(ft[i].y * 0.3048, m[i].y, 1e-12);
}

TEST(SpanCurve, WeekAndMonthSpansAndProgress) {
    const TideContext ctx;
    const PortRecord p = Semidiurnal();
    SecondaryDayCache cache;
    const double day = JulianDay(2026, 12, 7);
    for (int span : {7, 31}) {
        int lastProgress = -1;
        bool monotonic = true;
        const auto points = SpanCurve(ctx, cache, p, day, span, 1, [&](int v) {
            monotonic = monotonic && v >= lastProgress && v < 100;
            lastProgress = v;
        });
        EXPECT_EQ(points.size(), static_cast<std::size_t>(std::ceil(span / 0.01736)));
        EXPECT_TRUE(monotonic);
        EXPECT_GE(lastProgress, 99);
        EXPECT_LT(points.back().x + kDateTimeOrigin, day + span);
    }
}

TEST(SpanCurve, SecondaryPortIsPreparedAfterEachMidnight) {
    const TideContext ctx;
    PortRecord p = Semidiurnal();
    p.corrections = {0, 0.5, 0.5, -0.5, -0.5, 0.3, 0.3, 0.1, 0.1};
    SecondaryDayCache cache;
    const double day = JulianDay(2026, 12, 7);
    const auto points = SpanCurve(ctx, cache, p, day, 7, 1);
    // Each point equals the height computed with the cache of its own day.
    for (std::size_t i = 0; i < points.size(); i += 41) {
        const double t = points[i].x + kDateTimeOrigin;
        const double dayOfT = DayStart(t);
        // The cache is refreshed at the first sample after midnight, so every later sample of
        // the day uses that day's cache, which any instant of the day prepares alike.
        if (t - dayOfT < 0.02) continue;
        SecondaryDayCache own;
        own.prepare(ctx, p, dayOfT);
        EXPECT_NEAR(points[i].y, HeightAt(ctx, own, p, t), 1e-12) << i;
    }
}

} // namespace
} // namespace ondrel

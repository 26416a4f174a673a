// Tidal-stream events of a single semidiurnal constituent over a mean flow, whose answer is known:
// the speed swings f A either side of the mean flow, so the strongest flood and ebb, or the
// strongest and weakest of a stream that never slacks, lie that far from it, and a slack is
// where the speed changes sign.
#include "engine/Currents.h"
#include "engine/Constituents.h"
#include "engine/Julian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace ondrel {
namespace {

TEST(Currents, OneConstituentOverAMeanFlow) {
    const struct {
        double meanFlow;
        std::set<CurrentEventKind> kinds; // the kinds of events it has
    } cases[] = {
        {0.5, {CurrentEventKind::Slack, CurrentEventKind::MaxFlood, CurrentEventKind::MaxEbb}},
        {3, {CurrentEventKind::MaxFlood, CurrentEventKind::MinFlood}}, // it never slacks
        {-3, {CurrentEventKind::MaxEbb, CurrentEventKind::MinEbb}},
    };
    const double start = JulianDay(2026, 3, 1);
    const double end = start + 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.meanFlow);
        HarmonicConstants stream;
        stream.datumOffset = c.meanFlow;
        stream.terms = {{*DefineConstituent("M2"), 2.0, 40}};
        const std::vector<CurrentEvent> events = CurrentEvents(stream, start, end);
        std::map<CurrentEventKind, int> kinds;
        std::set<CurrentEventKind> seen;
        double previous = 0;
        for (const CurrentEvent& e : events) {
            ++kinds[e.kind];
            seen.insert(e.kind);
            EXPECT_GE(e.time, start);
            EXPECT_LT(e.time, end);
            EXPECT_GT(e.time, previous);
            previous = e.time;
            const double minute = 1.0 / 1440;
            if (e.kind == CurrentEventKind::Slack) {
                EXPECT_EQ(e.speed, 0);
                EXPECT_LT(CurrentSpeedAt(stream, e.time - minute) *
                              CurrentSpeedAt(stream, e.time + minute),
                          0);
                EXPECT_EQ(e.toFlood, CurrentSpeedAt(stream, e.time + minute) > 0);
                continue;
            }
            // Maxima and minima alike stand f A (f within 4 % of 1) from the mean flow, and
            // no speed a minute away is beyond them.
            EXPECT_NEAR(std::fabs(e.speed - c.meanFlow), 2.0, 0.08);
            const bool strongest =
                e.kind == CurrentEventKind::MaxFlood || e.kind == CurrentEventKind::MaxEbb;
            for (const double t : {e.time - minute, e.time + minute}) {
                const double near = std::fabs(CurrentSpeedAt(stream, t));
                if (strongest)
                    EXPECT_LE(near, std::fabs(e.speed) + 1e-9);
                else
                    EXPECT_GE(near, std::fabs(e.speed) - 1e-9);
            }
        }
        EXPECT_EQ(seen, c.kinds);
        // Three days of a semidiurnal stream: five or six of each (slacks twice as many).
        for (const auto& [kind, count] : kinds)
            EXPECT_TRUE(count >= 5 && count <= (kind == CurrentEventKind::Slack ? 12 : 6))
                << static_cast<int>(kind) << ": " << count;
    }
}

// A subordinate station: its reference's events moved by the offset of their kind, its speeds
// scaled by the flood or ebb ratio.
TEST(Currents, SubordinateEventsFollowTheirOffsets) {
    const std::vector<CurrentEvent> reference = {
        {CurrentEventKind::Slack, 10.0, 0, true},
        {CurrentEventKind::MaxFlood, 10.1, 2.0, false},
        {CurrentEventKind::Slack, 10.2, 0, false},
        {CurrentEventKind::MaxEbb, 10.3, -1.0, false},
    };
    const CurrentOffsets offsets{-14.4, -14.4, 28.8, 0, 0.5, 2};
    const std::vector<CurrentEvent> events =
        SubordinateCurrentEvents(reference, offsets, 10.0, 10.3);
    ASSERT_EQ(events.size(), 2u); // the first slack moves before the start, the ebb to the end
    EXPECT_EQ(events[0].kind, CurrentEventKind::MaxFlood);
    EXPECT_NEAR(events[0].time, 10.12, 1e-9);
    EXPECT_DOUBLE_EQ(events[0].speed, 1.0);
    EXPECT_EQ(events[1].kind, CurrentEventKind::Slack);
    EXPECT_NEAR(events[1].time, 10.19, 1e-9);
    // Between events the speed passes through each of them and turns only there.
    for (std::size_t i = 0; i < reference.size(); ++i) {
        EXPECT_NEAR(SpeedBetweenEvents(reference, reference[i].time), reference[i].speed, 1e-12);
        if (i + 1 == reference.size()) break;
        const double a = reference[i].speed, b = reference[i + 1].speed;
        for (double f : {0.25, 0.5, 0.75}) {
            const double v = SpeedBetweenEvents(reference, reference[i].time + f * 0.1);
            EXPECT_TRUE(v > std::min(a, b) && v < std::max(a, b)) << i << " " << f;
        }
    }
    EXPECT_EQ(SpeedBetweenEvents(reference, 9.9), 0);
}

} // namespace
} // namespace ondrel

#include "engine/Currents.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace ondrel {

namespace {

constexpr double kSecond = 1.0 / 86400;

// The UT frame: the engine's contexts count times in a reference; the streams are given in UT.
const TideContext& UtContext() {
    static const TideContext ut(TimeReference::UtPlus(0), 0);
    return ut;
}

// The root of f between a and b (f(a) and f(b) of opposite signs), to the second.
double Root(const std::function<double(double)>& f, double a, double b) {
    double fa = f(a);
    while (b - a > kSecond) {
        const double m = (a + b) / 2;
        const double fm = f(m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return (a + b) / 2;
}

struct Turn {
    double time;
    double speed;
};

} // namespace

std::string_view CurrentEventName(CurrentEventKind kind) {
    switch (kind) {
    case CurrentEventKind::Slack:
        return "slack";
    case CurrentEventKind::MaxFlood:
        return "max_flood";
    case CurrentEventKind::MaxEbb:
        return "max_ebb";
    case CurrentEventKind::MinFlood:
        return "min_flood";
    case CurrentEventKind::MinEbb:
        return "min_ebb";
    }
    return "slack";
}

double CurrentSpeedAt(const HarmonicConstants& stream, double t) {
    return FullHeightAt(UtContext(), stream, t);
}

std::vector<CurrentEvent> CurrentEvents(const HarmonicConstants& stream, double start, double end) {
    // A margin on each side, so that a maximum is judged against the slacks around it.
    const double from = start - 1;
    const double to = end + 1;
    const FullHarmonicRate rate(UtContext(), stream, from, (from + to) / 2);
    const double step = std::min(rate.quarterPeriod(), 1.0 / 24);
    const auto speed = [&](double t) { return CurrentSpeedAt(stream, t); };
    const auto slope = [&](double t) { return rate.rate(t); };

    std::vector<CurrentEvent> slacks;
    std::vector<Turn> turns; // the extremes of the speed
    double t0 = from;
    double v0 = speed(t0);
    double r0 = slope(t0);
    while (t0 < to) {
        const double t1 = std::min(t0 + step, to);
        const double v1 = speed(t1);
        const double r1 = slope(t1);
        if ((v0 < 0) != (v1 < 0)) {
            const double t = Root(speed, t0, t1);
            slacks.push_back({CurrentEventKind::Slack, t, 0, v1 > 0});
        }
        if ((r0 < 0) != (r1 < 0)) {
            const double t = Root(slope, t0, t1);
            turns.push_back({t, speed(t)});
        }
        t0 = t1;
        v0 = v1;
        r0 = r1;
    }

    std::vector<CurrentEvent> events = slacks;
    // The turns between two slacks, or before the first or after the last (a stream that never
    // slacks over the span has one run of them all).
    std::vector<std::vector<Turn>> runs(slacks.size() + 1);
    std::size_t run = 0;
    for (const Turn& turn : turns) {
        while (run < slacks.size() && slacks[run].time <= turn.time)
            ++run;
        runs[run].push_back(turn);
    }
    for (std::size_t r = 0; r < runs.size(); ++r) {
        // The stream runs one way between two slacks: keep the turns of that way.
        std::vector<Turn> inside;
        for (const Turn& turn : runs[r])
            if (inside.empty() || (turn.speed > 0) == (inside.front().speed > 0))
                inside.push_back(turn);
        if (inside.empty()) continue;
        const bool flood = inside.front().speed > 0;
        const bool bounded = r > 0 && r < slacks.size();
        const auto weaker = [&](std::size_t a, std::size_t b) {
            return std::fabs(inside[a].speed) < std::fabs(inside[b].speed);
        };
        for (std::size_t k = 0; k < inside.size(); ++k) {
            const bool belowPrevious = k == 0 || weaker(k, k - 1);
            const bool belowNext = k + 1 == inside.size() || weaker(k, k + 1);
            const bool abovePrevious = k == 0 || weaker(k - 1, k);
            const bool aboveNext = k + 1 == inside.size() || weaker(k + 1, k);
            // Between two slacks the strongest turn is the maximum; where no slack bounds the
            // run, each turn stronger than its neighbours is one.
            bool maximum = abovePrevious && aboveNext;
            if (bounded)
                maximum = std::all_of(inside.begin(), inside.end(), [&](const Turn& other) {
                    return std::fabs(other.speed) <= std::fabs(inside[k].speed);
                });
            // A turn weaker than the turns on both sides is a minimum that does not reach slack.
            const bool minimum = k > 0 && k + 1 < inside.size() && belowPrevious && belowNext;
            if (maximum)
                events.push_back({flood ? CurrentEventKind::MaxFlood : CurrentEventKind::MaxEbb,
                                  inside[k].time, inside[k].speed, false});
            else if (minimum)
                events.push_back({flood ? CurrentEventKind::MinFlood : CurrentEventKind::MinEbb,
                                  inside[k].time, inside[k].speed, false});
        }
    }
    std::erase_if(events, [&](const CurrentEvent& e) { return e.time < start || e.time >= end; });
    std::sort(events.begin(), events.end(),
              [](const CurrentEvent& a, const CurrentEvent& b) { return a.time < b.time; });
    return events;
}

double SpeedBetweenEvents(const std::vector<CurrentEvent>& events, double t) {
    const auto next = std::upper_bound(events.begin(), events.end(), t,
                                       [](double x, const CurrentEvent& e) { return x < e.time; });
    if (next == events.begin()) return 0;
    if (next == events.end()) return t == events.back().time ? events.back().speed : 0;
    const CurrentEvent& before = *(next - 1);
    const double span = next->time - before.time;
    const double f = span > 0 ? (t - before.time) / span : 0;
    return before.speed + (next->speed - before.speed) * (1 - std::cos(std::numbers::pi * f)) / 2;
}

std::vector<CurrentEvent> SubordinateCurrentEvents(const std::vector<CurrentEvent>& reference,
                                                   const CurrentOffsets& o, double start,
                                                   double end) {
    std::vector<CurrentEvent> events;
    for (CurrentEvent e : reference) {
        double minutes = 0;
        switch (e.kind) {
        case CurrentEventKind::Slack:
            minutes = e.toFlood ? o.slackBeforeFlood : o.slackBeforeEbb;
            break;
        case CurrentEventKind::MaxFlood:
        case CurrentEventKind::MinFlood:
            minutes = o.maxFlood;
            e.speed *= o.floodRatio;
            break;
        case CurrentEventKind::MaxEbb:
        case CurrentEventKind::MinEbb:
            minutes = o.maxEbb;
            e.speed *= o.ebbRatio;
            break;
        }
        e.time += minutes / 1440;
        if (e.time >= start && e.time < end) events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const CurrentEvent& a, const CurrentEvent& b) { return a.time < b.time; });
    return events;
}

} // namespace ondrel

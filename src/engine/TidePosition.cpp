#include "TidePosition.h"

#include <cmath>

namespace ondrel {

namespace {

// Index of the last filled slot, or -1.
int LastFilled(const DayEvents& events) {
    for (int k = 3; k >= 0; --k)
        if (!events[static_cast<std::size_t>(k)].empty()) return k;
    return -1;
}

int WholeHours(double days) {
    return static_cast<int>(std::trunc(days * 24));
}

} // namespace

std::optional<int> TidePositionIndex(const DayEventsOf& events, double now) {
    const DayEvents day = events(0);
    const int k = LastFilled(day);
    if (k < 0) return std::nullopt;
    const TideEvent& last = day[static_cast<std::size_t>(k)];
    const TideEvent& first = day[0];

    if (last.instant() < now) { // every event of the day is past
        if (last.isHighWater()) return WholeHours(now - last.instant());
        const TideEvent next = events(1)[0];
        if (next.empty()) return std::nullopt;
        return -WholeHours(next.instant() - now);
    }
    if (first.instant() > now) { // none is past yet
        if (first.isHighWater()) return -WholeHours(first.instant() - now);
        const DayEvents before = events(-1);
        const int m = LastFilled(before);
        if (m < 0) return std::nullopt;
        return WholeHours(now - before[static_cast<std::size_t>(m)].instant());
    }
    std::size_t j = 1;
    while (j < 4 && day[j].instant() < now)
        ++j;
    const TideEvent& previous = day[j - 1];
    if (previous.isHighWater()) return WholeHours(now - previous.instant());
    return -WholeHours(day[j].instant() - now);
}

std::string TideIconName(std::optional<int> index) {
    if (!index) return "ERROR";
    const int v = *index;
    if (v == -6) return "BM";
    if (v == 0) return "PM";
    if (v >= -5 && v < 0) return "PM-" + std::to_string(-v);
    if (v > 0 && v <= 5) return "PM+" + std::to_string(v);
    return "ERROR";
}

} // namespace ondrel

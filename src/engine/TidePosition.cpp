#include "engine/TidePosition.h"

#include <cmath>

namespace ondrel {

int TidePositionHours(double days) {
    return static_cast<int>(std::trunc(days * 24));
}

std::optional<int> TidePositionIndex(const DayEventsOf& events, double now) {
    const std::optional<double> days = TidePositionDays(events, now);
    if (!days) return std::nullopt;
    return TidePositionHours(*days);
}

std::optional<double> TidePositionDays(const DayEventsOf& events, double now) {
    const DayEvents day = events(0);
    if (day.empty()) return std::nullopt;
    const TideEvent& last = day.back();
    const TideEvent& first = day.front();

    if (last.instant() < now) { // every event of the day is past
        if (last.isHighWater()) return now - last.instant();
        const DayEvents next = events(1);
        if (next.empty()) return std::nullopt;
        return -(next.front().instant() - now);
    }
    if (first.instant() > now) { // none is past yet
        if (first.isHighWater()) return -(first.instant() - now);
        const DayEvents before = events(-1);
        if (before.empty()) return std::nullopt;
        return now - before.back().instant();
    }
    std::size_t j = 1;
    while (day[j].instant() < now)
        ++j;
    const TideEvent& previous = day[j - 1];
    if (previous.isHighWater()) return now - previous.instant();
    return -(day[j].instant() - now);
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

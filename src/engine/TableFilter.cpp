#include "engine/TableFilter.h"

#include "engine/Julian.h"

#include <cmath>

namespace ondrel {

double HourOfDay(double signedTime) {
    const long double x = std::fabs(static_cast<long double>(signedTime)) - kDateTimeOrigin;
    return static_cast<double>((x - std::floor(x)) * 24); // before 1899-12-30 too
}

std::size_t MorningEventCount(std::size_t n) {
    return n <= 4 ? 2 : (n + 1) / 2;
}

FilteredDay ApplyFilter(const TideTableFilter& filter, const DayEvents& events,
                        CoefficientPair coefficients) {
    FilteredDay day{events};
    const auto within = [&](int c) {
        return filter.coefficientMin <= c && c <= filter.coefficientMax;
    };
    day.morning = within(coefficients.morning);
    day.evening = within(coefficients.evening);
    const std::size_t morningCount = MorningEventCount(day.events.size());
    bool morningLeft = false, eveningLeft = false;
    for (std::size_t i = 0; i < day.events.size(); ++i) {
        TideEvent& e = day.events[i];
        const bool remains = i < morningCount ? day.morning : day.evening;
        if (e.empty()) continue;
        if (!remains) {
            e = TideEvent{};
            continue;
        }
        const double hour = HourOfDay(e.time);
        const bool removed =
            e.time < 0
                ? hour < filter.lowWaterFrom || hour > filter.lowWaterTo || filter.noLowWater
                : hour < filter.highWaterFrom || hour > filter.highWaterTo || filter.noHighWater;
        if (removed)
            e = TideEvent{};
        else
            (i < morningCount ? morningLeft : eveningLeft) = true;
    }
    day.morning = day.morning && morningLeft;
    day.evening = day.evening && eveningLeft;
    return day;
}

} // namespace ondrel

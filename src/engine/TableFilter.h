// The conditions a tide table puts on its days: bounds on the coefficient, a time-of-day window
// for high waters and one for low waters, or no high (low) waters at all.
#pragma once

#include "engine/Extremes.h"

namespace ondrel {

struct TideTableFilter {
    int coefficientMin = 0;
    int coefficientMax = 130;
    double highWaterFrom = 0; // hours of the day, bounds included
    double highWaterTo = 24;
    double lowWaterFrom = 0;
    double lowWaterTo = 24;
    bool noHighWater = false;
    bool noLowWater = false;
};

// How many of a day's n events make its morning half: the first two of a day of up to four
// events, the first half (the middle one with them) of a day of more; the others are the evening
// half.
std::size_t MorningEventCount(std::size_t n);

// A day after the filter: the events that pass (the others emptied) and which halves remain.
struct FilteredDay {
    DayEvents events;
    bool morning = false;
    bool evening = false;
    bool written() const { return morning || evening; }
};

FilteredDay ApplyFilter(const TideTableFilter& filter, const DayEvents& events,
                        CoefficientPair coefficients);

// Hour of the day of an event's instant, from its stored (signed) time.
double HourOfDay(double signedTime);

} // namespace ondrel

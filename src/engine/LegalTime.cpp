#include "engine/LegalTime.h"

#include "engine/Julian.h"

#include <cmath>

namespace ondrel {

namespace {

constexpr long double kSecond = 1.0L / 86400;

// The instant, within [before, after], at which the offset stops being the one in force at
// before (to a second). The offsets at the two ends differ.
double ChangeBetween(const LegalTimeZone& zone, double before, double after) {
    const double first = zone.offsetHoursAt(before);
    while (static_cast<long double>(after) - before > kSecond) {
        const double mid = static_cast<double>((static_cast<long double>(before) + after) / 2);
        if (zone.offsetHoursAt(mid) == first)
            before = mid;
        else
            after = mid;
    }
    return after;
}

} // namespace

long double LegalDay::hours() const {
    // Whole seconds: the offsets of legal times are.
    return std::round((static_cast<long double>(endUt) - startUt) * 86400) / 3600;
}

ClockInstant UtOfClock(const LegalTimeZone& zone, double t) {
    // The offsets a day either side: the clocks change at most once in between.
    const double before = zone.offsetHoursAt(t - 1.0);
    const double after = zone.offsetHoursAt(t + 1.0);
    const double utBefore = static_cast<double>(t - before / 24.0L);
    const double utAfter = static_cast<double>(t - after / 24.0L);
    const bool readsBefore = zone.offsetHoursAt(utBefore) == before;
    const bool readsAfter = zone.offsetHoursAt(utAfter) == after;
    if (readsBefore && (!readsAfter || utBefore <= utAfter)) return {utBefore, before};
    if (readsAfter) return {utAfter, after};
    // Skipped by the clocks: the day (or the hour) starts at the change.
    const double change =
        ChangeBetween(zone, std::fmin(utBefore, utAfter), std::fmax(utBefore, utAfter));
    return {change, zone.offsetHoursAt(change), true};
}

LegalDay LegalDayOf(const LegalTimeZone& zone, double t) {
    LegalDay day;
    day.date = DayStart(t);
    const ClockInstant start = UtOfClock(zone, day.date);
    const ClockInstant end = UtOfClock(zone, day.date + 1.0);
    day.startUt = start.ut;
    day.endUt = end.ut;
    // The frame in which the day's first instant reads as its midnight: the offset in force, or
    // the one before the change when the clocks skip midnight.
    if (!start.skipped) {
        day.frameOffset = start.offsetHours;
        day.frameStart = day.date;
    } else {
        day.frameOffset = zone.offsetHoursAt(start.ut - 1.0 / 24);
        day.frameStart = static_cast<double>(start.ut + day.frameOffset / 24.0L);
    }
    return day;
}

double ClockOfFrameTime(const LegalTimeZone& zone, double frameOffset, double t) {
    const double offset =
        zone.offsetHoursAt(static_cast<double>(t - static_cast<long double>(frameOffset) / 24));
    if (offset == frameOffset) return t;
    return static_cast<double>(t + (static_cast<long double>(offset) - frameOffset) / 24);
}

} // namespace ondrel

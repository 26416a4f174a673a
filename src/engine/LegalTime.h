// The port's legal time: the offset from UT in force at each instant, summer time included. The
// engine only asks a zone for that offset; the rules come from the system (ports/PortTimeZone).
//
// A day of the legal clock runs from one of its midnights to the next, 23 or 25 hours when the
// clocks change. Its tides are computed in a fixed frame (the offset in force at its start, so a
// day without a change is exactly the fixed-offset day of that offset) over the UT interval of
// the day, and each time is then read in the offset in force at its instant.
#pragma once

#include <string>

namespace ondrel {

class LegalTimeZone {
public:
    virtual ~LegalTimeZone() = default;
    // Hours ahead of UT of the legal time at the UT instant ut (a Julian date).
    virtual double offsetHoursAt(double ut) const = 0;
    // The zone's name ("Europe/Paris").
    virtual std::string name() const = 0;
};

// One calendar day of the legal clock.
struct LegalDay {
    double date = 0;        // its 0 h on the legal clock (a Julian date ending in .5)
    double startUt = 0;     // its first instant, in UT
    double endUt = 0;       // the next day's first instant, in UT
    double frameOffset = 0; // hours ahead of UT of the frame its tides are computed in
    double frameStart = 0;  // its first instant counted in that frame (date, unless the clocks
                            // jump over midnight)
    // Its length in hours: 24, or 23 and 25 (or other values) on the days the clocks change.
    long double hours() const;
    bool changes() const { return hours() != 24; }
};

// The legal day that contains the legal-clock instant t. A midnight that the clocks repeat starts
// the day at its first occurrence; one they skip, at the change.
LegalDay LegalDayOf(const LegalTimeZone& zone, double t);

// The UT instant that the legal clock reads as t (its first occurrence when the clocks repeat it,
// the change itself when they skip it), with the offset in force there.
struct ClockInstant {
    double ut = 0;
    double offsetHours = 0;
    bool skipped = false; // the clocks jump over t: ut is the change
};
ClockInstant UtOfClock(const LegalTimeZone& zone, double t);

// The legal clock's reading of an instant counted in a frame frameOffset hours ahead of UT;
// exactly t when the offset in force is the frame's.
double ClockOfFrameTime(const LegalTimeZone& zone, double frameOffset, double t);

} // namespace ondrel

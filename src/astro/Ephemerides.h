// The sun and the moon of a day: sunrise and sunset with their azimuths at a port, and the moon's
// age and phase. Every routine works on reals and keeps no state.
//
// The sun: its apparent place from the VSOP87 theory of the Earth as truncated in Meeus's
// Astronomical Algorithms (ch. 25 and appendix III: about 1" from the full theory), with the main
// terms of the nutation and the aberration; the sidereal time of the IAU (ch. 12) with the
// equation of the equinoxes; rise and set searched on the altitude through the port's day. The
// moon: the instants of the new and full moons by Meeus's lunar-phase series (ch. 49: within a
// minute over centuries), the lit fraction of the disc from the phase angle (ch. 48). The
// theories run on Terrestrial Time, reached from UT by Espenak and Meeus's polynomials of
// Delta T.
//
// Conventions: Julian dates whose fraction .5 is midnight, in UT; latitudes north positive;
// longitudes WEST positive (east negative); times in hours, angles in degrees.
#pragma once

#include "engine/TideContext.h"

#include <optional>

namespace ondrel::astro {

// How the sun meets the horizon on a day.
enum class SunDay {
    RisesAndSets, // it rises or sets, or both
    AlwaysUp,     // polar day: neither, the sun up all day
    AlwaysDown,   // polar night: neither, the sun down all day
};

struct SunEvent {
    double ut = 0;      // UT hours of the date, 0 to 24 (an event on the day before or after
                        // UT's date is given modulo 24 hours)
    double azimuth = 0; // of the sun's centre, degrees from north through east
};

struct SunEphemeris {
    SunDay day = SunDay::RisesAndSets;
    // The day's first sunrise and first sunset. A day at the edge of the midnight sun, or at a
    // pole, can hold one and not the other: the sun then stays up through the rest of the day
    // before the set or after the rise.
    std::optional<SunEvent> sunrise;
    std::optional<SunEvent> sunset;
};

// Sunrise and sunset of the port's day that starts at 0 h local mean time of the date (a Julian
// date at 0 h UT): the first instants, in the 24 hours that follow, when the upper limb of the
// sun rises to or sets through 34' below the horizon (the standard refraction, without which the
// limb would be on the horizon; the centre is then 0.8333 deg below for the mean semi-diameter).
SunEphemeris SunriseSunset(double longitude, double latitude, double date);
// The same search from the UT instant start to end (Julian dates), the times still given in UT
// hours of the date.
SunEphemeris SunriseSunsetBetween(double longitude, double latitude, double date, double start,
                                  double end);

// The sun of a day as the time reference shows it, and the offset from UT of its times: in a
// fixed reference the day of SunriseSunset and the reference's offset; with the port's legal
// time the legal day, from one midnight of its clocks to the next, and the offset in force at
// its noon, so that no time past 24 h is ever shown.
struct ShownSun {
    SunEphemeris sun;
    double offsetHours = 0;
};
ShownSun SunOfShownDay(const TideContext& context, double timeZone, double longitude,
                       double latitude, double date);

// The mean synodic month (days).
inline constexpr double kSynodicMonth = 29.53059028;

struct Moon {
    double age = 0; // days since the last new moon
    // The phase as the age of a mean moon: 0 at the new moon, half a mean synodic month at the
    // full moon, a whole one at the next new moon, in proportion to the time in between.
    double phaseAge = 0;
    double illuminated = 0; // lit fraction of the disc, 0 to 1
    bool waxing = true;     // between the new moon and the full moon
};

// The moon at the UT instant jd.
Moon MoonAt(double jd);

struct HoursMinutes {
    int hours = 0;
    int minutes = 0;
};

// Hours to (hours, minutes): a negative value gets 24 added once; hours, minutes and seconds are
// truncated, and seconds above 30 carry the minute up (07:59:45 -> 08:00, 07:59:30 -> 07:59).
HoursMinutes HoursToHM(double hours);

} // namespace ondrel::astro

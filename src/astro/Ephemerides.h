// The sun and the moon of a day: sidereal time, the sun's position from a low-precision solar
// theory of epoch 1990, sunrise and sunset interpolated between two days, and the moon's age in a
// mean synodic month. Every routine works on reals and keeps no state.
//
// Conventions: Julian dates whose fraction .5 is midnight; latitudes north positive; longitudes
// WEST positive (east negative); times in hours, angles in degrees unless said otherwise.
#pragma once

namespace ondrel::astro {

// Greenwich sidereal time (hours, 0 to 24) of the UT instant jd. The hours of the day are taken
// as 24 * Frac(jd) + 12 without reduction, so an instant before noon UT counts 24 hours late and
// its sidereal time is 24 * 0.002737909 h (about 3.9 min) ahead.
double UtToGst(double jd);
// UT hours of the sidereal time written as the hours of jd (jd = day at 0 h + GST / 24).
double GstToUt(double jd);
// Greenwich sidereal time of a local sidereal time at a west-positive longitude, 0 to 24.
double LstToGst(double longitude, double lst);

struct Equatorial {
    double rightAscension = 0; // hours
    double declination = 0;    // degrees
};

// Ecliptic longitude and latitude (degrees) to equatorial coordinates, obliquity 23.441884 deg.
Equatorial EclipticToEquatorial(double lambda, double beta);
// The sun at the day of jd (the time of day is dropped from the mean anomaly, not from the
// perigee and the eccentricity).
Equatorial SunPosition(double jd);

// How the sun meets the horizon on a day.
enum class SunDay {
    RisesAndSets,
    AlwaysUp,   // polar day: the sun does not set
    AlwaysDown, // polar night: the sun does not rise
};

struct RiseSet {
    SunDay day = SunDay::RisesAndSets;
    double riseAzimuth = 0; // degrees from north; 999 rad in degrees where the sun never crosses
    double setAzimuth = 0;  // 360 - riseAzimuth
    double riseGst = 0;     // Greenwich sidereal time of rise and set (hours); 0 unless the
    double setGst = 0;      // sun rises and sets
};

// Geometric rise and set (centre of the disc on the horizon) of a body of fixed right ascension
// (hours) and declination (degrees).
RiseSet RiseSetOf(double longitude, double latitude, double declination, double rightAscension);

struct SunEphemeris {
    SunDay day = SunDay::RisesAndSets;
    // The mean of the day's and the next day's azimuths; 0 unless the sun rises and sets.
    double riseAzimuth = 0;
    double setAzimuth = 0;
    // UT hours, 0 to 24, of the upper limb on the horizon with the refraction (0.830725 deg
    // below); 0 unless the sun rises and sets.
    double sunriseUt = 0;
    double sunsetUt = 0;
};

// Sunrise and sunset of the date (a Julian date at 0 h), interpolated between the sun of the date
// and of the next day; the events kept are those of the port's day that starts at its 0 h local
// mean time, given as UT hours. A day is a polar day when the centre of the sun stays above the
// horizon at the date or the next day, or when the refraction keeps the upper limb above it all
// day; a polar night when the centre stays below at either (even where the refraction would show
// a glimpse of the sun) or the sun is too close to the limit for the refraction to be placed.
// Such a result holds no times.
SunEphemeris SunriseSunset(double longitude, double latitude, double date);

// Days since the last mean new moon, 0 to 29.53059028.
double MoonAge(double jd);
inline constexpr double kSynodicMonth = 29.53059028;
inline constexpr double kReferenceNewMoon = 2451166.445833;

struct HoursMinutes {
    int hours = 0;
    int minutes = 0;
};

// Hours to (hours, minutes): a negative value gets 24 added once; hours, minutes and seconds are
// truncated, and seconds above 30 carry the minute up (07:59:45 -> 08:00, 07:59:30 -> 07:59).
HoursMinutes HoursToHM(double hours);

} // namespace ondrel::astro

#include "Ephemerides.h"

#include "Julian.h"

#include <cmath>

namespace ondrel::astro {

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kDegree = kPi / 180;

long double Int(long double x) {
    return std::trunc(x);
}
long double Frac(long double x) {
    return x - std::trunc(x);
}

// Into [0, 24] by whole days.
long double ReduceHours(long double h) {
    while (h > 24)
        h -= 24;
    while (h < 0)
        h += 24;
    return h;
}

// Sidereal time at 0 h UT of the day of jd (hours, 0 to 24).
long double SiderealAtMidnight(double jd) {
    const long double t = (Int(jd + 0.5L) - 0.5L - 2451545) / 36525;
    return ReduceHours(6.697374558L + 2400.051336L * t + 0.000025862L * t * t);
}

// The hours of jd as the sidereal-time routines read them: never reduced, so that an instant
// before noon counts from 24 to 36.
long double HoursOfJd(double jd) {
    return 24 * Frac(jd) + 12;
}

// The sun's side of the horizon for a day that has no rise or set: the side on which the
// geometric hour angle of the horizon would be past the limit.
SunDay PolarSide(long double latitude, long double declination) {
    return -std::tan(latitude * kDegree) * std::tan(declination * kDegree) < 0 ? SunDay::AlwaysUp
                                                                               : SunDay::AlwaysDown;
}

} // namespace

double UtToGst(double jd) {
    const long double t0 = SiderealAtMidnight(jd);
    return static_cast<double>(ReduceHours(t0 + HoursOfJd(jd) * 1.002737909L));
}

double GstToUt(double jd) {
    const long double t0 = SiderealAtMidnight(jd);
    return static_cast<double>(ReduceHours(HoursOfJd(jd) - t0) * 0.9972695663L);
}

double LstToGst(double longitude, double lst) {
    return static_cast<double>(ReduceHours(static_cast<long double>(lst) + longitude / 15.0L));
}

Equatorial EclipticToEquatorial(double lambda, double beta) {
    const long double eps = 23.441884L * kDegree;
    const long double l = lambda * kDegree;
    const long double b = beta * kDegree;
    const long double dec =
        std::asin(std::sin(b) * std::cos(eps) + std::cos(b) * std::sin(eps) * std::sin(l));
    const long double y = std::sin(l) * std::cos(eps) - std::tan(b) * std::sin(eps);
    const long double x = std::cos(l);
    // The quadrant comes from the sign of y alone, by half turns from one turn below.
    long double alpha = std::atan(y / x) / kDegree - 360;
    if (y > 0)
        while (alpha < 0)
            alpha += 180;
    else
        while (alpha < 180)
            alpha += 180;
    return {static_cast<double>(alpha / 15), static_cast<double>(dec / kDegree)};
}

Equatorial SunPosition(double jd) {
    const CalendarDate date = CalendarOfJulianDay(jd);
    // Whole days since 1990 January 0.
    const long double days =
        DayOfYear(jd) +
        std::ceil(static_cast<long double>(JulianDay(date.year, 1, 1)) - JulianDay(1990, 1, 1));
    // Mean anomaly of a circular orbit; only a negative value is brought back.
    long double n = days * 0.98564735638660102115L - 360;
    while (n < 0)
        n += 360;

    const long double t = (jd - 2415020.0L) / 36525;
    const long double perigee = 281.2208444L + 1.719175L * t + 0.000452778L * t * t;
    const long double e = 0.01675104L - 0.0000418L * t - 0.000000126L * t * t;

    long double m = n + 279.403303L - perigee;
    if (m < 0) m += 360;
    m *= kDegree;

    // Kepler's equation by Newton's method. The loop runs while the signed residual is above the
    // tolerance, so a start whose residual is negative is kept as it is.
    long double ecc = m;
    while (ecc - e * std::sin(ecc) - m > 0.0000001L)
        ecc -= (ecc - e * std::sin(ecc) - m) / (1 - e * std::cos(ecc));

    const long double nu =
        2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(ecc / 2)) / kDegree;
    long double lambda = nu + perigee;
    if (lambda > 360) lambda -= 360;
    if (lambda < 0) lambda += 360;
    return EclipticToEquatorial(static_cast<double>(lambda), 0);
}

RiseSet RiseSetOf(double longitude, double latitude, double declination, double rightAscension) {
    const long double phi = latitude * kDegree;
    const long double delta = declination * kDegree;
    RiseSet out;

    const long double r = std::sin(delta) / std::cos(phi);
    const long double ar = std::fabs(r) < 1 ? std::acos(r) : 999.0L;
    out.riseAzimuth = static_cast<double>(ar / kDegree);
    out.setAzimuth = static_cast<double>(360 - ar / kDegree);

    const long double cosH = -std::tan(phi) * std::tan(delta);
    if (!(cosH >= -1 && cosH <= 1)) {
        out.day = PolarSide(latitude, declination);
        return out;
    }
    const long double h = std::acos(cosH) / 15 / kDegree;
    long double riseLst = rightAscension + 24 - h;
    if (riseLst > 24) riseLst -= 24;
    long double setLst = rightAscension + h;
    if (setLst > 24) setLst -= 24;
    out.riseGst = LstToGst(longitude, static_cast<double>(riseLst));
    out.setGst = LstToGst(longitude, static_cast<double>(setLst));
    return out;
}

SunEphemeris SunriseSunset(double longitude, double latitude, double date) {
    const Equatorial sun0 = SunPosition(date);
    const Equatorial sun1 = SunPosition(date + 1);
    const RiseSet day0 = RiseSetOf(longitude, latitude, sun0.declination, sun0.rightAscension);
    const RiseSet day1 = RiseSetOf(longitude, latitude, sun1.declination, sun1.rightAscension);
    const long double delta = (static_cast<long double>(sun0.declination) + sun1.declination) / 2;

    SunEphemeris out;
    if (day0.day != SunDay::RisesAndSets || day1.day != SunDay::RisesAndSets) {
        out.day = PolarSide(latitude, delta);
        return out;
    }
    // Close to the polar limit the refraction keeps the upper limb above the horizon all day
    // while the centre still sets; the correction below underestimates it there.
    const long double phi = latitude * kDegree;
    const long double cosRefracted =
        (std::sin(-0.830725L * kDegree) - std::sin(phi) * std::sin(delta * kDegree)) /
        (std::cos(phi) * std::cos(delta * kDegree));
    if (cosRefracted < -1) {
        out.day = SunDay::AlwaysUp;
        return out;
    }

    // The next day's times continue the date's across 24 h. Where the days lengthen or shorten
    // fast (beyond about 60 deg of latitude) a time can also move back a little from one day to
    // the next: that is no wrap, and counting it as one would spread a few minutes over a whole
    // day and put the event anywhere.
    long double r0 = day0.riseGst, r1 = day1.riseGst;
    long double s0 = day0.setGst, s1 = day1.setGst;
    if (r0 > r1 + 12) r1 += 24;
    if (s0 > s1 + 12) s1 += 24;

    // Keep the events that follow the date's 0 h UT at the port's meridian.
    const long double gst0 = UtToGst(date);
    long double t00 = gst0 + longitude / 15.0L * 1.002738L;
    if (t00 < 0) t00 += 24;
    if (r0 < t00) {
        r0 += 24;
        r1 += 24;
    }
    if (s0 < t00) {
        s0 += 24;
        s1 += 24;
    }

    // Linear interpolation between the two days' sidereal times.
    long double rise = (24.07L * r0 - (r1 - r0) * gst0) / (24.07L + r0 - r1);
    long double set = (24.07L * s0 - (s1 - s0) * gst0) / (24.07L + s0 - s1);

    // Refraction and semi-diameter: the upper limb on the horizon, 0.830725 deg above the centre.
    const long double psi = std::acos(std::sin(phi) / std::cos(delta * kDegree));
    const long double sinY = std::sin(0.830725L * kDegree) / std::sin(psi);
    if (!(sinY <= 1)) { // too close to the polar limit for the correction
        out.day = PolarSide(latitude, delta);
        return out;
    }
    const long double y = std::asin(sinY) / kDegree;
    const long double shift = 240 * y / std::cos(delta * kDegree) / 3600;
    rise -= shift;
    set += shift;

    out.riseAzimuth =
        static_cast<double>((static_cast<long double>(day0.riseAzimuth) + day1.riseAzimuth) / 2);
    out.setAzimuth =
        static_cast<double>((static_cast<long double>(day0.setAzimuth) + day1.setAzimuth) / 2);
    out.sunriseUt = GstToUt(static_cast<double>(date + rise / 24));
    out.sunsetUt = GstToUt(static_cast<double>(date + set / 24));
    return out;
}

double MoonAge(double jd) {
    const long double synodic = kSynodicMonth;
    long double age = Frac((static_cast<long double>(jd) - kReferenceNewMoon) / synodic) * synodic;
    if (age < 0) age += synodic;
    return static_cast<double>(age);
}

HoursMinutes HoursToHM(double hours) {
    long double x = hours;
    if (x < 0) x += 24;
    int h = static_cast<int>(Int(x));
    int m = static_cast<int>(Int(Frac(x) * 60));
    const int s = static_cast<int>(Int(Frac(Frac(x) * 60) * 60));
    if (s > 30) m += 1;
    if (m == 60) {
        h += 1;
        m = 0;
    }
    return {h, m};
}

} // namespace ondrel::astro

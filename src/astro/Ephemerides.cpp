#include "astro/Ephemerides.h"

#include "engine/LegalTime.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace ondrel::astro {

namespace {

using Real = long double;

constexpr Real kPi = 3.14159265358979323846264338327950288L;
constexpr Real kDegree = kPi / 180;
constexpr Real kJ2000 = 2451545;
constexpr Real kDaysPerCentury = 36525;
constexpr Real kSecondsPerDay = 86400;

Real SinD(Real degrees) {
    return std::sin(degrees * kDegree);
}
Real CosD(Real degrees) {
    return std::cos(degrees * kDegree);
}
// Into [-180, 180).
Real Wrap180(Real degrees) {
    return degrees - 360 * std::floor((degrees + 180) / 360);
}

// --- Time scales

// TT - UT in seconds at a decimal year: Espenak and Meeus's polynomials (NASA's Five Millennium
// Canon of Solar Eclipses, 2006), the long-term parabola outside 1600-2150.
Real DeltaT(Real y) {
    if (y < 1600 || y >= 2150) {
        const Real u = (y - 1820) / 100;
        return -20 + 32 * u * u;
    }
    if (y < 1700) {
        const Real t = y - 1600;
        return 120 + t * (-0.9808L + t * (-0.01532L + t / 7129));
    }
    if (y < 1800) {
        const Real t = y - 1700;
        return 8.83L + t * (0.1603L + t * (-0.0059285L + t * (0.00013336L - t / 1174000)));
    }
    if (y < 1860) {
        const Real t = y - 1800;
        return 13.72L +
               t * (-0.332447L +
                    t * (0.0068612L +
                         t * (0.0041116L + t * (-0.00037436L +
                                                t * (0.0000121272L + t * (-0.0000001699L +
                                                                          t * 0.000000000875L))))));
    }
    if (y < 1900) {
        const Real t = y - 1860;
        return 7.62L + t * (0.5737L + t * (-0.251754L +
                                           t * (0.01680668L + t * (-0.0004473624L + t / 233174))));
    }
    if (y < 1920) {
        const Real t = y - 1900;
        return -2.79L + t * (1.494119L + t * (-0.0598939L + t * (0.0061966L - t * 0.000197L)));
    }
    if (y < 1941) {
        const Real t = y - 1920;
        return 21.20L + t * (0.84493L + t * (-0.0761L + t * 0.0020936L));
    }
    if (y < 1961) {
        const Real t = y - 1950;
        return 29.07L + t * (0.407L + t * (-1 / 233.0L + t / 2547));
    }
    if (y < 1986) {
        const Real t = y - 1975;
        return 45.45L + t * (1.067L + t * (-1 / 260.0L - t / 718));
    }
    if (y < 2005) {
        const Real t = y - 2000;
        return 63.86L +
               t * (0.3345L +
                    t * (-0.060374L + t * (0.0017275L + t * (0.000651814L + t * 0.00002373599L))));
    }
    if (y < 2050) {
        const Real t = y - 2000;
        return 62.92L + t * (0.32217L + t * 0.005589L);
    }
    const Real u = (y - 1820) / 100;
    return -20 + 32 * u * u - 0.5628L * (2150 - y);
}

Real DeltaTDays(Real jd) {
    return DeltaT(2000 + (jd - kJ2000) / 365.25L) / kSecondsPerDay;
}

// --- The sun

// Terms A cos(B + C tau) of the VSOP87 series of the Earth, truncated as in Meeus's Appendix III
// (tau in millennia from J2000; A in 1e-8 radian or astronomical unit).
struct VsopTerm {
    Real a, b, c;
};
constexpr VsopTerm kL0[] = {
    {175347046, 0, 0},           {3341656, 4.6692568, 6283.07585},
    {34894, 4.6261, 12566.1517}, {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},      {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},   {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},  {1273, 2.0371, 529.691},
    {1199, 1.1096, 1577.3435},   {990, 5.233, 5884.927},
    {902, 2.045, 26.298},        {857, 3.508, 398.149},
    {780, 1.179, 5223.694},      {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},     {492, 4.205, 775.523},
    {357, 2.92, 0.067},          {317, 5.849, 11790.629},
    {284, 1.899, 796.298},       {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},      {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},      {202, 2.458, 6069.777},
    {156, 0.833, 213.299},       {132, 3.411, 2942.463},
    {126, 1.083, 20.775},        {115, 0.645, 0.98},
    {103, 0.636, 4694.003},      {102, 0.976, 15720.839},
    {102, 4.267, 7.114},         {99, 6.21, 2146.17},
    {98, 0.68, 155.42},          {86, 5.98, 161000.69},
    {85, 1.3, 6275.96},          {85, 3.67, 71430.7},
    {80, 1.81, 17260.15},        {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},         {74, 3.5, 3154.69},
    {74, 4.68, 801.82},          {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},         {61, 1.82, 7084.9},
    {57, 2.78, 6286.6},          {56, 4.39, 14143.5},
    {56, 3.47, 6279.55},         {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},         {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},         {41, 5.37, 8429.24},
    {41, 2.4, 19651.05},         {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},        {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},         {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},        {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},         {25, 3.16, 4690.48},
};
constexpr VsopTerm kL1[] = {
    {628331966747, 0, 0},       {206059, 2.678235, 6283.07585},
    {4303, 2.6351, 12566.1517}, {425, 1.59, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.4, 796.3},           {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.3},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694},
    {11, 0.77, 553.57},         {10, 1.3, 6286.6},
    {10, 4.24, 1349.87},        {9, 2.7, 242.73},
    {9, 5.64, 951.72},          {8, 5.3, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};
constexpr VsopTerm kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.3},  {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.3},  {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr VsopTerm kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},         {17, 5.49, 12566.15}, {3, 5.2, 155.42},
    {1, 4.72, 3.52},        {1, 5.3, 18849.23}, {1, 5.97, 242.73},
};
constexpr VsopTerm kL4[] = {
    {114, 3.142, 0},
    {8, 4.13, 6283.08},
    {1, 3.84, 12566.15},
};
constexpr VsopTerm kL5[] = {
    {1, 3.14, 0},
};
constexpr VsopTerm kB0[] = {
    {280, 3.199, 84334.662}, {102, 5.422, 5507.553}, {80, 3.88, 5223.69},
    {44, 3.7, 2352.87},      {32, 4, 1577.34},
};
constexpr VsopTerm kB1[] = {
    {9, 3.9, 5507.55},
    {6, 1.73, 5223.69},
};
constexpr VsopTerm kR0[] = {
    {100013989, 0, 0},
    {1670700, 3.0984635, 6283.07585},
    {13956, 3.05525, 12566.1517},
    {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},
    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.77},
    {542, 4.564, 3930.21},
    {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},
    {329, 5.9, 5223.694},
    {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},
    {212, 5.847, 1577.344},
    {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},
    {110, 5.055, 5486.778},
    {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},
    {86, 1.27, 161000.69},
    {65, 0.27, 17260.15},
    {63, 0.92, 529.69},
    {57, 2.01, 83996.85},
    {56, 5.24, 71430.7},
    {49, 3.25, 2544.31},
    {47, 2.58, 775.52},
    {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},
    {39, 5.36, 4694},
    {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},
    {37, 4.9, 12139.55},
    {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},
    {33, 0.24, 7084.9},
    {32, 0.18, 5088.63},
    {32, 1.78, 398.15},
    {28, 1.21, 6286.6},
    {28, 1.9, 6279.55},
    {26, 4.59, 10447.39},
};
constexpr VsopTerm kR1[] = {
    {103019, 1.10749, 6283.07585},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0},
    {32, 1.02, 18849.23},
    {31, 2.84, 5507.55},
    {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},
    {10, 5.91, 10977.08},
    {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};
constexpr VsopTerm kR2[] = {
    {4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
    {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23},
};
constexpr VsopTerm kR3[] = {
    {145, 4.273, 6283.076},
    {7, 3.92, 12566.15},
};
constexpr VsopTerm kR4[] = {
    {4, 2.56, 6283.08},
};

template <std::size_t N> Real Series(const VsopTerm (&terms)[N], Real tau) {
    Real sum = 0;
    for (const VsopTerm& term : terms)
        sum += term.a * std::cos(term.b + term.c * tau);
    return sum;
}

struct SunPlace {
    Real rightAscension = 0; // degrees, apparent, of the equinox of date
    Real declination = 0;    // degrees, apparent
    Real distance = 1;       // astronomical units
    Real nutationInRa = 0;   // equation of the equinoxes, degrees
};

// The apparent place of the sun at the UT instant jd: Meeus ch. 25 (the higher accuracy) and
// ch. 22 for the nutation's main terms.
SunPlace SunPlaceAt(Real jd) {
    const Real tau = (jd + DeltaTDays(jd) - kJ2000) / (10 * kDaysPerCentury);
    const Real t = 10 * tau;
    const Real l = (Series(kL0, tau) +
                    tau * (Series(kL1, tau) +
                           tau * (Series(kL2, tau) +
                                  tau * (Series(kL3, tau) +
                                         tau * (Series(kL4, tau) + tau * Series(kL5, tau)))))) /
                   1e8L;
    const Real b = (Series(kB0, tau) + tau * Series(kB1, tau)) / 1e8L;
    const Real r =
        (Series(kR0, tau) +
         tau * (Series(kR1, tau) +
                tau * (Series(kR2, tau) + tau * (Series(kR3, tau) + tau * Series(kR4, tau))))) /
        1e8L;
    // Geocentric, in the FK5 frame.
    const Real eclipticLatitude = -b / kDegree;
    const Real node = 125.04452L - t * (1934.136261L - t * (0.0020708L + t / 450000));
    const Real sunLongitude = 280.4665L + 36000.7698L * t;
    const Real moonLongitude = 218.3165L + 481267.8813L * t;
    const Real nutationInLongitude = (-17.20L * SinD(node) - 1.32L * SinD(2 * sunLongitude) -
                                      0.23L * SinD(2 * moonLongitude) + 0.21L * SinD(2 * node)) /
                                     3600;
    const Real nutationInObliquity = (9.20L * CosD(node) + 0.57L * CosD(2 * sunLongitude) +
                                      0.10L * CosD(2 * moonLongitude) - 0.09L * CosD(2 * node)) /
                                     3600;
    // Nutation and aberration.
    const Real eclipticLongitude =
        l / kDegree + 180 - 0.09033L / 3600 + nutationInLongitude - 20.4898L / 3600 / r;
    const Real obliquity = 23.4392911111L -
                           t * (0.0130041667L + t * (1.638889e-7L - t * 5.036111e-7L)) +
                           nutationInObliquity;

    SunPlace sun;
    sun.rightAscension = std::atan2(SinD(eclipticLongitude) * CosD(obliquity) -
                                        std::tan(eclipticLatitude * kDegree) * SinD(obliquity),
                                    CosD(eclipticLongitude)) /
                         kDegree;
    sun.declination =
        std::asin(SinD(eclipticLatitude) * CosD(obliquity) +
                  CosD(eclipticLatitude) * SinD(obliquity) * SinD(eclipticLongitude)) /
        kDegree;
    sun.distance = r;
    sun.nutationInRa = nutationInLongitude * CosD(obliquity);
    return sun;
}

// Greenwich mean sidereal time (degrees) at the UT instant jd: Meeus 12.4.
Real MeanSiderealTime(Real jd) {
    const Real t = (jd - kJ2000) / kDaysPerCentury;
    return 280.46061837L + 360.98564736629L * (jd - kJ2000) + t * t * (0.000387933L - t / 38710000);
}

// The sun through one day: its place computed at the middle of the day and half a day either
// side, interpolated in between (to a few thousandths of an arc second).
class DaySun {
public:
    explicit DaySun(Real middle)
        : middle_(middle), before_(SunPlaceAt(middle - 0.5L)), at_(SunPlaceAt(middle)),
          after_(SunPlaceAt(middle + 0.5L)) {
        before_.rightAscension =
            at_.rightAscension + Wrap180(before_.rightAscension - at_.rightAscension);
        after_.rightAscension =
            at_.rightAscension + Wrap180(after_.rightAscension - at_.rightAscension);
    }

    struct Place {
        Real rightAscension, declination, distance, siderealTime; // degrees, AU
    };
    Place At(Real jd) const {
        const Real x = (jd - middle_) / 0.5L;
        const auto interpolate = [x](Real before, Real at, Real after) {
            return at + x * (after - before) / 2 + x * x * (after - 2 * at + before) / 2;
        };
        return {interpolate(before_.rightAscension, at_.rightAscension, after_.rightAscension),
                interpolate(before_.declination, at_.declination, after_.declination),
                interpolate(before_.distance, at_.distance, after_.distance),
                MeanSiderealTime(jd) + at_.nutationInRa};
    }

private:
    Real middle_;
    SunPlace before_, at_, after_;
};

struct Port {
    Real sinLatitude, cosLatitude, longitude; // west positive
};

struct SunInSky {
    Real limb;      // sine of the centre's altitude less that of the centre at rise and set
    Real hourAngle; // degrees, -180 to 180
    Real azimuth;   // degrees from north through east, 0 to 360
};

SunInSky SkyAt(const Port& port, const DaySun& day, Real jd) {
    const DaySun::Place sun = day.At(jd);
    const Real hourAngle = Wrap180(sun.siderealTime - port.longitude - sun.rightAscension);
    const Real sinDec = SinD(sun.declination), cosDec = CosD(sun.declination);
    const Real cosH = CosD(hourAngle);
    const Real sinAltitude = port.sinLatitude * sinDec + port.cosLatitude * cosDec * cosH;
    // The upper limb 34' below the horizon: the centre a semi-diameter (959.63" at 1 AU) lower,
    // and the horizontal parallax (8.794" at 1 AU) higher, the altitude being topocentric.
    const Real riseAltitude = -34.0L / 60 - 0.26656389L / sun.distance + 0.00244278L / sun.distance;
    Real azimuth = std::atan2(-cosDec * SinD(hourAngle),
                              sinDec * port.cosLatitude - cosDec * port.sinLatitude * cosH) /
                   kDegree;
    if (azimuth < 0) azimuth += 360;
    return {sinAltitude - SinD(riseAltitude), hourAngle, azimuth};
}

// The instant near t when the sun's hour angle is `target`: the hour angle grows by about 360
// degrees a day, and each step corrects for the sun's own motion since the last.
Real Passage(const Port& port, const DaySun& day, Real t, Real target) {
    for (int i = 0; i < 4; ++i)
        t += Wrap180(target - SkyAt(port, day, t).hourAngle) / 360;
    return t;
}

// The instant between a and b at which the upper limb crosses its altitude, given that it is
// below at a and not below at b for a rise (the reverse for a set): halving the interval, which
// never divides by anything that may vanish.
Real Crossing(const Port& port, const DaySun& day, Real a, Real b, bool rising) {
    for (int i = 0; i < 24; ++i) {
        const Real middle = (a + b) / 2;
        if ((SkyAt(port, day, middle).limb >= 0) == rising)
            b = middle;
        else
            a = middle;
    }
    return (a + b) / 2;
}

// --- The moon

// One term of the lunar-phase series: coefficients (days) of the new and the full moon, the
// power of the eccentricity factor E, and the argument's multiples of M, M', F and Omega.
struct PhaseTerm {
    Real newMoon, fullMoon;
    int powerOfE, m, mPrime, f, omega;
};
constexpr std::array<PhaseTerm, 25> kPhaseTerms{{
    {-0.40720L, -0.40614L, 0, 0, 1, 0, 0},   {0.17241L, 0.17302L, 1, 1, 0, 0, 0},
    {0.01608L, 0.01614L, 0, 0, 2, 0, 0},     {0.01039L, 0.01043L, 0, 0, 0, 2, 0},
    {0.00739L, 0.00734L, 1, -1, 1, 0, 0},    {-0.00514L, -0.00515L, 1, 1, 1, 0, 0},
    {0.00208L, 0.00209L, 2, 2, 0, 0, 0},     {-0.00111L, -0.00111L, 0, 0, 1, -2, 0},
    {-0.00057L, -0.00057L, 0, 0, 1, 2, 0},   {0.00056L, 0.00056L, 1, 1, 2, 0, 0},
    {-0.00042L, -0.00042L, 0, 0, 3, 0, 0},   {0.00042L, 0.00042L, 1, 1, 0, 2, 0},
    {0.00038L, 0.00038L, 1, 1, 0, -2, 0},    {-0.00024L, -0.00024L, 1, -1, 2, 0, 0},
    {-0.00017L, -0.00017L, 0, 0, 0, 0, 1},   {-0.00007L, -0.00007L, 0, 2, 1, 0, 0},
    {0.00004L, 0.00004L, 0, 0, 2, -2, 0},    {0.00004L, 0.00004L, 0, 3, 0, 0, 0},
    {0.00003L, 0.00003L, 0, 1, 1, -2, 0},    {0.00003L, 0.00003L, 0, 0, 2, 2, 0},
    {-0.00003L, -0.00003L, 0, 1, 1, 2, 0},   {0.00003L, 0.00003L, 0, -1, 1, 2, 0},
    {-0.00002L, -0.00002L, 0, -1, 1, -2, 0}, {-0.00002L, -0.00002L, 0, 1, 3, 0, 0},
    {0.00002L, 0.00002L, 0, 0, 4, 0, 0},
}};

// The planetary arguments A1 to A14 (constant and rate per lunation, degrees) and their
// coefficients (days), common to every phase.
struct PlanetaryTerm {
    Real constant, rate, coefficient;
};
constexpr std::array<PlanetaryTerm, 14> kPlanetaryTerms{{
    {299.77L, 0.107408L, 0.000325L},
    {251.88L, 0.016321L, 0.000165L},
    {251.83L, 26.651886L, 0.000164L},
    {349.42L, 36.412478L, 0.000126L},
    {84.66L, 18.206239L, 0.000110L},
    {141.74L, 53.303771L, 0.000062L},
    {207.14L, 2.453732L, 0.000060L},
    {154.84L, 7.306860L, 0.000056L},
    {34.52L, 27.261239L, 0.000047L},
    {207.19L, 0.121824L, 0.000042L},
    {291.34L, 1.844379L, 0.000040L},
    {161.72L, 24.198154L, 0.000037L},
    {239.56L, 25.513099L, 0.000035L},
    {331.55L, 3.592518L, 0.000023L},
}};

// UT instant of the new moon of lunation k (0 for that of 6 January 2000), or of the full moon
// that follows it for k + 1/2: Meeus ch. 49.
Real PhaseInstant(Real k) {
    const bool full = k - std::floor(k) > 0.25L;
    const Real t = k / 1236.85L;
    const Real t2 = t * t;
    Real jde = 2451550.09766L + 29.530588861L * k +
               t2 * (0.00015437L + t * (-0.00000015L + t * 0.00000000073L));
    const Real e = 1 - t * (0.002516L + t * 0.0000074L);
    const Real m = 2.5534L + 29.1053567L * k - t2 * (0.0000014L + t * 0.00000011L);
    const Real mPrime =
        201.5643L + 385.81693528L * k + t2 * (0.0107582L + t * (0.00001238L - t * 0.000000058L));
    const Real f =
        160.7108L + 390.67050284L * k - t2 * (0.0016118L + t * (0.00000227L - t * 0.000000011L));
    const Real omega = 124.7746L - 1.56375588L * k + t2 * (0.0020672L + t * 0.00000215L);
    for (const PhaseTerm& term : kPhaseTerms) {
        const Real argument = term.m * m + term.mPrime * mPrime + term.f * f + term.omega * omega;
        jde += (full ? term.fullMoon : term.newMoon) * std::pow(e, term.powerOfE) * SinD(argument);
    }
    for (std::size_t i = 0; i < kPlanetaryTerms.size(); ++i) {
        const PlanetaryTerm& term = kPlanetaryTerms[i];
        Real argument = term.constant + term.rate * k;
        if (i == 0) argument -= 0.009173L * t2;
        jde += term.coefficient * SinD(argument);
    }
    return jde - DeltaTDays(jde);
}

// Lit fraction of the moon's disc at the UT instant jd, from the phase angle of Meeus 48.4.
Real IlluminatedFraction(Real jd) {
    const Real t = (jd + DeltaTDays(jd) - kJ2000) / kDaysPerCentury;
    const Real elongation =
        297.8501921L +
        t * (445267.1114034L + t * (-0.0018819L + t * (1 / 545868.0L - t / 113065000)));
    const Real sunAnomaly = 357.5291092L + t * (35999.0502909L + t * (-0.0001536L + t / 24490000));
    const Real moonAnomaly =
        134.9633964L + t * (477198.8675055L + t * (0.0087414L + t * (1 / 69699.0L - t / 14712000)));
    const Real phaseAngle = 180 - elongation - 6.289L * SinD(moonAnomaly) +
                            2.1L * SinD(sunAnomaly) - 1.274L * SinD(2 * elongation - moonAnomaly) -
                            0.658L * SinD(2 * elongation) - 0.214L * SinD(2 * moonAnomaly) -
                            0.11L * SinD(elongation);
    return (1 + CosD(phaseAngle)) / 2;
}

Real Frac(Real x) {
    return x - std::trunc(x);
}

} // namespace

namespace {

SunEphemeris SunBetween(double longitude, double latitude, double date, Real start, Real end);

} // namespace

SunEphemeris SunriseSunset(double longitude, double latitude, double date) {
    const Real start = date + longitude / 360.0L; // 0 h local mean time
    return SunBetween(longitude, latitude, date, start, start + 1);
}

SunEphemeris SunriseSunsetBetween(double longitude, double latitude, double date, double start,
                                  double end) {
    return SunBetween(longitude, latitude, date, start, end);
}

ShownSun SunOfShownDay(const TideContext& context, double timeZone, double longitude,
                       double latitude, double date) {
    if (!context.followsLegalTime())
        return {SunriseSunset(longitude, latitude, date),
                static_cast<double>(context.offsetHours())};
    const LegalTimeZone& zone = *context.legalZone();
    const LegalDay day = LegalDayOf(zone, date + 0.5);
    return {SunriseSunsetBetween(longitude, latitude, date, day.startUt, day.endUt),
            zone.offsetHoursAt(date + 0.5 - timeZone / 24)};
}

namespace {

SunEphemeris SunBetween(double longitude, double latitude, double date, Real start, Real end) {
    const Port port{SinD(latitude), CosD(latitude), longitude};
    const Real length = end - start;
    const DaySun day((start + end) / 2);

    // The sun every half hour, and at its meridian passages, where it may only graze the
    // horizon: between two of these instants its altitude rises or falls but does not turn.
    std::array<Real, 52> times{};
    std::size_t count = 0;
    for (int i = 0; i <= 48; ++i)
        times[count++] = start + i * length / 48.0L;
    for (const auto& [near, target] :
         {std::pair<Real, Real>{(start + end) / 2, 0}, std::pair<Real, Real>{start, 180},
          std::pair<Real, Real>{end, 180}}) {
        const Real passage = Passage(port, day, near, target);
        if (passage > start && passage < end) times[count++] = passage;
    }
    std::sort(times.begin(), times.begin() + count);

    SunEphemeris out;
    Real before = SkyAt(port, day, times[0]).limb;
    const bool upAtStart = before >= 0;
    for (std::size_t i = 1; i < count && !(out.sunrise && out.sunset); ++i) {
        const Real after = SkyAt(port, day, times[i]).limb;
        const bool rises = before < 0 && after >= 0;
        const bool sets = before >= 0 && after < 0;
        std::optional<SunEvent>& event = rises ? out.sunrise : out.sunset;
        if ((rises || sets) && !event) {
            const Real t = Crossing(port, day, times[i - 1], times[i], rises);
            Real hours = std::fmod((t - date) * 24, 24.0L);
            if (hours < 0) hours += 24;
            event = SunEvent{static_cast<double>(hours),
                             static_cast<double>(SkyAt(port, day, t).azimuth)};
        }
        before = after;
    }
    if (!out.sunrise && !out.sunset) out.day = upAtStart ? SunDay::AlwaysUp : SunDay::AlwaysDown;
    return out;
}

} // namespace

Moon MoonAt(double jd) {
    const Real now = jd;
    constexpr Real kLunation = 29.530588861L; // mean, per Meeus's series
    Real k = std::floor((now - 2451550.09766L) / kLunation);
    Real newMoon = PhaseInstant(k);
    while (newMoon > now)
        newMoon = PhaseInstant(--k);
    Real nextNewMoon = PhaseInstant(k + 1);
    while (nextNewMoon <= now) {
        ++k;
        newMoon = nextNewMoon;
        nextNewMoon = PhaseInstant(k + 1);
    }
    const Real fullMoon = PhaseInstant(k + 0.5L);

    Moon moon;
    moon.age = static_cast<double>(now - newMoon);
    const Real half = kSynodicMonth / 2.0L;
    moon.waxing = now < fullMoon;
    moon.phaseAge = static_cast<double>(moon.waxing ? half * (now - newMoon) / (fullMoon - newMoon)
                                                    : half + half * (now - fullMoon) /
                                                                 (nextNewMoon - fullMoon));
    moon.illuminated = static_cast<double>(IlluminatedFraction(now));
    return moon;
}

HoursMinutes HoursToHM(double hours) {
    Real x = hours;
    if (x < 0) x += 24;
    int h = static_cast<int>(std::trunc(x));
    int m = static_cast<int>(std::trunc(Frac(x) * 60));
    const int s = static_cast<int>(std::trunc(Frac(Frac(x) * 60) * 60));
    if (s > 30) m += 1;
    if (m == 60) {
        h += 1;
        m = 0;
    }
    return {h, m};
}

} // namespace ondrel::astro

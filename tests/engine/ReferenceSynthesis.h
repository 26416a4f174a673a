// An independent, literal evaluation of the harmonic sum used to check the engine's fast path:
// every quantity in extended precision, the angles neither shared nor reduced before the cosine.
#pragma once

#include "engine/PortRecord.h"

#include <cmath>

namespace ondrel::testing {

inline long double LiteralArgument(int k, long double t, long double shiftDays) {
    long double d = t - 2444239.5L + shiftDays;
    const long double s = 78.16L + 13.17639673L * d;
    const long double h = 279.82L + 0.98564734L * d;
    const long double p = 349.5L + 0.11140408L * d;
    const long double n = 208.1L + 0.05295392L * d;
    const long double p1 = 282.6L + 0.000047069L * d;
    const long double H = 24 * (d - std::trunc(d));
    const long double T = 15 * H;
    switch (k) {
    case 1:
        return h;
    case 2:
        return T + h + 90;
    case 3:
        return T - 2 * s + h - 90;
    case 4:
        return T - 3 * s + h + p - 90;
    case 5:
        return T - h + 90;
    case 6:
        return T - 2 * s + h - n - 90;
    case 7:
        return T + h + n + 90;
    case 8:
        return 2 * T - 2 * s + 2 * h;
    case 9:
        return 2 * T - 3 * s + 2 * h + p;
    case 10:
        return 2 * T;
    case 11:
        return 2 * T - 4 * s + 2 * h + 2 * p;
    case 12:
        return 2 * T - 4 * s + 4 * h;
    case 13:
        return 2 * T - 3 * s + 4 * h - p;
    case 14:
        return 2 * T - s + 2 * h - p;
    case 15:
        return 2 * T + 2 * h;
    case 16:
        return 2 * T - h + p1;
    case 17:
        return 2 * T - 2 * s + 2 * h - n;
    case 18:
        return 2 * T + 2 * h + n;
    case 19:
        return 4 * T - 5 * s + 4 * h + p;
    case 20:
        return 4 * T - 4 * s + 4 * h;
    case 21:
        return 4 * T - 2 * s + 2 * h;
    default:
        return 1000;
    }
}

inline long double LiteralHeight(const PortRecord& port, long double t, long double shiftDays = 0) {
    const long double rad = 3.14159265358979323846264338327950288L / 180;
    long double sum = 10.0L * port.meanLevel;
    for (int k = 1; k <= 21; ++k)
        sum +=
            port.amplitude[k] * std::cos((LiteralArgument(k, t, shiftDays) - port.phase[k]) * rad);
    return sum / 1000;
}

} // namespace ondrel::testing

#include "Harmonic.h"

#include <cmath>
#include <numbers>

namespace ondrel {

namespace {

constexpr long double kDegToRad = std::numbers::pi_v<long double> / 180.0L;

// Daily rates of the mean longitudes (degrees per day).
constexpr long double kMoonRate = 13.17639673L;
constexpr long double kSunRate = 0.98564734L;
constexpr long double kPerigeeRate = 0.11140408L;
constexpr long double kNodeRate = 0.05295392L;
constexpr long double kSolarPerigeeRate = 0.000047069L;

// Speeds in degrees per hour: T contributes 15 per unit, s, h, p, N, p1 their daily rate / 24.
// V = t T + s s + h h + p p + n N + p1 p1 + constant (T in degrees, 15 per hour).
struct Multipliers {
    int t, s, h, p, n, p1, constant;
};
constexpr std::array<Multipliers, kConstituentCount + 1> kMultipliers{{
    {0, 0, 0, 0, 0, 0, 0},     // unused
    {0, 0, 1, 0, 0, 0, 0},     // Sa
    {1, 0, 1, 0, 0, 0, 90},    // K1
    {1, -2, 1, 0, 0, 0, -90},  // O1
    {1, -3, 1, 1, 0, 0, -90},  // Q1
    {1, 0, -1, 0, 0, 0, 90},   // P1
    {1, -2, 1, 0, -1, 0, -90}, // O1 satellite
    {1, 0, 1, 0, 1, 0, 90},    // K1 satellite
    {2, -2, 2, 0, 0, 0, 0},    // M2
    {2, -3, 2, 1, 0, 0, 0},    // N2
    {2, 0, 0, 0, 0, 0, 0},     // S2
    {2, -4, 2, 2, 0, 0, 0},    // 2N2
    {2, -4, 4, 0, 0, 0, 0},    // mu2
    {2, -3, 4, -1, 0, 0, 0},   // nu2
    {2, -1, 2, -1, 0, 0, 0},   // L2
    {2, 0, 2, 0, 0, 0, 0},     // K2
    {2, 0, -1, 0, 0, 1, 0},    // T2
    {2, -2, 2, 0, -1, 0, 0},   // M2 satellite
    {2, 0, 2, 0, 1, 0, 0},     // K2 satellite
    {4, -5, 4, 1, 0, 0, 0},    // MN4
    {4, -4, 4, 0, 0, 0, 0},    // M4
    {4, -2, 2, 0, 0, 0, 0},    // MS4
}};

constexpr std::array<double, kConstituentCount + 1> MakeSpeeds() {
    std::array<double, kConstituentCount + 1> out{};
    for (int k = 1; k <= kConstituentCount; ++k) {
        const auto& m = kMultipliers[k];
        out[k] = static_cast<double>(15.0L * m.t + m.s * (kMoonRate / 24) + m.h * (kSunRate / 24) +
                                     m.p * (kPerigeeRate / 24) + m.n * (kNodeRate / 24) +
                                     m.p1 * (kSolarPerigeeRate / 24));
    }
    return out;
}
constexpr std::array<double, kConstituentCount + 1> kSpeeds = MakeSpeeds();

} // namespace

namespace {

// Exact reduction of an angle in degrees to [-180, 180]: 360 n is exact and so is the
// difference, which keeps every bit of the angle that the unreduced value carried.
inline long double ReduceDegrees(long double x) {
    return x - 360.0L * static_cast<long double>(std::llrint(static_cast<double>(x / 360.0L)));
}

} // namespace

InstantArguments ArgumentsAt(const TideContext& ctx, double t) {
    long double d = static_cast<long double>(t) - static_cast<long double>(kArgumentEpoch);
    if (!ctx.timeReference().isPortLocal()) d += ctx.shiftDays();
    // Mean longitudes, reduced to one turn before they are combined.
    const long double s = ReduceDegrees(78.16L + kMoonRate * d);
    const long double h = ReduceDegrees(279.82L + kSunRate * d);
    const long double p = ReduceDegrees(349.5L + kPerigeeRate * d);
    const long double n = ReduceDegrees(208.1L + kNodeRate * d);
    const long double p1 = ReduceDegrees(282.6L + kSolarPerigeeRate * d);
    const long double hours = 24 * (d - std::trunc(d));
    const long double T = 15 * hours;

    InstantArguments a;
    for (int k = 1; k <= kConstituentCount; ++k) {
        const auto& m = kMultipliers[k];
        a.v[k] = m.t * T + m.s * s + m.h * h + m.p * p + m.n * n + m.p1 * p1 + m.constant;
    }
    return a;
}

double ReducedRadians(long double v, double phase) {
    return static_cast<double>(ReduceDegrees(v - static_cast<long double>(phase)) * kDegToRad);
}

double ConstituentArgument(const TideContext& ctx, int k, double t) {
    if (k < 1 || k > kConstituentCount) return 1000;
    // The argument as its formula gives it, from the unreduced mean longitudes.
    long double d = static_cast<long double>(t) - static_cast<long double>(kArgumentEpoch);
    if (!ctx.timeReference().isPortLocal()) d += ctx.shiftDays();
    const long double hours = 24 * (d - std::trunc(d));
    const auto& m = kMultipliers[k];
    return static_cast<double>(15 * m.t * hours + m.s * (78.16L + kMoonRate * d) +
                               m.h * (279.82L + kSunRate * d) + m.p * (349.5L + kPerigeeRate * d) +
                               m.n * (208.1L + kNodeRate * d) +
                               m.p1 * (282.6L + kSolarPerigeeRate * d) + m.constant);
}

double ConstituentSpeed(int k) {
    if (k < 1 || k > kConstituentCount) return 1000;
    return kSpeeds[k];
}

double ConstituentTerm(const TideContext& ctx, int k, const PortRecord& port, double t) {
    const InstantArguments args = ArgumentsAt(ctx, t);
    return static_cast<double>(port.amplitude[k] * static_cast<long double>(std::cos(
                                                       ReducedRadians(args.v[k], port.phase[k]))));
}

double StandardHeightFrom(const PortRecord& port, const InstantArguments& args) {
    double sum = 10 * port.meanLevel; // centimetres to millimetres; the running sum is a double
    for (int k = 1; k <= kConstituentCount; ++k) {
        const long double c = std::cos(ReducedRadians(args.v[k], port.phase[k]));
        sum += static_cast<double>(port.amplitude[k] * c);
    }
    return static_cast<double>(static_cast<long double>(sum) / 1000);
}

double HeightRateFrom(const PortRecord& port, const InstantArguments& args) {
    long double sum = 0;
    for (int k = 1; k <= kConstituentCount; ++k) {
        const long double s = std::sin(ReducedRadians(args.v[k], port.phase[k]));
        sum += port.amplitude[k] * static_cast<long double>(kSpeeds[k]) * s;
    }
    return static_cast<double>(-sum / 1000);
}

double StandardHeightAt(const TideContext& ctx, const PortRecord& port, double t) {
    return StandardHeightFrom(port, ArgumentsAt(ctx, t));
}

double HeightRate(const TideContext& ctx, const PortRecord& port, double t) {
    return HeightRateFrom(port, ArgumentsAt(ctx, t));
}

double HeightCurvature(const TideContext& ctx, const PortRecord& port, double t) {
    const InstantArguments args = ArgumentsAt(ctx, t);
    long double sum = 0;
    for (int k = 1; k <= kConstituentCount; ++k) {
        const long double w = kSpeeds[k];
        const long double c = std::cos(ReducedRadians(args.v[k], port.phase[k]));
        sum += port.amplitude[k] * w * w * c;
    }
    return static_cast<double>(-sum / 1000);
}

} // namespace ondrel

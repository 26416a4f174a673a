#include "engine/Harmonic.h"

#include "engine/VectorState.h"

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

namespace ondrel {

namespace {

// Speed of constituent k in radians per day, as the arguments advance with the instant.
long double RadiansPerDay(int k) {
    const auto& m = kMultipliers[k];
    return (360.0L * m.t + m.s * kMoonRate + m.h * kSunRate + m.p * kPerigeeRate + m.n * kNodeRate +
            m.p1 * kSolarPerigeeRate) *
           kDegToRad;
}

// The instant's remainder after the nearest 128th of a step must be a few units in the last
// place (the scan's instants are rounded sums of steps); beyond this the correction's
// neglected third-order term could matter, and HeightRate is used instead.
constexpr double kMaxRemainder = 1e-7; // days
// Relative distance from zero under which the sign of the turned sum is not trusted. The turned
// sum differs from HeightRate by about 1e-14 of the sum's scale.
constexpr double kSignMargin = 1e-9;

} // namespace

struct DayRate::Tables {
    double step = 0;
    std::array<double, kConstituentCount> speed{}; // radians per day
    std::array<Turn, kSteps + 1> whole;            // n steps
    std::array<Turn, kSubdivisions> part;          // m 128ths of a step
};

DayRate::DayRate(const TideContext& ctx, const PortRecord& port, double dayStart, double step)
    : ctx_(ctx), port_(port), start_(dayStart), fineStep_(step / kSubdivisions) {
    CleanVectorState(); // the day's sums run at full speed whatever ran before
    thread_local Tables shared;
    if (shared.step != step) {
        shared.step = step;
        for (int k = 1; k <= kConstituentCount; ++k) {
            const long double w = RadiansPerDay(k);
            shared.speed[k - 1] = static_cast<double>(w);
            for (int n = 0; n <= kSteps; ++n) {
                const long double a = w * n * static_cast<long double>(step);
                shared.whole[n].cos[k - 1] = static_cast<double>(std::cos(a));
                shared.whole[n].sin[k - 1] = static_cast<double>(std::sin(a));
            }
            for (int m = 0; m < kSubdivisions; ++m) {
                const long double a = w * m * static_cast<long double>(fineStep_);
                shared.part[m].cos[k - 1] = static_cast<double>(std::cos(a));
                shared.part[m].sin[k - 1] = static_cast<double>(std::sin(a));
            }
        }
    }
    tables_ = &shared;

    const InstantArguments args = ArgumentsAt(ctx, dayStart);
    double scale = 0;
    double scale2 = 0;
    Turn start;
    for (int k = 1; k <= kConstituentCount; ++k) {
        if (port.amplitude[k] == 0) continue;
        const int i = count_++;
        index_[i] = k;
        weight_[i] = port.amplitude[k] * kSpeeds[k];
        weight2_[i] = port.amplitude[k] * kSpeeds[k] * kSpeeds[k];
        scale += std::fabs(weight_[i]);
        scale2 += std::fabs(weight2_[i]);
        const double angle = ReducedRadians(args.v[k], port.phase[k]);
        start.cos[i] = std::cos(angle);
        start.sin[i] = std::sin(angle);
    }
    margin_ = kSignMargin * scale / 1000;
    margin2_ = kSignMargin * scale2 / 1000;
    for (int n = 0; n <= kSteps; ++n) {
        for (int i = 0; i < count_; ++i) {
            const double c = shared.whole[n].cos[index_[i] - 1];
            const double s = shared.whole[n].sin[index_[i] - 1];
            angles_[n].cos[i] = start.cos[i] * c - start.sin[i] * s;
            angles_[n].sin[i] = start.sin[i] * c + start.cos[i] * s;
        }
    }
}

std::optional<double> DayRate::turnedSum(double t, bool cosine) const {
    const double delta = t - start_; // exact: both lie within a day of each other
    const double q = std::nearbyint(delta / fineStep_);
    const double remainder = delta - q * fineStep_;
    if (!(q >= 0 && q <= kSteps * kSubdivisions) || std::fabs(remainder) > kMaxRemainder)
        return std::nullopt;
    const int steps = static_cast<int>(q);
    const Turn& at = angles_[steps / kSubdivisions];
    const Turn& turn = tables_->part[steps % kSubdivisions];
    const auto& weight = cosine ? weight2_ : weight_;
    double sum = 0;
    for (int i = 0; i < count_; ++i) {
        const int k = index_[i] - 1;
        const double c = turn.cos[k];
        const double s = turn.sin[k];
        const double sin1 = at.sin[i] * c + at.cos[i] * s;
        const double cos1 = at.cos[i] * c - at.sin[i] * s;
        const double x = tables_->speed[k] * remainder;
        sum += weight[i] *
               (cosine ? cos1 - x * (sin1 + 0.5 * x * cos1) : sin1 + x * (cos1 - 0.5 * x * sin1));
    }
    return sum;
}

double DayRate::operator()(double t) const {
    const std::optional<double> sum = turnedSum(t, false);
    const double rate = sum ? -*sum / 1000 : 0;
    return sum && std::fabs(rate) > margin_ ? rate : HeightRate(ctx_, port_, t);
}

double DayRate::curvature(double t) const {
    const std::optional<double> sum = turnedSum(t, true);
    const double curvature = sum ? -*sum / 1000 : 0;
    return sum && std::fabs(curvature) > margin2_ ? curvature : HeightCurvature(ctx_, port_, t);
}

} // namespace ondrel

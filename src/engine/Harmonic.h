// Astronomical arguments and harmonic synthesis of the 21 constituents.
//
// Instants are Julian dates in the user's time reference. Nodal modulation is carried by four
// nodal-satellite constituents whose amplitudes are fixed fractions of their main ones.
#pragma once

#include "engine/PortRecord.h"
#include "engine/TideContext.h"

#include <array>
#include <optional>

namespace ondrel {

inline constexpr double kArgumentEpoch = 2444239.5; // 1 January 1980, 0 h

// V_k in degrees (not reduced); 1000 for k outside 1..21.
double ConstituentArgument(const TideContext& ctx, int k, double t);
// Speed of constituent k in degrees per hour; 1000 for k outside 1..21.
double ConstituentSpeed(int k);
// Amplitude[k] * cos(V_k(t) - Phase[k]) in millimetres; k in 1..21.
double ConstituentTerm(const TideContext& ctx, int k, const PortRecord& port, double t);
// Height in metres above chart datum, without secondary corrections.
double StandardHeightAt(const TideContext& ctx, const PortRecord& port, double t);
// Proportional to the time derivative of StandardHeightAt; only its sign and zeros are used.
double HeightRate(const TideContext& ctx, const PortRecord& port, double t);
// Proportional to the second derivative of StandardHeightAt.
double HeightCurvature(const TideContext& ctx, const PortRecord& port, double t);

// The 21 arguments of one instant, computed once and shared by the terms. The mean longitudes
// are reduced to one turn before they are combined, so each value equals ConstituentArgument
// modulo 360 but carries more of its fractional bits.
struct InstantArguments {
    std::array<long double, kConstituentCount + 1> v{}; // degrees, index 1..21
};
InstantArguments ArgumentsAt(const TideContext& ctx, double t);

// (v - phase) degrees in radians, reduced exactly to less than one turn first, so that the
// trigonometry can run in double precision without losing the angle's precision.
double ReducedRadians(long double v, double phase);

double StandardHeightFrom(const PortRecord& port, const InstantArguments& args);
double HeightRateFrom(const PortRecord& port, const InstantArguments& args);

// HeightRate of one port at the instants of one day, without trigonometry at each instant: the
// angles of the day's start are turned by fixed steps (whole steps of the hourly scan, then
// 128ths of one: the bisections and their final midpoint halve an hour seven times), and what
// remains of the instant, a few units in the last place, by a second-order correction. The value
// agrees with HeightRate to about 1e-14 of the sum's scale; where it lies too close to zero for its
// sign to be certain, or the instant is not near a 128th of a step, HeightRate itself is returned.
// So its sign is always HeightRate's. The same holds for curvature() and HeightCurvature.
class DayRate {
public:
    // step: the scan's step in days as the instants carry it (a double hour after dayStart).
    DayRate(const TideContext& ctx, const PortRecord& port, double dayStart, double step);
    double operator()(double t) const;
    double curvature(double t) const;

private:
    static constexpr int kSubdivisions = 128;
    static constexpr int kSteps = 24;
    // Left unfilled: only the first count_ entries are written and read (zeroing 8 KB twice a
    // day was a sixth of a tide table's work).
    struct Turn {
        std::array<double, kConstituentCount> cos;
        std::array<double, kConstituentCount> sin;
    };
    struct Tables; // the turns of whole and partial steps, shared by every DayRate of a step

    const TideContext& ctx_;
    const PortRecord& port_;
    double start_;
    double fineStep_;
    const Tables* tables_;
    // Sum of weight x sin (or x cos) of the turned angles at t; nothing when t is not near a
    // 128th of a step.
    std::optional<double> turnedSum(double t, bool cosine) const;

    int count_ = 0;                                   // constituents with an amplitude
    std::array<int, kConstituentCount> index_{};      // their numbers, 1..21
    std::array<double, kConstituentCount> weight_{};  // amplitude x speed
    std::array<double, kConstituentCount> weight2_{}; // amplitude x speed x speed
    std::array<Turn, kSteps + 1> angles_;             // sin and cos at start + n steps
    double margin_ = 0;
    double margin2_ = 0;
};

} // namespace ondrel

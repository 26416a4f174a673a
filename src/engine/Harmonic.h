// Astronomical arguments and harmonic synthesis of the 21 constituents.
//
// Instants are Julian dates in the user's time reference. Nodal modulation is carried by four
// nodal-satellite constituents whose amplitudes are fixed fractions of their main ones.
#pragma once

#include "PortRecord.h"
#include "TideContext.h"

#include <array>

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

} // namespace ondrel

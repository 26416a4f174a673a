// The tidal constituents of full-harmonic prediction: their arguments from Doodson numbers, their
// speeds, and their nodal corrections (f, u), for every constituent name the harmonic data use.
//
// Conventions, those of the published harmonic constants (NOAA, TICON): phases are Greenwich
// lags referred to UT, and the equilibrium argument of a constituent is
//   V = i1 tau + i2 s + i3 h + i4 p + i5 N' + i6 p1 + phase,
// with tau = T + h - s the mean lunar time, T the hour angle of the mean sun (180 degrees at 0 h
// UT), s, h, p, p1 the mean longitudes of the moon, the sun, the lunar perigee and the solar
// perigee, and phase a multiple of 90 degrees (K1 = T + h - 90, O1 = T - 2s + h + 90, as in
// Schureman's manual). Nodal corrections follow the IHO list of constituents: the formulas of its
// Annex A for the fundamental ones, products and sums over the members for compound ones.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel {

// Mean longitudes (degrees, not reduced) of one instant, and the hour angle of the mean sun.
struct Astronomy {
    long double T = 0;  // hour angle of the mean sun, degrees
    long double s = 0;  // moon
    long double h = 0;  // sun
    long double p = 0;  // lunar perigee
    long double N = 0;  // longitude of the moon's ascending node
    long double p1 = 0; // solar perigee
};
// jdUt: Julian date (UT).
Astronomy AstronomyAt(long double jdUt);

// The nodal factor and the nodal angle (degrees) of a constituent at one instant.
struct NodalCorrection {
    double f = 1;
    double u = 0;
};

// The fundamental nodal corrections of the IHO list from which every other one is built.
enum class Fundamental { Mm, Mf, O1, K1, J1, M2, K2, L2, M1, Gamma2, Alpha2, Delta2, Xi2, Count };
using FundamentalCorrections = std::array<NodalCorrection, static_cast<int>(Fundamental::Count)>;
FundamentalCorrections FundamentalsAt(const Astronomy& a);

struct ConstituentDefinition {
    std::string name;                // canonical name (upper case: M2, 2MK3, SIGMA1)
    std::array<double, 6> doodson{}; // multipliers of tau, s, h, p, N', p1
    double phase = 0;                // degrees
    // f = product of f_k^|n_k|, u = sum of n_k u_k over these fundamentals.
    std::vector<std::pair<Fundamental, double>> nodal;

    double speed() const; // degrees per hour
    // V (degrees, not reduced) at an instant.
    long double argument(const Astronomy& a) const;
    NodalCorrection correction(const FundamentalCorrections& fundamentals) const;
};

// The definition of a constituent name as the harmonic data write it, in any case, with its
// usual aliases ("SGM" is SIGMA1, "LAM2" LAMBDA2); compound names are read by the IHO rules
// (2MK3 = 2 M2 - K1). Nothing for a name that cannot be read.
std::optional<ConstituentDefinition> DefineConstituent(std::string_view name);

} // namespace ondrel

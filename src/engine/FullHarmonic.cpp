#include "engine/FullHarmonic.h"

#include "engine/VectorState.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ondrel {

namespace {

constexpr long double kRad = std::numbers::pi_v<long double> / 180;

// The instant in UT of a Julian date counted in the context's time reference.
long double UtOf(const TideContext& ctx, double t) {
    return static_cast<long double>(t) - ctx.offsetHours() / 24;
}

// (v + u - g) in radians, reduced to one turn in extended precision first.
double Angle(long double v, double u, double g) {
    return static_cast<double>(std::remainder(v + u - g, 360.0L) * kRad);
}

} // namespace

double FullHeightAt(const TideContext& ctx, const HarmonicConstants& constants, double t) {
    CleanVectorState();
    const Astronomy astro = AstronomyAt(UtOf(ctx, t));
    const FundamentalCorrections fundamentals = FundamentalsAt(astro);
    long double sum = constants.datumOffset;
    for (const HarmonicTerm& term : constants.terms) {
        const NodalCorrection c = term.constituent.correction(fundamentals);
        sum += c.f * term.amplitude *
               std::cos(Angle(term.constituent.argument(astro), c.u, term.phase));
    }
    return static_cast<double>(sum);
}

FullHarmonicRate::FullHarmonicRate(const TideContext& ctx, const HarmonicConstants& constants,
                                   double start, double nodalAt)
    : start_(start) {
    CleanVectorState();
    const Astronomy astro = AstronomyAt(UtOf(ctx, start));
    const FundamentalCorrections fundamentals = FundamentalsAt(AstronomyAt(UtOf(ctx, nodalAt)));
    for (const HarmonicTerm& term : constants.terms) {
        const NodalCorrection c = term.constituent.correction(fundamentals);
        amplitude_.push_back(c.f * term.amplitude);
        speed_.push_back(static_cast<double>(term.constituent.speed() * 24 * kRad));
        angle_.push_back(Angle(term.constituent.argument(astro), c.u, term.phase));
    }
}

double FullHarmonicRate::quarterPeriod() const {
    double fastest = 0;
    for (std::size_t k = 0; k < speed_.size(); ++k)
        if (amplitude_[k] != 0) fastest = std::max(fastest, std::fabs(speed_[k]));
    constexpr double kHour = 1.0 / 24;
    if (fastest == 0) return kHour;
    return std::min(kHour, std::numbers::pi / 2 / fastest);
}

double FullHarmonicRate::dominantSpeed() const {
    constexpr double kFastest = 2 * std::numbers::pi * 24; // one turn an hour, per day
    constexpr double kSlowest = kFastest / 30;
    double speed = 0, largest = 0, fastest = 0;
    for (std::size_t k = 0; k < speed_.size(); ++k) {
        const double w = std::fabs(speed_[k]);
        fastest = std::max(fastest, w);
        if (w >= kSlowest && w <= kFastest && std::fabs(amplitude_[k]) > largest) {
            largest = std::fabs(amplitude_[k]);
            speed = w;
        }
    }
    return speed > 0 ? speed : fastest;
}

bool IsDoubleTide(const HarmonicConstants& constants) {
    const auto amplitude = [&](std::string_view name) {
        for (const HarmonicTerm& term : constants.terms)
            if (term.constituent.name == name) return term.amplitude;
        return 0.0;
    };
    const double m2 = amplitude("M2");
    return m2 > 0 && (amplitude("M4") + amplitude("MS4")) / m2 > 0.25;
}

double FullHarmonicRate::sum(double t, bool curvature) const {
    const double dt = t - start_;
    double sum = 0;
    for (std::size_t k = 0; k < amplitude_.size(); ++k) {
        const double angle = angle_[k] + speed_[k] * dt;
        sum -= curvature ? amplitude_[k] * speed_[k] * speed_[k] * std::cos(angle)
                         : amplitude_[k] * speed_[k] * std::sin(angle);
    }
    return sum;
}

} // namespace ondrel

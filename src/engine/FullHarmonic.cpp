#include "FullHarmonic.h"

#include <cmath>
#include <numbers>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace ondrel {

namespace {

// The harmonic sums run as SSE code calling the C library's trigonometry. When a library of the
// process has left the upper halves of the AVX registers in use (Qt's and the C library's
// vectorised string code may), every SSE instruction waits on them on many Intel processors: a
// year's tide table took 240 ms instead of 30. Clearing that state before a day's scan costs
// nothing measurable.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx"))) void ClearUpperAvxHalves() {
    _mm256_zeroupper();
}
void CleanVectorState() {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) ClearUpperAvxHalves();
}
#else
void CleanVectorState() {}
#endif

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

FullHarmonicDay::FullHarmonicDay(const TideContext& ctx, const HarmonicConstants& constants,
                                 double dayStart)
    : start_(dayStart) {
    CleanVectorState();
    const long double ut = UtOf(ctx, dayStart);
    const Astronomy astro = AstronomyAt(ut);
    const FundamentalCorrections fundamentals = FundamentalsAt(AstronomyAt(ut + 0.5L));
    for (const HarmonicTerm& term : constants.terms) {
        const NodalCorrection c = term.constituent.correction(fundamentals);
        amplitude_.push_back(c.f * term.amplitude);
        speed_.push_back(static_cast<double>(term.constituent.speed() * 24 * kRad));
        angle_.push_back(Angle(term.constituent.argument(astro), c.u, term.phase));
    }
}

double FullHarmonicDay::rate(double t) const {
    const double dt = t - start_;
    double sum = 0;
    for (std::size_t k = 0; k < amplitude_.size(); ++k)
        sum -= amplitude_[k] * speed_[k] * std::sin(angle_[k] + speed_[k] * dt);
    return sum;
}

double FullHarmonicDay::curvature(double t) const {
    const double dt = t - start_;
    double sum = 0;
    for (std::size_t k = 0; k < amplitude_.size(); ++k)
        sum -= amplitude_[k] * speed_[k] * speed_[k] * std::cos(angle_[k] + speed_[k] * dt);
    return sum;
}

} // namespace ondrel

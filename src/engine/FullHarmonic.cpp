#include "FullHarmonic.h"

#include "VectorState.h"

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

namespace {

constexpr long double kHourDays = 1.0L / 24;
// The instant's remainder after the nearest 128th of an hour must be a few units in the last
// place (the scan's instants are rounded sums of steps); beyond, the direct sum is used.
constexpr double kMaxRemainder = 1e-7; // days
// Relative distance from zero under which the sign of the turned sum is not trusted; the turned
// sum differs from the direct one by about 1e-14 of the sum's scale.
constexpr double kSignMargin = 1e-9;

} // namespace

struct FullHarmonicDay::Tables {
    std::vector<double> speed;              // radians per day, the key
    std::vector<double> wholeCos, wholeSin; // [n * count + k], n = 0..24 hours
    std::vector<double> partCos, partSin;   // [m * count + k], m = 0..127 128ths of an hour
};

FullHarmonicDay::FullHarmonicDay(const TideContext& ctx, const HarmonicConstants& constants,
                                 double dayStart, Evaluation evaluation)
    : start_(dayStart), evaluation_(evaluation) {
    CleanVectorState();
    const long double ut = UtOf(ctx, dayStart);
    const Astronomy astro = AstronomyAt(ut);
    const FundamentalCorrections fundamentals = FundamentalsAt(AstronomyAt(ut + 0.5L));
    double scale = 0, scale2 = 0;
    for (const HarmonicTerm& term : constants.terms) {
        const NodalCorrection c = term.constituent.correction(fundamentals);
        amplitude_.push_back(c.f * term.amplitude);
        speed_.push_back(static_cast<double>(term.constituent.speed() * 24 * kRad));
        angle_.push_back(Angle(term.constituent.argument(astro), c.u, term.phase));
        scale += std::fabs(amplitude_.back() * speed_.back());
        scale2 += std::fabs(amplitude_.back() * speed_.back() * speed_.back());
    }
    margin_ = kSignMargin * scale;
    margin2_ = kSignMargin * scale2;
    if (evaluation_ == Evaluation::Direct) return;

    // The turns depend only on the speeds: computed once for the days of a port, and kept by
    // each day that uses them.
    thread_local std::shared_ptr<const Tables> last;
    const std::size_t count = speed_.size();
    if (!last || last->speed != speed_) {
        auto tables = std::make_shared<Tables>();
        tables->speed = speed_;
        tables->wholeCos.assign((kSteps + 1) * count, 0);
        tables->wholeSin.assign((kSteps + 1) * count, 0);
        tables->partCos.assign(kSubdivisions * count, 0);
        tables->partSin.assign(kSubdivisions * count, 0);
        for (std::size_t k = 0; k < count; ++k) {
            const long double w = speed_[k];
            for (int n = 0; n <= kSteps; ++n) {
                tables->wholeCos[n * count + k] = static_cast<double>(std::cos(w * n * kHourDays));
                tables->wholeSin[n * count + k] = static_cast<double>(std::sin(w * n * kHourDays));
            }
            for (int m = 0; m < kSubdivisions; ++m) {
                const long double a = w * m * kHourDays / kSubdivisions;
                tables->partCos[m * count + k] = static_cast<double>(std::cos(a));
                tables->partSin[m * count + k] = static_cast<double>(std::sin(a));
            }
        }
        last = std::move(tables);
    }
    tables_ = last;
    const Tables& shared = *tables_;
    cos_.resize((kSteps + 1) * count);
    sin_.resize((kSteps + 1) * count);
    for (std::size_t k = 0; k < count; ++k) {
        const double c0 = std::cos(angle_[k]);
        const double s0 = std::sin(angle_[k]);
        for (int n = 0; n <= kSteps; ++n) {
            const double c = shared.wholeCos[n * count + k];
            const double s = shared.wholeSin[n * count + k];
            cos_[n * count + k] = c0 * c - s0 * s;
            sin_[n * count + k] = s0 * c + c0 * s;
        }
    }
}

double FullHarmonicDay::directSum(double t, bool curvature) const {
    const double dt = t - start_;
    double sum = 0;
    for (std::size_t k = 0; k < amplitude_.size(); ++k) {
        const double angle = angle_[k] + speed_[k] * dt;
        sum -= curvature ? amplitude_[k] * speed_[k] * speed_[k] * std::cos(angle)
                         : amplitude_[k] * speed_[k] * std::sin(angle);
    }
    return sum;
}

double FullHarmonicDay::turnedSum(double t, bool curvature, bool* certain) const {
    *certain = false;
    const double fine = static_cast<double>(kHourDays / kSubdivisions);
    const double delta = t - start_;
    const double q = std::nearbyint(delta / fine);
    const double remainder = delta - q * fine;
    if (!(q >= 0 && q <= kSteps * kSubdivisions) || std::fabs(remainder) > kMaxRemainder) return 0;
    const int steps = static_cast<int>(q);
    const std::size_t count = speed_.size();
    const double* atCos = &cos_[(steps / kSubdivisions) * count];
    const double* atSin = &sin_[(steps / kSubdivisions) * count];
    const double* turnCos = &tables_->partCos[(steps % kSubdivisions) * count];
    const double* turnSin = &tables_->partSin[(steps % kSubdivisions) * count];
    double sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const double sin1 = atSin[k] * turnCos[k] + atCos[k] * turnSin[k];
        const double cos1 = atCos[k] * turnCos[k] - atSin[k] * turnSin[k];
        const double x = speed_[k] * remainder;
        sum -= curvature
                   ? amplitude_[k] * speed_[k] * speed_[k] * (cos1 - x * (sin1 + 0.5 * x * cos1))
                   : amplitude_[k] * speed_[k] * (sin1 + x * (cos1 - 0.5 * x * sin1));
    }
    *certain = std::fabs(sum) > (curvature ? margin2_ : margin_);
    return sum;
}

double FullHarmonicDay::rate(double t) const {
    bool certain = false;
    if (evaluation_ == Evaluation::Turned) {
        const double sum = turnedSum(t, false, &certain);
        if (certain) return sum;
    }
    return directSum(t, false);
}

double FullHarmonicDay::curvature(double t) const {
    bool certain = false;
    if (evaluation_ == Evaluation::Turned) {
        const double sum = turnedSum(t, true, &certain);
        if (certain) return sum;
    }
    return directSum(t, true);
}

} // namespace ondrel

#include "engine/Secondary.h"

#include "engine/Harmonic.h"

#include <cmath>

namespace ondrel {

bool IsSecondaryPort(const PortRecord& port) {
    long double sum = 0;
    for (int i = 1; i <= 4; ++i)
        sum += std::fabs(static_cast<long double>(port.corrections[i])) +
               std::fabs(static_cast<long double>(port.corrections[i + 4]));
    return sum != 0;
}

double InterpolateLinear(double x, double yA, double yB, double xA, double xB) {
    if (xA == xB) return 0;
    const long double slope =
        (static_cast<long double>(yA) - yB) / (static_cast<long double>(xA) - xB);
    const long double intercept =
        (static_cast<long double>(yA) * xB - static_cast<long double>(yB) * xA) /
        (static_cast<long double>(xB) - xA);
    return static_cast<double>(slope * x + intercept);
}

DayCorrectionSet DayCorrections(const TideContext& ctx, const PortRecord& port, double t) {
    CoefficientMemo memo;
    return DayCorrections(memo, ctx, port, t);
}

DayCorrectionSet DayCorrections(CoefficientMemo& memo, const TideContext& ctx,
                                const PortRecord& port, double t) {
    return CorrectionsFor(port, memo.coefficients(ctx, t));
}

DayCorrectionSet CorrectionsFor(const PortRecord& port, CoefficientPair coefficients) {
    // The mean of the day's morning and evening values.
    const double mean = static_cast<double>(
        (coefficients.morning + static_cast<long double>(coefficients.evening)) / 2);
    const auto& c = port.corrections;
    DayCorrectionSet set;
    set.c1 = InterpolateLinear(mean, c[2], c[1], 45, 95);
    set.c0 = InterpolateLinear(mean, c[4], c[3], 45, 95);
    set.c3 = InterpolateLinear(mean, c[6], c[5], 45, 95);
    set.c2 = InterpolateLinear(mean, c[8], c[7], 45, 95);
    return set;
}

void SecondaryDayCache::prepare(const TideContext& ctx, const PortRecord& port, double t) {
    harmonics_.reset();
    fill(ctx, TideSource(port), t);
}

void SecondaryDayCache::prepare(const TideContext& ctx, const TideSource& source, double t) {
    harmonics_ = source.harmonics;
    fill(ctx, source, t);
}

void SecondaryDayCache::fill(const TideContext& ctx, const TideSource& source, double t) {
    dayCorr_ = DayCorrections(coefficientMemo_, ctx, source.port, t);
    events_ = CorrectedDayEvents(coefficientMemo_, ctx, source, t - 1);
    dayBegin_ = events_.size();
    const std::vector<CorrectedEvent> day = CorrectedDayEvents(coefficientMemo_, ctx, source, t);
    events_.insert(events_.end(), day.begin(), day.end());
    dayEnd_ = events_.size();
    const std::vector<CorrectedEvent> next =
        CorrectedDayEvents(coefficientMemo_, ctx, source, t + 1);
    events_.insert(events_.end(), next.begin(), next.end());
}

DayEvents SecondaryDayCache::events() const {
    DayEvents day;
    for (std::size_t i = dayBegin_; i < dayEnd_; ++i)
        day.push_back(events_[i].event);
    return day;
}

DayEvents SecondaryDayCache::nextEvents() const {
    DayEvents next;
    for (std::size_t i = dayEnd_; i < events_.size(); ++i)
        next.push_back(events_[i].event);
    return next;
}

SecondaryDayCache::Bracket SecondaryDayCache::bracket(double x) const {
    Bracket b;
    if (dayBegin_ == dayEnd_) {
        // A day without any event gives no bracket: no correction applies.
        b.xA = b.xB = x;
        b.atA = b.atB = &dayCorr_;
        return b;
    }
    // k: the first event of the day at or after x, else the next day's first; the bracket is
    // that event and the one before it (the day before's last, before the day's first).
    std::size_t k = dayBegin_;
    while (k < dayEnd_ && events_[k].event.instant() < x)
        ++k;
    const bool hasAfter = k < events_.size();
    const bool hasBefore = k > 0;
    const CorrectedEvent& after = events_[hasAfter ? k : k - 1];
    const CorrectedEvent& before = events_[hasBefore ? k - 1 : k];
    b.xA = hasAfter ? after.event.instant() : kEmptySlot;
    b.xB = hasBefore ? before.event.instant() : b.xA;
    b.atA = &after.corrections;
    b.atB = &before.corrections;
    b.highA = after.event.isHighWater();
    b.highB = before.event.isHighWater();
    return b;
}

double SecondaryDayCache::secondaryTimeOf(double x) const {
    const Bracket b = bracket(x);
    const double yA = b.highA ? b.atA->c1 : b.atA->c0;
    const double yB = b.highB ? b.atB->c1 : b.atB->c0;
    return static_cast<double>(
        x + static_cast<long double>(InterpolateLinear(x, yA, yB, b.xA, b.xB)) / 24);
}

double SecondaryDayCache::correctedStandardHeight(const TideContext& ctx, const PortRecord& port,
                                                  double t) const {
    const Bracket b = bracket(t);
    const double yA = b.highA ? b.atA->c3 : b.atA->c2;
    const double yB = b.highB ? b.atB->c3 : b.atB->c2;
    const double q = InterpolateLinear(t, yA, yB, b.xA, b.xB);
    const long double h =
        harmonics_ ? FullHeightAt(ctx, *harmonics_, t) : StandardHeightAt(ctx, port, t);
    return static_cast<double>(q > 90 ? h * (q - 90.0L) : h + q);
}

double SecondaryDayCache::secondaryHeightAt(const TideContext& ctx, const PortRecord& port,
                                            double x) const {
    // Symmetric walk, 30 s at a time up to one hour each way, for the standard-port instant whose
    // secondary instant is x; a candidate must be strictly closer to replace the best.
    constexpr long double kStep = 0.0003472L; // 30 s
    constexpr long double kReach = 0.041666L; // one hour
    double best = std::fabs(secondaryTimeOf(x) - x);
    double bestT = x;
    double up = x;
    double down = x;
    double t = x;
    while (static_cast<long double>(up) - x < kReach) {
        up = static_cast<double>(up + kStep);
        const double du = std::fabs(secondaryTimeOf(up) - x);
        if (du < best) {
            best = du;
            bestT = up;
        }
        down = static_cast<double>(down - kStep);
        const double dd = std::fabs(secondaryTimeOf(down) - x);
        if (dd < best) {
            best = dd;
            bestT = down;
        }
        if (best < kStep) {
            t = bestT;
            break;
        }
    }
    return correctedStandardHeight(ctx, port, t);
}

double HeightAt(const TideContext& ctx, const SecondaryDayCache& cache, const PortRecord& port,
                double t) {
    return IsSecondaryPort(port) ? cache.secondaryHeightAt(ctx, port, t)
                                 : StandardHeightAt(ctx, port, t);
}

} // namespace ondrel

namespace ondrel {

double StandardHeightAt(const TideContext& ctx, const TideSource& source, double t) {
    return source.harmonics ? FullHeightAt(ctx, *source.harmonics, t)
                            : StandardHeightAt(ctx, source.port, t);
}

double HeightAt(const TideContext& ctx, const SecondaryDayCache& cache, const TideSource& source,
                double t) {
    return IsSecondaryPort(source.port) ? cache.secondaryHeightAt(ctx, source.port, t)
                                        : StandardHeightAt(ctx, source, t);
}

} // namespace ondrel

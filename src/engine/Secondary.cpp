#include "Secondary.h"

#include "Harmonic.h"

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
    dayCorr_ = DayCorrections(coefficientMemo_, ctx, port, t);
    previousCorr_ = DayCorrections(coefficientMemo_, ctx, port, t - 1);
    nextCorr_ = DayCorrections(coefficientMemo_, ctx, port, t + 1);
    day_ = DayTideEvents(ctx, port, t);
    previous_ = DayTideEvents(ctx, port, t - 1);
    next_ = DayTideEvents(ctx, port, t + 1);
}

void SecondaryDayCache::prepare(const TideContext& ctx, const TideSource& source, double t) {
    if (!source.harmonics) return prepare(ctx, source.port, t);
    harmonics_ = source.harmonics;
    dayCorr_ = DayCorrections(coefficientMemo_, ctx, source.port, t);
    previousCorr_ = DayCorrections(coefficientMemo_, ctx, source.port, t - 1);
    nextCorr_ = DayCorrections(coefficientMemo_, ctx, source.port, t + 1);
    day_ = DayTideEvents(coefficientMemo_, ctx, source, t);
    previous_ = DayTideEvents(coefficientMemo_, ctx, source, t - 1);
    next_ = DayTideEvents(coefficientMemo_, ctx, source, t + 1);
}

SecondaryDayCache::Bracket SecondaryDayCache::bracket(double x) const {
    // k: the first event of the day at or after x; an empty slot stops the search.
    int k = 4;
    for (int i = 0; i < 4; ++i) {
        if (day_[i].empty() || std::fabs(day_[i].time) >= x) {
            k = i;
            break;
        }
    }
    Bracket b;
    if (k == 4 || day_[k].empty()) {
        if (k == 0) {
            // A day without any event gives no bracket: no correction applies.
            b.xA = b.xB = x;
            b.atA = b.atB = &dayCorr_;
            return b;
        }
        // After the day's last event: bracketed by it and the next day's first event.
        const TideEvent& last = day_[k - 1];
        b.xA = std::fabs(next_[0].time);
        b.xB = std::fabs(last.time);
        b.atA = &nextCorr_;
        b.atB = &dayCorr_;
        b.highB = last.isHighWater();
        b.highA = !b.highB;
    } else if (k == 0) {
        // At or before the day's first event: bracketed by the previous day's last event.
        const TideEvent& first = day_[0];
        int p = 3;
        while (p >= 0 && previous_[p].empty())
            --p;
        b.xA = std::fabs(first.time);
        b.xB = p >= 0 ? std::fabs(previous_[p].time) : b.xA;
        b.atA = &dayCorr_;
        b.atB = &previousCorr_;
        b.highA = first.isHighWater();
        b.highB = !b.highA;
    } else {
        const TideEvent& after = day_[k];
        b.xA = std::fabs(after.time);
        b.xB = std::fabs(day_[k - 1].time);
        b.atA = b.atB = &dayCorr_;
        b.highA = after.isHighWater();
        b.highB = !b.highA;
    }
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

#include "Extremes.h"

#include "Harmonic.h"
#include "Julian.h"
#include "Secondary.h"

#include <cmath>

namespace ondrel {

namespace {

constexpr double kExtremeTolerance = 0.0007; // days, about one minute
constexpr long double kHour = 1.0L / 24;

// Bisection with the rates at both ends already known. Evaluating an instant again gives the
// same value, so the end rates are carried along instead of being recomputed. Only the signs of
// the rates are used.
template <typename Rate, typename Curvature>
double Bisect(const Rate& rate, const Curvature& curvature, double tolerance, double upper,
              double lower, double rateUpper, double rateLower) {
    while (static_cast<long double>(upper) - lower > tolerance) {
        const double mid = static_cast<double>((static_cast<long double>(lower) + upper) / 2);
        const double rateMid = rate(mid);
        if (static_cast<long double>(rateLower) * rateMid > 0) {
            lower = mid;
            rateLower = rateMid;
        } else if (static_cast<long double>(rateUpper) * rateMid > 0) {
            upper = mid;
            rateUpper = rateMid;
        } else {
            lower = upper = mid; // the rate is zero at mid
        }
    }
    const double m = static_cast<double>((static_cast<long double>(lower) + upper) / 2);
    return curvature(m) < 0 ? m : -m;
}

// Calls found(e) for every extreme of the day of t, in order, as the hourly scan finds them.
// The literal scan evaluates the whole sum at every instant; the fast one turns the angles of
// the day's start (DayRate), whose rates have the same signs, so both find the same instants.
enum class Scan { Fast, Literal };

// The hourly scan of the day that starts at d0: found(e) for every extreme, in order.
template <typename Rate, typename Curvature, typename Found>
void ScanHours(double d0, const Rate& rate, const Curvature& curvature, Found found) {
    double previousEnd = 0;
    double previousEndRate = 0;
    bool havePrevious = false;
    for (int j = 0; j <= 23; ++j) {
        const double a = static_cast<double>(d0 + j / 24.0L);
        const double b = static_cast<double>(a + kHour);
        const double rateA = havePrevious && previousEnd == a ? previousEndRate : rate(a);
        const double rateB = rate(b);
        previousEnd = b;
        previousEndRate = rateB;
        havePrevious = true;
        if (static_cast<long double>(rateA) * rateB >= 0) continue;
        found(Bisect(rate, curvature, kExtremeTolerance, b, a, rateB, rateA));
    }
}

template <typename Found>
void ScanDay(Scan scan, const TideContext& ctx, const PortRecord& port, double t, Found found) {
    const double d0 = DayStart(t);
    if (scan == Scan::Fast) {
        const DayRate rate(ctx, port, d0, static_cast<double>(d0 + kHour) - d0);
        ScanHours(
            d0, rate, [&](double x) { return rate.curvature(x); }, found);
    } else {
        ScanHours(
            d0, [&](double x) { return HeightRate(ctx, port, x); },
            [&](double x) { return HeightCurvature(ctx, port, x); }, found);
    }
}

CoefficientPair CoefficientsOfDay(Scan scan, const TideContext& ctx, double t) {
    static const PortRecord reference = CoefficientReferencePort();
    CoefficientPair pair;
    bool haveMorning = false;
    ScanDay(scan, ctx, reference, t, [&](double e) {
        if (e <= 0) return; // low waters do not count
        const int c = static_cast<int>(std::ceil(100.0L * StandardHeightAt(ctx, reference, e))) + 1;
        if (!haveMorning) {
            pair.morning = pair.evening = c;
            haveMorning = true;
        } else {
            pair.evening = c;
        }
    });
    return pair;
}

// Moves and scales the events of a secondary port by the day's corrections.
void CorrectSecondary(DayEvents& events, const DayCorrectionSet& corr) {
    for (TideEvent& ev : events) {
        if (ev.empty()) continue;
        if (ev.time >= 0) {
            ev.time = static_cast<double>(ev.time + static_cast<long double>(corr.c1) / 24);
            ev.height =
                static_cast<double>(corr.c3 > 10 ? ev.height * (corr.c3 - 90.0L)
                                                 : ev.height + static_cast<long double>(corr.c3));
        } else {
            ev.time = static_cast<double>(-(std::fabs(static_cast<long double>(ev.time)) +
                                            static_cast<long double>(corr.c0) / 24));
            ev.height =
                static_cast<double>(corr.c2 > 10 ? ev.height * (corr.c2 - 90.0L)
                                                 : ev.height + static_cast<long double>(corr.c2));
        }
    }
}

DayEvents EventsOfDay(Scan scan, const TideContext& ctx, const PortRecord& port, double t,
                      CoefficientPair coefficients) {
    const DayCorrectionSet corr = CorrectionsFor(port, coefficients);
    DayEvents events{}; // every slot starts empty
    std::size_t n = 0;
    ScanDay(scan, ctx, port, t, [&](double e) {
        events[n].time = e;
        events[n].height = StandardHeightAt(ctx, port, std::fabs(e));
        if (n < 3) ++n; // a fifth extreme overwrites the fourth slot
    });
    if (!IsSecondaryPort(port)) return events;
    CorrectSecondary(events, corr);
    return events;
}

// The same search on the full harmonic sum of the standard port.
DayEvents FullEventsOfDay(const TideContext& ctx, const PortRecord& port,
                          const HarmonicConstants& constants, double t,
                          CoefficientPair coefficients) {
    const double d0 = DayStart(t);
    const FullHarmonicDay day(ctx, constants, d0);
    DayEvents events{};
    std::size_t n = 0;
    ScanHours(
        d0, [&](double x) { return day.rate(x); }, [&](double x) { return day.curvature(x); },
        [&](double e) {
            events[n].time = e;
            events[n].height = FullHeightAt(ctx, constants, std::fabs(e));
            if (n < 3) ++n;
        });
    if (IsSecondaryPort(port)) CorrectSecondary(events, CorrectionsFor(port, coefficients));
    return events;
}

} // namespace

double FindExtreme(const TideContext& ctx, const PortRecord& port, double tolerance, double upper,
                   double lower) {
    const auto rate = [&](double x) { return HeightRate(ctx, port, x); };
    const auto curvature = [&](double x) { return HeightCurvature(ctx, port, x); };
    return Bisect(rate, curvature, tolerance, upper, lower, rate(upper), rate(lower));
}

DayEvents DayTideEvents(const TideContext& ctx, const PortRecord& port, double t) {
    return EventsOfDay(Scan::Fast, ctx, port, t, DayCoefficients(ctx, t));
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const PortRecord& port,
                        double t) {
    return EventsOfDay(Scan::Fast, ctx, port, t, memo.coefficients(ctx, t));
}

DayEvents DayTideEvents(const TideContext& ctx, const TideSource& source, double t) {
    CoefficientMemo memo;
    return DayTideEvents(memo, ctx, source, t);
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const TideSource& source,
                        double t) {
    if (!source.harmonics) return DayTideEvents(memo, ctx, source.port, t);
    return FullEventsOfDay(ctx, source.port, *source.harmonics, t, memo.coefficients(ctx, t));
}

DayEvents DayTideEventsLiteral(const TideContext& ctx, const PortRecord& port, double t) {
    return EventsOfDay(Scan::Literal, ctx, port, t, DayCoefficientsLiteral(ctx, t));
}

PortRecord CoefficientReferencePort() {
    PortRecord ref;
    ref.name = "Coefficients";
    ref.amplitude[kM2] = 672;
    ref.phase[kM2] = 142;
    ref.amplitude[kN2] = 130;
    ref.phase[kN2] = 123;
    ref.amplitude[kS2] = 235;
    ref.phase[kS2] = 182;
    // The same ratios as the ports' derived constituents; the reference port has no diurnal,
    // long-period or shallow-water constituents.
    DeriveConstituents(ref);
    return ref;
}

CoefficientPair DayCoefficients(const TideContext& ctx, double t) {
    return CoefficientsOfDay(Scan::Fast, ctx, t);
}

CoefficientPair DayCoefficientsLiteral(const TideContext& ctx, double t) {
    return CoefficientsOfDay(Scan::Literal, ctx, t);
}

CoefficientPair CoefficientMemo::coefficients(const TideContext& ctx, double t) {
    const double dayStart = DayStart(t);
    const long double shift = !ctx.timeReference().isPortLocal() ? ctx.shiftDays() : 0.0L;
    for (const auto& entry : entries_)
        if (entry.used && entry.dayStart == dayStart && entry.shift == shift) return entry.value;
    const CoefficientPair pair = DayCoefficients(ctx, t);
    auto& slot = entries_[next_];
    next_ = (next_ + 1) % entries_.size();
    slot = {dayStart, shift, pair, true};
    return pair;
}

} // namespace ondrel

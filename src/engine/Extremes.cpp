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
// A day of the legal clock may last 23 or 25 hours (hours); the last step of a day that does not
// last whole hours is shorter.
template <typename Rate, typename Curvature, typename Found>
void ScanHours(double d0, const Rate& rate, const Curvature& curvature, Found found,
               long double hours = 24) {
    double previousEnd = 0;
    double previousEndRate = 0;
    bool havePrevious = false;
    for (int j = 0; j < hours; ++j) {
        const double a = static_cast<double>(d0 + j / 24.0L);
        const double b =
            j + 1 > hours ? static_cast<double>(d0 + hours / 24) : static_cast<double>(a + kHour);
        const double rateA = havePrevious && previousEnd == a ? previousEndRate : rate(a);
        const double rateB = rate(b);
        previousEnd = b;
        previousEndRate = rateB;
        havePrevious = true;
        if (static_cast<long double>(rateA) * rateB >= 0) continue;
        found(Bisect(rate, curvature, kExtremeTolerance, b, a, rateB, rateA));
    }
}

// The scan of the day that starts at d0 and lasts `hours` hours (24 but on the days the legal
// clock changes).
template <typename Found>
void ScanDay(Scan scan, const TideContext& ctx, const PortRecord& port, double d0,
             long double hours, Found found) {
    if (scan == Scan::Fast) {
        const DayRate rate(ctx, port, d0, static_cast<double>(d0 + kHour) - d0);
        ScanHours(
            d0, rate, [&](double x) { return rate.curvature(x); }, found, hours);
    } else {
        ScanHours(
            d0, [&](double x) { return HeightRate(ctx, port, x); },
            [&](double x) { return HeightCurvature(ctx, port, x); }, found, hours);
    }
}

CoefficientPair CoefficientsOfDay(Scan scan, const TideContext& ctx, double d0,
                                  long double hours = 24) {
    static const PortRecord reference = CoefficientReferencePort();
    CoefficientPair pair;
    bool haveMorning = false;
    ScanDay(scan, ctx, reference, d0, hours, [&](double e) {
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

DayEvents EventsOfDay(Scan scan, const TideContext& ctx, const PortRecord& port, double d0,
                      CoefficientPair coefficients, long double hours = 24) {
    const DayCorrectionSet corr = CorrectionsFor(port, coefficients);
    DayEvents events{}; // every slot starts empty
    std::size_t n = 0;
    ScanDay(scan, ctx, port, d0, hours, [&](double e) {
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
                          const HarmonicConstants& constants, double d0,
                          CoefficientPair coefficients, long double hours = 24) {
    const FullHarmonicDay day(ctx, constants, d0);
    DayEvents events{};
    std::size_t n = 0;
    ScanHours(
        d0, [&](double x) { return day.rate(x); }, [&](double x) { return day.curvature(x); },
        [&](double e) {
            events[n].time = e;
            events[n].height = FullHeightAt(ctx, constants, std::fabs(e));
            if (n < 3) ++n;
        },
        hours);
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
    if (ctx.followsLegalTime()) {
        CoefficientMemo memo;
        return DayTideEventsOnClock(memo, ctx, TideSource(port), t).events;
    }
    return EventsOfDay(Scan::Fast, ctx, port, DayStart(t), DayCoefficients(ctx, t));
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const PortRecord& port,
                        double t) {
    if (ctx.followsLegalTime()) return DayTideEventsOnClock(memo, ctx, TideSource(port), t).events;
    return EventsOfDay(Scan::Fast, ctx, port, DayStart(t), memo.coefficients(ctx, t));
}

DayEvents DayTideEvents(const TideContext& ctx, const TideSource& source, double t) {
    CoefficientMemo memo;
    return DayTideEvents(memo, ctx, source, t);
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const TideSource& source,
                        double t) {
    if (ctx.followsLegalTime()) return DayTideEventsOnClock(memo, ctx, source, t).events;
    if (!source.harmonics) return DayTideEvents(memo, ctx, source.port, t);
    return FullEventsOfDay(ctx, source.port, *source.harmonics, DayStart(t),
                           memo.coefficients(ctx, t));
}

ClockDayEvents DayTideEventsOnClock(CoefficientMemo& memo, const TideContext& ctx,
                                    const TideSource& source, double t) {
    ClockDayEvents out;
    if (!ctx.followsLegalTime()) {
        out.events = DayTideEvents(memo, ctx, source, t);
        out.offsetHours.fill(static_cast<double>(ctx.offsetHours()));
        return out;
    }
    const LegalTimeZone& zone = *ctx.legalZone();
    const LegalDay day = LegalDayOf(zone, t);
    const TideContext frame = ctx.inFrame(day.frameOffset);
    const CoefficientPair coefficients = memo.coefficients(ctx, t);
    out.events = source.harmonics ? FullEventsOfDay(frame, source.port, *source.harmonics,
                                                    day.frameStart, coefficients, day.hours())
                                  : EventsOfDay(Scan::Fast, frame, source.port, day.frameStart,
                                                coefficients, day.hours());
    for (std::size_t i = 0; i < out.events.size(); ++i) {
        TideEvent& e = out.events[i];
        out.offsetHours[i] = day.frameOffset;
        if (e.empty()) continue;
        const double instant = e.instant();
        const double clock = ClockOfFrameTime(zone, day.frameOffset, instant);
        if (clock == instant) continue;
        out.offsetHours[i] = zone.offsetHoursAt(
            static_cast<double>(instant - static_cast<long double>(day.frameOffset) / 24));
        e.time = e.isHighWater() ? clock : -clock;
    }
    return out;
}

DayEvents DayTideEventsLiteral(const TideContext& ctx, const PortRecord& port, double t) {
    return EventsOfDay(Scan::Literal, ctx, port, DayStart(t), DayCoefficientsLiteral(ctx, t));
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
    if (ctx.followsLegalTime()) {
        const LegalDay day = LegalDayOf(*ctx.legalZone(), t);
        return CoefficientsOfDay(Scan::Fast, ctx.inFrame(day.frameOffset), day.frameStart,
                                 day.hours());
    }
    return CoefficientsOfDay(Scan::Fast, ctx, DayStart(t));
}

CoefficientPair DayCoefficientsLiteral(const TideContext& ctx, double t) {
    return CoefficientsOfDay(Scan::Literal, ctx, DayStart(t));
}

CoefficientPair CoefficientMemo::coefficients(const TideContext& ctx, double t) {
    double dayStart = DayStart(t);
    long double shift = !ctx.timeReference().isPortLocal() ? ctx.shiftDays() : 0.0L;
    long double hours = 24;
    TideContext frame = ctx;
    if (ctx.followsLegalTime()) {
        // A legal day is kept as the span of its frame: another zone's day differs in these.
        const LegalDay day = LegalDayOf(*ctx.legalZone(), t);
        frame = ctx.inFrame(day.frameOffset);
        dayStart = day.frameStart;
        shift = frame.shiftDays();
        hours = day.hours();
    }
    for (const auto& entry : entries_)
        if (entry.used && entry.dayStart == dayStart && entry.shift == shift &&
            entry.hours == hours)
            return entry.value;
    const CoefficientPair pair = CoefficientsOfDay(Scan::Fast, frame, dayStart, hours);
    auto& slot = entries_[next_];
    next_ = (next_ + 1) % entries_.size();
    slot = {dayStart, shift, hours, pair, true};
    return pair;
}

} // namespace ondrel

#include "engine/Extremes.h"

#include "engine/Harmonic.h"
#include "engine/Julian.h"
#include "engine/Secondary.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

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

// Moves and scales an event of a secondary port by its day's corrections.
TideEvent Corrected(TideEvent ev, const DayCorrectionSet& corr) {
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
    return ev;
}

// The standard port's turning points of the day that starts at d0 and lasts `hours` hours, in
// the source's model.
DayEvents StandardEventsOfDay(Scan scan, const TideContext& ctx, const TideSource& source,
                              double d0, long double hours = 24) {
    const double end = static_cast<double>(d0 + hours / 24);
    if (source.harmonics) {
        DayEvents all = FullTurningPoints(ctx, *source.harmonics, d0 - 0.75, end + 0.75);
        std::erase_if(all,
                      [&](const TideEvent& e) { return e.instant() < d0 || e.instant() >= end; });
        return all;
    }
    DayEvents events;
    ScanDay(scan, ctx, source.port, d0, hours, [&](double e) {
        events.push_back({e, StandardHeightAt(ctx, source.port, std::fabs(e))});
    });
    return events;
}

// The events of the day [d0, d0 + hours), a secondary port's from its standard port's days
// before, of and after it, each corrected with its own day's corrections (coefficients of
// t - 1, t and t + 1), then kept when they fall in the day.
std::vector<CorrectedEvent> EventsOfDay(Scan scan, CoefficientMemo& memo, const TideContext& ctx,
                                        const TideContext& frame, const TideSource& source,
                                        double t, double d0, long double hours = 24) {
    std::vector<CorrectedEvent> out;
    if (!IsSecondaryPort(source.port)) {
        for (const TideEvent& e : StandardEventsOfDay(scan, frame, source, d0, hours))
            out.push_back({e, {}});
        return out;
    }
    const double end = static_cast<double>(d0 + hours / 24);
    for (int k = -1; k <= 1; ++k) {
        const DayCorrectionSet corr = CorrectionsFor(source.port, memo.coefficients(ctx, t + k));
        const double start = k < 0 ? d0 - 1.0 : k == 0 ? d0 : end;
        for (const TideEvent& raw :
             StandardEventsOfDay(scan, frame, source, start, k == 0 ? hours : 24)) {
            const TideEvent e = Corrected(raw, corr);
            if (e.instant() >= d0 && e.instant() < end) out.push_back({e, corr});
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const CorrectedEvent& a, const CorrectedEvent& b) {
        return a.event.instant() < b.event.instant();
    });
    return out;
}

DayEvents EventsOnly(const std::vector<CorrectedEvent>& corrected) {
    DayEvents events;
    events.reserve(corrected.size());
    for (const CorrectedEvent& c : corrected)
        events.push_back(c.event);
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
    CoefficientMemo memo;
    return DayTideEvents(memo, ctx, TideSource(port), t);
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const PortRecord& port,
                        double t) {
    return DayTideEvents(memo, ctx, TideSource(port), t);
}

DayEvents DayTideEvents(const TideContext& ctx, const TideSource& source, double t) {
    CoefficientMemo memo;
    return DayTideEvents(memo, ctx, source, t);
}

DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const TideSource& source,
                        double t) {
    return EventsOnly(CorrectedDayEvents(memo, ctx, source, t));
}

namespace {

// The day's events as the clock of the context reads them, with the offset from UT of that clock
// at each: with the legal time, the day is scanned in the frame of the offset in force at its
// start, and each event then read in the offset in force at its instant.
std::vector<CorrectedEvent> ClockEvents(CoefficientMemo& memo, const TideContext& ctx,
                                        const TideSource& source, double t,
                                        std::vector<double>& offsets) {
    if (!ctx.followsLegalTime()) {
        std::vector<CorrectedEvent> events =
            EventsOfDay(Scan::Fast, memo, ctx, ctx, source, t, DayStart(t));
        offsets.assign(events.size(), static_cast<double>(ctx.offsetHours()));
        return events;
    }
    const LegalTimeZone& zone = *ctx.legalZone();
    const LegalDay day = LegalDayOf(zone, t);
    std::vector<CorrectedEvent> events =
        EventsOfDay(Scan::Fast, memo, ctx, ctx.inFrame(day.frameOffset), source, t, day.frameStart,
                    day.hours());
    offsets.assign(events.size(), day.frameOffset);
    for (std::size_t i = 0; i < events.size(); ++i) {
        TideEvent& e = events[i].event;
        const double instant = e.instant();
        const double clock = ClockOfFrameTime(zone, day.frameOffset, instant);
        if (clock == instant) continue;
        offsets[i] = zone.offsetHoursAt(
            static_cast<double>(instant - static_cast<long double>(day.frameOffset) / 24));
        e.time = e.isHighWater() ? clock : -clock;
    }
    return events;
}

} // namespace

std::vector<CorrectedEvent> CorrectedDayEvents(CoefficientMemo& memo, const TideContext& ctx,
                                               const TideSource& source, double t) {
    std::vector<double> offsets;
    return ClockEvents(memo, ctx, source, t, offsets);
}

ClockDayEvents DayTideEventsOnClock(CoefficientMemo& memo, const TideContext& ctx,
                                    const TideSource& source, double t) {
    ClockDayEvents out;
    out.events = EventsOnly(ClockEvents(memo, ctx, source, t, out.offsetHours));
    return out;
}

DayEvents DayTideEventsLiteral(const TideContext& ctx, const PortRecord& port, double t) {
    CoefficientMemo memo;
    return EventsOnly(EventsOfDay(Scan::Literal, memo, ctx, ctx, TideSource(port), t, DayStart(t)));
}

DayEvents FullTurningPoints(const TideContext& ctx, const HarmonicConstants& constants, double from,
                            double to) {
    constexpr double kSecond = 1.0 / 86400;
    constexpr double kLeastTide = 0.01; // metres
    const FullHarmonicRate sum(ctx, constants, from,
                               static_cast<double>((static_cast<long double>(from) + to) / 2));
    const auto rate = [&](double x) { return sum.rate(x); };
    const auto curvature = [&](double x) { return sum.curvature(x); };
    const double step = sum.quarterPeriod();
    const long long steps = static_cast<long long>(std::ceil((to - from) / step));
    DayEvents points;
    double a = from;
    double rateA = rate(a);
    for (long long j = 1; j <= steps; ++j) {
        const double b = j == steps ? to : from + j * step;
        const double rateB = rate(b);
        if (static_cast<long double>(rateA) * rateB < 0) {
            const double e = Bisect(rate, curvature, kSecond, b, a, rateB, rateA);
            points.push_back({e, FullHeightAt(ctx, constants, std::fabs(e))});
        }
        a = b;
        rateA = rateB;
    }
    // What is no tide, as national services judge it: a turning point that rises or falls less
    // than a centimetre to a neighbour, and (but at a double-tide port, whose double waters are
    // tides) one that follows or precedes another of its kind by less than 1 / 3.7 of the main
    // period. The least prominent goes first, one at a time, until none is left; the ends of the
    // span stay, as their neighbours are not known.
    const double closest =
        IsDoubleTide(constants) ? 0 : std::numbers::pi / (1.85 * sum.dominantSpeed());
    for (;;) {
        std::size_t worst = 0;
        double least = std::numeric_limits<double>::infinity();
        for (std::size_t i = 1; i + 1 < points.size(); ++i) {
            const TideEvent& p = points[i - 1];
            const TideEvent& e = points[i];
            const TideEvent& n = points[i + 1];
            const double prominence =
                std::min(std::fabs(e.height - p.height), std::fabs(n.height - e.height));
            const bool tooClose =
                (e.isHighWater() == p.isHighWater() && e.instant() - p.instant() < closest) ||
                (e.isHighWater() == n.isHighWater() && n.instant() - e.instant() < closest);
            if ((prominence < kLeastTide || tooClose) && prominence < least) {
                least = prominence;
                worst = i;
            }
        }
        if (worst == 0) break;
        points.erase(points.begin() + static_cast<std::ptrdiff_t>(worst));
    }
    return points;
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

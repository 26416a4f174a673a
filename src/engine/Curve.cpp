#include "engine/Curve.h"

#include "engine/Julian.h"
#include "engine/VectorState.h"

#include <cmath>

namespace ondrel {

namespace {

// height(t): the height at t; prepare(t) fills the secondary-port cache for the day of t.
template <typename Height>
std::vector<CurvePoint> DaySamples(const Height& height, double curveStart, double curveEnd,
                                   long double unitFactor) {
    std::vector<CurvePoint> points;
    points.reserve(
        static_cast<std::size_t>(std::max(0.0L, (curveEnd - curveStart) / kDayCurveStep)) + 2);
    CleanVectorState(); // the samples' sums run at full speed whatever ran before
    for (double t = curveStart; t < curveEnd; t = static_cast<double>(t + kDayCurveStep)) {
        const double y = static_cast<double>(height(t) * unitFactor);
        points.push_back({static_cast<double>(t - static_cast<long double>(kDateTimeOrigin)), y});
    }
    return points;
}

template <typename Height, typename Prepare>
std::vector<CurvePoint> SpanSamples(const Height& height, const Prepare& prepare, bool secondary,
                                    double selectedDay, int spanDays, long double unitFactor,
                                    const std::function<void(int)>& progress) {
    std::vector<CurvePoint> points;
    points.reserve(static_cast<std::size_t>(spanDays / kSpanCurveStep) + 2);
    double t = selectedDay;
    CleanVectorState(); // the samples' sums run at full speed whatever ran before
    while (static_cast<long double>(selectedDay) + spanDays > t) {
        if (progress) {
            progress(static_cast<int>(
                std::trunc((t - static_cast<long double>(selectedDay)) / spanDays * 100)));
            CleanVectorState(); // whatever the progress report ran
        }
        const long double sinceNoon = static_cast<long double>(t) - 0.5L;
        if (secondary && sinceNoon - std::trunc(sinceNoon) < 0.02L) prepare(t);
        const double y = static_cast<double>(height(t) * unitFactor);
        // The step is taken on the date-time value.
        const double dateTime = static_cast<double>(t - static_cast<long double>(kDateTimeOrigin));
        points.push_back({dateTime, y});
        t = static_cast<double>(
            static_cast<double>(dateTime + static_cast<long double>(kDateTimeOrigin)) +
            kSpanCurveStep);
    }
    return points;
}

} // namespace

std::vector<CurvePoint> DayCurve(const TideContext& ctx, const SecondaryDayCache& cache,
                                 const PortRecord& port, double curveStart, double curveEnd,
                                 long double unitFactor) {
    return DaySamples([&](double t) { return HeightAt(ctx, cache, port, t); }, curveStart, curveEnd,
                      unitFactor);
}

std::vector<CurvePoint> SpanCurve(const TideContext& ctx, SecondaryDayCache& cache,
                                  const PortRecord& port, double selectedDay, int spanDays,
                                  long double unitFactor,
                                  const std::function<void(int)>& progress) {
    return SpanSamples([&](double t) { return HeightAt(ctx, cache, port, t); },
                       [&](double t) { cache.prepare(ctx, port, t); }, IsSecondaryPort(port),
                       selectedDay, spanDays, unitFactor, progress);
}

std::vector<CurvePoint> DayCurve(const TideContext& ctx, const SecondaryDayCache& cache,
                                 const TideSource& source, double curveStart, double curveEnd,
                                 long double unitFactor) {
    return DaySamples([&](double t) { return HeightAt(ctx, cache, source, t); }, curveStart,
                      curveEnd, unitFactor);
}

std::vector<CurvePoint> SpanCurve(const TideContext& ctx, SecondaryDayCache& cache,
                                  const TideSource& source, double selectedDay, int spanDays,
                                  long double unitFactor,
                                  const std::function<void(int)>& progress) {
    return SpanSamples([&](double t) { return HeightAt(ctx, cache, source, t); },
                       [&](double t) { cache.prepare(ctx, source, t); },
                       IsSecondaryPort(source.port), selectedDay, spanDays, unitFactor, progress);
}

CurveFrame CurveFrameOf(const TideContext& ctx, double clockStart, double clockEnd) {
    if (!ctx.followsLegalTime()) return {ctx, clockStart, clockEnd, 0};
    const LegalTimeZone& zone = *ctx.legalZone();
    const ClockInstant start = UtOfClock(zone, clockStart);
    const ClockInstant end = UtOfClock(zone, clockEnd);
    const double offset = start.offsetHours;
    const auto inFrame = [offset](const ClockInstant& at, double clock) {
        return !at.skipped && at.offsetHours == offset
                   ? clock
                   : static_cast<double>(at.ut + static_cast<long double>(offset) / 24);
    };
    return {ctx.inFrame(offset), inFrame(start, clockStart), inFrame(end, clockEnd), offset};
}

} // namespace ondrel

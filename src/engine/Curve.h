// Samples of the water-height curve, as the curve window and ondrel-cli draw them.
#pragma once

#include "engine/PortRecord.h"
#include "engine/Secondary.h"
#include "engine/TideContext.h"

#include <functional>
#include <vector>

namespace ondrel {

struct CurvePoint {
    double x; // date-time value: Julian date - 2415018.5
    double y; // height in the display unit
};

inline constexpr long double kDayCurveStep = 0.003472L; // 4 min 59.98 s
inline constexpr long double kSpanCurveStep = 0.01736L; // 24 min 59.9 s

// The day curve from curveStart (inclusive) to curveEnd (exclusive). The secondary-port cache
// must already hold the day of curveStart.
std::vector<CurvePoint> DayCurve(const TideContext& ctx, const SecondaryDayCache& cache,
                                 const PortRecord& port, double curveStart, double curveEnd,
                                 long double unitFactor);

// The curve of spanDays days from selectedDay; a secondary port's cache is prepared again just
// after each midnight. progress receives 0..99 before each point.
std::vector<CurvePoint> SpanCurve(const TideContext& ctx, SecondaryDayCache& cache,
                                  const PortRecord& port, double selectedDay, int spanDays,
                                  long double unitFactor,
                                  const std::function<void(int)>& progress = {});

// The same two with the model the source names.
std::vector<CurvePoint> DayCurve(const TideContext& ctx, const SecondaryDayCache& cache,
                                 const TideSource& source, double curveStart, double curveEnd,
                                 long double unitFactor);
std::vector<CurvePoint> SpanCurve(const TideContext& ctx, SecondaryDayCache& cache,
                                  const TideSource& source, double selectedDay, int spanDays,
                                  long double unitFactor,
                                  const std::function<void(int)>& progress = {});

// Where a curve from the instant clockStart to clockEnd of the context's clock is computed. For
// a fixed reference, the context itself and the two instants. For the legal time, the fixed frame
// of the offset in force at clockStart and the two instants counted in it: the samples then run
// over the hours that really pass (a whole day of 23 or 25 hours on the days the clocks change),
// and x reads on the legal clock through ClockOfFrameTime(zone, frameOffset, x + kDateTimeOrigin).
struct CurveFrame {
    TideContext context;
    double start = 0;
    double end = 0;
    double frameOffset = 0; // hours ahead of UT of the frame (legal time only)
};
CurveFrame CurveFrameOf(const TideContext& ctx, double clockStart, double clockEnd);

} // namespace ondrel

#include "texts/TideNow.h"

#include "engine/Extremes.h"
#include "engine/Julian.h"
#include "engine/LegalTime.h"
#include "engine/TidePosition.h"
#include "texts/DateTimeJulian.h"

namespace ondrel {

TideNow TidePositionAt(const TideContext& ctx, const TideSource& source, const QDateTime& clock,
                       double day) {
    if (!ctx.followsLegalTime()) {
        const QDateTime local = clock.toLocalTime();
        const QDate date = local.date();
        const double now = JulianDay(date.year(), date.month(), date.day()) +
                           local.time().msecsSinceStartOfDay() / 86400000.0;
        return {now, TidePositionDays(
                         [&](int days) { return DayTideEvents(ctx, source, day + days); }, now)};
    }
    // The port's legal day of the instant, its events and the instant in that day's frame.
    const LegalTimeZone& zone = *ctx.legalZone();
    const double ut = JulianDayOf(clock.toUTC());
    const LegalDay legal = LegalDayOf(zone, ut + zone.offsetHoursAt(ut) / 24);
    const TideContext frame = ctx.inFrame(legal.frameOffset);
    const double now = static_cast<double>(ut + static_cast<long double>(legal.frameOffset) / 24);
    return {
        now,
        TidePositionDays(
            [&](int days) { return DayTideEvents(frame, source, legal.frameStart + days); }, now)};
}

} // namespace ondrel

// Where a port stands in its tide cycle at an instant, in whole hours relative to high water: the
// picture of the notification icon.
#pragma once

#include "engine/Extremes.h"

#include <functional>
#include <optional>
#include <string>

namespace ondrel {

// The events of the selected day (0), of the day before (-1) or of the day after (+1).
using DayEventsOf = std::function<DayEvents(int daysFromSelected)>;

// Whole hours after the last high water while the tide falls towards low water (0 to 5, 6 just
// before low water), and whole hours before the next high water, negative, from low water on
// (-6 when it is six hours or more away). Trunc cuts toward zero, so 30 minutes before high
// water already gives 0. The events of the neighbouring days are asked for only when `now` lies
// outside the selected day's events. Nothing when the selected day has no event (no port).
std::optional<int> TidePositionIndex(const DayEventsOf& events, double now);
// The same position in days, before truncation: positive after the last high water, negative
// before the next one.
std::optional<double> TidePositionDays(const DayEventsOf& events, double now);
// Whole hours of a position in days, cut toward zero.
int TidePositionHours(double days);

// "PM-5" ... "PM-1", "PM", "PM+1" ... "PM+5", "BM" for -6, "ERROR" for anything else.
std::string TideIconName(std::optional<int> index);

} // namespace ondrel

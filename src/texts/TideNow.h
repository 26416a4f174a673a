// Where the tide stands at the present instant, as the notification icon and `ondrel-cli now`
// show it.
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/TideContext.h"

#include <QDateTime>

#include <optional>

namespace ondrel {

struct TideNow {
    double now = 0;                 // the instant, a Julian date of the day's frame
    std::optional<double> position; // TidePosition.h, in days
};

// The position at the instant `clock`. In a fixed time reference the machine's clock is read as
// that reference's time, among the events of `day` (a Julian date: the day shown, which a program
// left running past midnight keeps) and its neighbours; with the
// port's legal time the instant is placed in the port's legal day as its clocks read it, whatever
// the machine's zone.
TideNow TidePositionAt(const TideContext& ctx, const TideSource& source, const QDateTime& clock,
                       double day);

} // namespace ondrel

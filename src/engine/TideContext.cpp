#include "TideContext.h"

namespace ondrel {

long double ReferenceOffsetHours(int timeReference, double portTimeZone) {
    if (timeReference == 0) return portTimeZone;
    if (timeReference == 1) return 1;
    if (timeReference == 2) return 2;
    return timeReference - 100;
}

// Zero for the port's own time (its offset is its zone).
long double TideContext::shiftDays() const {
    return (static_cast<long double>(currentTimeZone_) - offsetHours()) / 24;
}

} // namespace ondrel

#include "TideContext.h"

namespace ondrel {

long double TideContext::shiftDays() const {
    if (timeReference_ == 0) return 0;
    long double r;
    if (timeReference_ == 1)
        r = 1;
    else if (timeReference_ == 2)
        r = 2;
    else
        r = timeReference_ - 100;
    return (static_cast<long double>(currentTimeZone_) - r) / 24;
}

} // namespace ondrel

#include "TideContext.h"

namespace ondrel {

long double TideContext::offsetHours() const {
    return timeReference_.isPortLocal() ? static_cast<long double>(currentTimeZone_)
                                        : static_cast<long double>(timeReference_.hoursAheadOfUt());
}

long double TideContext::shiftDays() const {
    if (timeReference_.isPortLocal()) return 0;
    return (static_cast<long double>(currentTimeZone_) - offsetHours()) / 24;
}

} // namespace ondrel

#include "engine/TideContext.h"

namespace ondrel {

TideContext TideContext::inFrame(double offsetHours) const {
    TideContext frame = *this;
    frame.framed_ = true;
    frame.frameOffset_ = offsetHours;
    return frame;
}

long double TideContext::offsetHours() const {
    if (framed_) return static_cast<long double>(frameOffset_);
    return timeReference_.isPortLocal() || timeReference_.isPortLegal()
               ? static_cast<long double>(currentTimeZone_)
               : static_cast<long double>(timeReference_.hoursAheadOfUt());
}

long double TideContext::shiftDays() const {
    if (timeReference_.isPortLocal() && !framed_) return 0;
    return (static_cast<long double>(currentTimeZone_) - offsetHours()) / 24;
}

} // namespace ondrel

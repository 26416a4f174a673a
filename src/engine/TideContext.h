// The settings that place an instant: the time reference chosen by the user and the time zone of
// the application's current port. A small value, made from those two wherever they are owned.
#pragma once

#include "TimeReference.h"

namespace ondrel {

struct CoefficientPair {
    int morning = 0;
    int evening = 0;
    friend bool operator==(const CoefficientPair&, const CoefficientPair&) = default;
};

class TideContext {
public:
    TideContext() = default;
    TideContext(TimeReference timeReference, double currentTimeZone)
        : timeReference_(timeReference), currentTimeZone_(currentTimeZone) {}

    TimeReference timeReference() const { return timeReference_; }
    // TimeZone of the application's current port (not of whatever record a call receives).
    double currentTimeZone() const { return currentTimeZone_; }

    // Hours from UT to the chosen time reference, with the current port's zone for 0.
    long double offsetHours() const;
    // Days to add to an instant so that it is read as the port's own standard time.
    long double shiftDays() const;

private:
    TimeReference timeReference_;
    double currentTimeZone_ = 0;
};

} // namespace ondrel

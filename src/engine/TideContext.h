// The settings that place an instant: the time reference chosen by the user and the time zone of
// the application's current port (with, for the legal time, the port's legal zone). A small
// value, made from those wherever they are owned.
#pragma once

#include "engine/LegalTime.h"
#include "engine/TimeReference.h"

#include <memory>

namespace ondrel {

struct CoefficientPair {
    int morning = 0;
    int evening = 0;
    friend bool operator==(const CoefficientPair&, const CoefficientPair&) = default;
};

class TideContext {
public:
    TideContext() = default;
    TideContext(TimeReference timeReference, double currentTimeZone,
                std::shared_ptr<const LegalTimeZone> legalZone = {})
        : timeReference_(timeReference), currentTimeZone_(currentTimeZone),
          legalZone_(std::move(legalZone)) {}

    TimeReference timeReference() const { return timeReference_; }
    // TimeZone of the application's current port (not of whatever record a call receives).
    double currentTimeZone() const { return currentTimeZone_; }

    // The port's legal zone, when the context has one (null otherwise).
    const LegalTimeZone* legalZone() const { return legalZone_.get(); }
    const std::shared_ptr<const LegalTimeZone>& sharedLegalZone() const { return legalZone_; }
    // The times follow the port's legal clock: the legal time is chosen and the port has a zone.
    // Without a zone the legal time falls back to the port's standard time (reference 0).
    bool followsLegalTime() const { return timeReference_.isPortLegal() && legalZone_ && !framed_; }
    // The same context counted in a fixed frame offsetHours ahead of UT: the frame of one day of
    // the legal clock, in which the engine computes that day.
    TideContext inFrame(double offsetHours) const;

    // Hours from UT to the chosen time reference: the current port's zone for 0 and for the legal
    // time (outside a frame), the frame's offset in a frame.
    long double offsetHours() const;
    // Days to add to an instant so that it is read as the port's own standard time.
    long double shiftDays() const;

private:
    TimeReference timeReference_;
    double currentTimeZone_ = 0;
    std::shared_ptr<const LegalTimeZone> legalZone_;
    bool framed_ = false;
    double frameOffset_ = 0;
};

} // namespace ondrel

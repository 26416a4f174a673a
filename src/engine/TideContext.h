// The settings that place an instant: the time reference chosen by the user and the time zone of
// the application's current port. The caller owns it; the engine only reads it (apart from the
// coefficient memo, which never changes a result).
#pragma once

#include <array>

namespace ondrel {

struct CoefficientPair {
    int morning = 0;
    int evening = 0;
    friend bool operator==(const CoefficientPair&, const CoefficientPair&) = default;
};

// Hours to add to a UT time to read it in a time reference: the port's own zone for 0, 1 for
// UT+1, 2 for UT+2, ref - 100 for every other code.
long double ReferenceOffsetHours(int timeReference, double portTimeZone);

class TideContext {
public:
    TideContext() = default;
    TideContext(int timeReference, double currentTimeZone)
        : timeReference_(timeReference), currentTimeZone_(currentTimeZone) {}

    // heure_service: 0 local time of the port, 1 UT+1, 2 UT+2, 100+n UT+n.
    int timeReference() const { return timeReference_; }
    void setTimeReference(int ref) { timeReference_ = ref; }
    // TimeZone of the application's current port (not of whatever record a call receives).
    double currentTimeZone() const { return currentTimeZone_; }
    void setCurrentTimeZone(double tz) { currentTimeZone_ = tz; }

    // Hours from UT to the chosen time reference, with the current port's zone for 0.
    long double offsetHours() const {
        return ReferenceOffsetHours(timeReference_, currentTimeZone_);
    }
    // Days to add to an instant so that it is read as the port's own standard time.
    long double shiftDays() const;

    // Memo of the last days' coefficients: they depend only on the day and on shiftDays().
    struct CoefficientMemo {
        struct Entry {
            double dayStart = 0;
            long double shift = 0;
            CoefficientPair value;
            bool used = false;
        };
        std::array<Entry, 8> entries{};
        unsigned next = 0;
    };
    CoefficientMemo& coefficientMemo() const { return memo_; }

private:
    int timeReference_ = 0;
    double currentTimeZone_ = 0;
    mutable CoefficientMemo memo_;
};

} // namespace ondrel

// High and low waters of a day, and the tide coefficients.
#pragma once

#include "FullHarmonic.h"
#include "PortRecord.h"
#include "TideContext.h"

#include <array>

namespace ondrel {

// Time of an empty event slot.
inline constexpr double kEmptySlot = 100000000.0;

// One high or low water: the sign of the time is the kind (positive high water, negative low
// water), its magnitude the instant; the height is in metres above chart datum.
struct TideEvent {
    double time = kEmptySlot;
    double height = 0;

    bool empty() const { return time == kEmptySlot; }
    bool isHighWater() const { return time >= 0; }
    double instant() const { return time < 0 ? -time : time; }
};

// The four slots of a day, in the order found (slot n of the documentation is index n - 1).
using DayEvents = std::array<TideEvent, 4>;

// Signed instant of the extreme inside [lower, upper], refined by bisection on the sign of the
// rate until the bracket is no wider than tolerance (days).
double FindExtreme(const TideContext& ctx, const PortRecord& port, double tolerance, double upper,
                   double lower);

class CoefficientMemo;

// High and low waters of the day that contains t, corrected for a secondary port.
DayEvents DayTideEvents(const TideContext& ctx, const PortRecord& port, double t);
// The same, taking the day's coefficients (for the secondary corrections) from a memo.
DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const PortRecord& port,
                        double t);
// The same with the model the source names: with the full model, the high and low waters of the
// standard port's harmonic constants, corrected as above for a secondary port (the coefficients,
// and so the corrections, are the table model's in both).
DayEvents DayTideEvents(const TideContext& ctx, const TideSource& source, double t);
DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const TideSource& source,
                        double t);

// A day's events as the clock of the context reads them, with the offset from UT of that clock at
// each (the context's fixed offset, but with the legal time: there each event is read in the
// offset in force at its instant, and the day is the legal clock's, of 23 or 25 hours on the days
// the clocks change). DayTideEvents gives the same events.
struct ClockDayEvents {
    DayEvents events;
    std::array<double, 4> offsetHours{};
};
ClockDayEvents DayTideEventsOnClock(CoefficientMemo& memo, const TideContext& ctx,
                                    const TideSource& source, double t);

// Morning and evening coefficients of the day that contains t (the same for every port).
CoefficientPair DayCoefficients(const TideContext& ctx, double t);

// The same two, with the whole harmonic sum evaluated at every instant of the hourly scan and of
// the bisections. The functions above turn the angles of the day's start instead and give the
// same instants, heights and coefficients; these are kept as their reference.
DayEvents DayTideEventsLiteral(const TideContext& ctx, const PortRecord& port, double t);
CoefficientPair DayCoefficientsLiteral(const TideContext& ctx, double t);

// The last days' coefficients. They depend only on the day and on where its midnight falls
// (time reference and zone, TideContext::shiftDays), never on the port; the memo is keyed on
// both, so one memo may serve any context.
class CoefficientMemo {
public:
    // DayCoefficients(ctx, t), computed once per day and midnight shift.
    CoefficientPair coefficients(const TideContext& ctx, double t);

private:
    struct Entry {
        double dayStart = 0;
        long double shift = 0;
        long double hours = 24;
        CoefficientPair value;
        bool used = false;
    };
    std::array<Entry, 8> entries_{};
    unsigned next_ = 0;
};

// The fixed reference port from which coefficients are computed.
PortRecord CoefficientReferencePort();

} // namespace ondrel

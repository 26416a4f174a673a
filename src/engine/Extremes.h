// High and low waters of a day, and the tide coefficients.
#pragma once

#include "engine/FullHarmonic.h"
#include "engine/PortRecord.h"
#include "engine/TideContext.h"

#include <array>
#include <vector>

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

// The high and low waters of a day, in time order, however many the day holds. A filtered day
// (TableFilter.h) keeps the place of each event it removes as an empty one.
using DayEvents = std::vector<TideEvent>;

// Signed instant of the extreme inside [lower, upper], refined by bisection on the sign of the
// rate until the bracket is no wider than tolerance (days).
double FindExtreme(const TideContext& ctx, const PortRecord& port, double tolerance, double upper,
                   double lower);

class CoefficientMemo;

// High and low waters of the day that contains t: every turning point of the hourly scan, in
// time order. For a secondary port, the standard port's events of the day and of its two
// neighbours, each corrected with its own day's corrections, that fall in the day.
DayEvents DayTideEvents(const TideContext& ctx, const PortRecord& port, double t);
// The same, taking the day's coefficients (for the secondary corrections) from a memo.
DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const PortRecord& port,
                        double t);
// The same with the model the source names: with the full model, the turning points of the
// standard port's harmonic constants (FullTurningPoints), corrected as above for a secondary port
// (the coefficients, and so the corrections, are the table model's in both).
DayEvents DayTideEvents(const TideContext& ctx, const TideSource& source, double t);
DayEvents DayTideEvents(CoefficientMemo& memo, const TideContext& ctx, const TideSource& source,
                        double t);

// A day's events as the clock of the context reads them, with the offset from UT of that clock at
// each (the context's fixed offset, but with the legal time: there each event is read in the
// offset in force at its instant, and the day is the legal clock's, of 23 or 25 hours on the days
// the clocks change). DayTideEvents gives the same events.
struct ClockDayEvents {
    DayEvents events;
    std::vector<double> offsetHours; // one per event
};
ClockDayEvents DayTideEventsOnClock(CoefficientMemo& memo, const TideContext& ctx,
                                    const TideSource& source, double t);

// A secondary port's corrections valid for one day: c0 LW time, c1 HW time (hours), c2 LW height,
// c3 HW height (Secondary.h).
struct DayCorrectionSet {
    double c0 = 0;
    double c1 = 0;
    double c2 = 0;
    double c3 = 0;
};

// A secondary port's event with the corrections that moved it (those of the standard port's day it
// was found in); a standard port's events carry no correction.
struct CorrectedEvent {
    TideEvent event;
    DayCorrectionSet corrections;
};
std::vector<CorrectedEvent> CorrectedDayEvents(CoefficientMemo& memo, const TideContext& ctx,
                                               const TideSource& source, double t);

// The turning points of the full harmonic sum between from and to (Julian dates of the context),
// in time order: the rate's roots, searched in steps of a quarter period of the fastest
// constituent (an hour at most) and refined to a second. A turning point less than 1 cm above or
// below a neighbour is no tide, nor (but at a double-tide port) one too close to another of its
// kind; the least prominent goes first. Heights above chart datum.
DayEvents FullTurningPoints(const TideContext& ctx, const HarmonicConstants& constants, double from,
                            double to);

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

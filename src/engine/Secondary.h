// Secondary ports: their high and low waters are those of their standard port moved and scaled by
// corrections interpolated between neaps (coefficient 45) and springs (coefficient 95).
#pragma once

#include "Extremes.h"
#include "PortRecord.h"
#include "TideContext.h"

namespace ondrel {

// Corrections valid for one day: c0 LW time, c1 HW time (hours), c2 LW height, c3 HW height.
struct DayCorrectionSet {
    double c0 = 0;
    double c1 = 0;
    double c2 = 0;
    double c3 = 0;
};

bool IsSecondaryPort(const PortRecord& port);
// Value at x of the line through (xA, yA) and (xB, yB); 0 when xA == xB.
double InterpolateLinear(double x, double yA, double yB, double xA, double xB);
DayCorrectionSet DayCorrections(const TideContext& ctx, const PortRecord& port, double t);
// The corrections of a day whose coefficients are known.
DayCorrectionSet CorrectionsFor(const PortRecord& port, CoefficientPair coefficients);
// The same, taking the day's coefficients from a memo.
DayCorrectionSet DayCorrections(CoefficientMemo& memo, const TideContext& ctx,
                                const PortRecord& port, double t);

// The events and corrections of three consecutive days of one port, from which the height of a
// secondary port at any instant is derived. One instance is owned by the application.
class SecondaryDayCache {
public:
    // Fills the cache for the day of t and its two neighbours.
    void prepare(const TideContext& ctx, const PortRecord& port, double t);
    // The same with the model the source names; the heights below then follow that model until
    // the next prepare.
    void prepare(const TideContext& ctx, const TideSource& source, double t);

    // Secondary-port instant corresponding to the standard-port instant x.
    double secondaryTimeOf(double x) const;
    // Standard height at t with the height correction interpolated between the bracketing events.
    double correctedStandardHeight(const TideContext& ctx, const PortRecord& port, double t) const;
    // Height in metres at the secondary-port instant x.
    double secondaryHeightAt(const TideContext& ctx, const PortRecord& port, double x) const;

    const DayEvents& events() const { return day_; }
    const DayEvents& nextEvents() const { return next_; }
    const DayCorrectionSet& corrections() const { return dayCorr_; }

private:
    struct Bracket {
        double xA = 0, xB = 0;
        // Correction sets and which kind (true: high water) apply at xA and xB.
        const DayCorrectionSet* atA = nullptr;
        const DayCorrectionSet* atB = nullptr;
        bool highA = false, highB = false;
    };
    Bracket bracket(double x) const;

    // The cache starts with zeros, as if no day had been prepared.
    static constexpr DayEvents kZeroDay{{{0, 0}, {0, 0}, {0, 0}, {0, 0}}};
    DayEvents day_ = kZeroDay, previous_ = kZeroDay, next_ = kZeroDay;
    DayCorrectionSet dayCorr_{}, previousCorr_{}, nextCorr_{};
    CoefficientMemo coefficientMemo_;
    std::shared_ptr<const HarmonicConstants> harmonics_; // the full model's, when prepared so
};

// Height of any port at t: the secondary-port height when the port is secondary.
double HeightAt(const TideContext& ctx, const SecondaryDayCache& cache, const PortRecord& port,
                double t);
// The same with the model the source names (for a secondary port, the model of the cache's last
// prepare).
double HeightAt(const TideContext& ctx, const SecondaryDayCache& cache, const TideSource& source,
                double t);
// A standard port's height at t in the source's model.
double StandardHeightAt(const TideContext& ctx, const TideSource& source, double t);

} // namespace ondrel

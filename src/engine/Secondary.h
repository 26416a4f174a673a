// Secondary ports: their high and low waters are those of their standard port moved and scaled by
// corrections interpolated between neaps (coefficient 45) and springs (coefficient 95).
#pragma once

#include "engine/Extremes.h"
#include "engine/PortRecord.h"
#include "engine/TideContext.h"

namespace ondrel {

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

    // The prepared day's events, and the next day's.
    DayEvents events() const;
    DayEvents nextEvents() const;
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
    void fill(const TideContext& ctx, const TideSource& source, double t);

    // The events of the day before, the day and the day after, in time order, each with the
    // corrections that moved it; the prepared day's are [dayBegin_, dayEnd_).
    std::vector<CorrectedEvent> events_;
    std::size_t dayBegin_ = 0, dayEnd_ = 0;
    DayCorrectionSet dayCorr_{};
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

// Full-harmonic prediction: the water height of a standard port from every constituent of its
// published harmonic constants, with the nodal corrections of each instant. The other model, the
// table's 21 constituents of a PortRecord (Harmonic.h), stays the program's default; a
// computation receives a TideSource, which says which model gives its heights and times.
#pragma once

#include "engine/Constituents.h"
#include "engine/PortRecord.h"
#include "engine/TideContext.h"

#include <memory>
#include <vector>

namespace ondrel {

enum class PredictionModel {
    Table, // the 21 constituents of the port table's row
    Full,  // every constituent of the port's harmonic constants
};

struct HarmonicTerm {
    ConstituentDefinition constituent;
    double amplitude = 0; // metres
    double phase = 0;     // Greenwich phase lag, degrees, referred to UT
};

// The harmonic constants of one standard port.
struct HarmonicConstants {
    // Metres to add to the harmonic sum (which oscillates about mean sea level) to give heights
    // above the port table's chart datum.
    double datumOffset = 0;
    std::vector<HarmonicTerm> terms;
};

// What gives a port's heights and times: its table row and, for the full model, the harmonic
// constants of its standard port (a secondary port's corrections still come from its row).
struct TideSource {
    explicit TideSource(const PortRecord& record,
                        std::shared_ptr<const HarmonicConstants> constants = {})
        : port(record), harmonics(std::move(constants)) {}
    const PortRecord& port;
    std::shared_ptr<const HarmonicConstants> harmonics; // null: the table model

    PredictionModel model() const {
        return harmonics ? PredictionModel::Full : PredictionModel::Table;
    }
};

// Height in metres above chart datum at the instant t (a Julian date in the context's time
// reference), without secondary corrections, with the arguments and nodal corrections of t.
double FullHeightAt(const TideContext& ctx, const HarmonicConstants& constants, double t);

// Whether a port's tide is a double one by Doodson's criterion, (M4 + MS4) / M2 > 0.25: its
// double high or low waters (the agger) come close together and are both tides.
bool IsDoubleTide(const HarmonicConstants& constants);

// The rate and curvature of the harmonic sum over a span of a few days, with the nodal
// corrections of one instant (the span's middle): proportional to the first and second
// derivatives of the height, for the search of turning points (only their signs are used).
class FullHarmonicRate {
public:
    FullHarmonicRate(const TideContext& ctx, const HarmonicConstants& constants, double start,
                     double nodalAt);
    double rate(double t) const { return sum(t, false); }
    double curvature(double t) const { return sum(t, true); }
    // Days of a quarter period of the fastest constituent: a step that holds at most one root of
    // the rate.
    double quarterPeriod() const;
    // Radians per day of the largest constituent of period 1 to 30 hours (the fastest, when
    // none is).
    double dominantSpeed() const;

private:
    double sum(double t, bool curvature) const;

    double start_;
    std::vector<double> amplitude_; // f A
    std::vector<double> speed_;     // radians per day
    std::vector<double> angle_;     // V + u - g at the start, radians
};

} // namespace ondrel

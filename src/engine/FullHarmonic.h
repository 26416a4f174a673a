// Full-harmonic prediction: the water height of a standard port from every constituent of its
// published harmonic constants, with the nodal corrections of each instant. The other model, the
// table's 21 constituents of a PortRecord (Harmonic.h), stays the program's default; a
// computation receives a TideSource, which says which model gives its heights and times.
#pragma once

#include "Constituents.h"
#include "PortRecord.h"
#include "TideContext.h"

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

// The harmonic sum of one day with the nodal corrections of its middle, for the day's search of
// high and low waters: rate and curvature are proportional to the first and second derivatives
// of the height (only their signs are used).
//
// As the table model's DayRate does, the angles of the day's start are turned by tabled steps
// (whole hours of the scan, then 128ths of an hour: the bisections' instants) and a second-order
// correction for what remains of the instant, so that no trigonometry runs at each instant. Where
// the turned sum lies too close to zero for its sign to be certain, or the instant is not near a
// 128th of an hour after the day's start, the sum is evaluated directly.
class FullHarmonicDay {
public:
    enum class Evaluation { Turned, Direct };
    FullHarmonicDay(const TideContext& ctx, const HarmonicConstants& constants, double dayStart,
                    Evaluation evaluation = Evaluation::Turned);
    double rate(double t) const;
    double curvature(double t) const;

private:
    static constexpr int kSubdivisions = 128;
    static constexpr int kSteps = 24;
    struct Tables; // the turns of whole and partial hours, shared by the days of one port

    double directSum(double t, bool curvature) const;
    double turnedSum(double t, bool curvature, bool* certain) const;

    double start_;
    Evaluation evaluation_;
    std::vector<double> amplitude_; // f A
    std::vector<double> speed_;     // radians per day
    std::vector<double> angle_;     // V + u - g at the day's start, radians
    std::shared_ptr<const Tables> tables_;
    std::vector<double> cos_, sin_; // of the angles at start + n hours, n = 0..24, row by row
    double margin_ = 0, margin2_ = 0;
};

} // namespace ondrel

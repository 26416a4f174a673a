#include "engine/Harmonic.h"

#include "ReferenceSynthesis.h"
#include "TestPorts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ondrel {
namespace {

using testing::LiteralHeight;
using testing::Semidiurnal;

TEST(Constituents, SpeedsAreTheDerivativesOfTheArguments) {
    const double expected[22] = {0,
                                 0.041068639166666664,
                                 15.041068639166667,
                                 13.943035578333333,
                                 13.398660884583334,
                                 14.958931360833333,
                                 13.940829165,
                                 15.0432750525,
                                 28.9841042175,
                                 28.43972952375,
                                 30,
                                 27.89535483,
                                 27.968208435,
                                 28.51258312875,
                                 29.52847891125,
                                 30.082137278333335,
                                 29.958933322041666,
                                 28.981897804166667,
                                 30.084343691666668,
                                 57.42383374125,
                                 57.968208435,
                                 58.9841042175};
    const TideContext ctx;
    for (int k = 1; k <= 21; ++k) {
        EXPECT_NEAR(ConstituentSpeed(k), expected[k], 1e-12) << k;
        // The argument advances by the speed over one hour (away from the day boundary, where
        // the time of day restarts).
        const double t = 2460000.5 + 0.3;
        const double dv =
            ConstituentArgument(ctx, k, t + 1.0 / 24) - ConstituentArgument(ctx, k, t);
        EXPECT_NEAR(dv, expected[k], 1e-6) << k;
    }
}

TEST(Constituents, OutOfRangeIndexGives1000) {
    const TideContext ctx;
    for (int k : {0, 22, -1}) {
        EXPECT_EQ(ConstituentArgument(ctx, k, 2451545.0), 1000);
        EXPECT_EQ(ConstituentSpeed(k), 1000);
    }
}

TEST(Constituents, DerivedAmplitudesAndPhases) {
    const PortRecord p = Semidiurnal();
    EXPECT_LT(p.amplitude[kP1], 0);
    EXPECT_LT(p.amplitude[kL2], 0);
    EXPECT_LT(p.amplitude[kM2Satellite], 0);
    EXPECT_NEAR(p.amplitude[kP1], -p.amplitude[kK1] / 3, 1e-12);
    EXPECT_NEAR(p.amplitude[kNu2], p.amplitude[kN2] * 10 / 53, 1e-12);
    EXPECT_NEAR(p.amplitude[kK2], p.amplitude[kS2] * 10 / 37, 1e-12);
    EXPECT_EQ(p.phase[kK2Satellite], p.phase[kS2]);
    EXPECT_EQ(p.phase[kO1Satellite], p.phase[kO1]);
    EXPECT_EQ(p.phase[kL2], p.phase[kM2]);
}

TEST(StandardHeight, SingleConstituentIsACosine) {
    PortRecord p;
    p.amplitude[kM2] = 1500;
    p.phase[kM2] = 37;
    const TideContext ctx;
    for (double t : {2444239.5, 2451545.123, 2460650.9, 2430000.25}) {
        const double v = ConstituentArgument(ctx, kM2, t);
        EXPECT_NEAR(StandardHeightAt(ctx, p, t), 1.5 * std::cos((v - 37) * M_PI / 180), 1e-9);
        EXPECT_NEAR(ConstituentTerm(ctx, kM2, p, t), 1500 * std::cos((v - 37) * M_PI / 180), 1e-6);
    }
}

TEST(StandardHeight, MatchesALiteralEvaluationBeforeAndAfterTheEpoch) {
    const PortRecord p = Semidiurnal();
    const TideContext ctx;
    for (double t = 2415020.5; t < 2480000; t += 997.37) {
        EXPECT_NEAR(StandardHeightAt(ctx, p, t), static_cast<double>(LiteralHeight(p, t)), 1e-11)
            << t;
    }
}

TEST(StandardHeight, TimeReferenceShiftsTheInstant) {
    PortRecord p = Semidiurnal();
    p.timeZone = 1;
    const double t = 2461381.5 + 0.37;
    const double local = StandardHeightAt(TideContext(TimeReference(0), 1), p, t);
    struct Case {
        int ref;
        double currentZone;
        double hoursLater; // how much later in the port's own time the instant is read
    };
    const Case cases[] = {
        {0, 5, 0},   // local time: the zone is not used at all
        {100, 1, 1}, // UT: a UT+1 port reads the instant one hour later
        {1, 1, 0},   // UT+1 for a UT+1 port
        {2, 1, -1},  // UT+2
        {101, 1, 0}, // UT + 1 written as 100 + n
        {95, -3.5, 1.5},
    };
    for (const Case& c : cases) {
        const double h = StandardHeightAt(TideContext(TimeReference(c.ref), c.currentZone), p, t);
        const double expected =
            StandardHeightAt(TideContext(TimeReference(0), 0), p, t + c.hoursLater / 24);
        // t + hours / 24 is rounded to a double (about 40 us here), hence the tolerance.
        EXPECT_NEAR(h, expected, 1e-7) << "ref " << c.ref;
    }
    EXPECT_NEAR(local, StandardHeightAt(TideContext(TimeReference(0), 0), p, t), 0);
}

TEST(StandardHeight, UsesTheCurrentPortZoneNotTheRecordZone) {
    PortRecord p = Semidiurnal();
    p.timeZone = 9; // ignored: the context carries the current port's zone
    const double t = 2461381.8;
    EXPECT_DOUBLE_EQ(StandardHeightAt(TideContext(TimeReference(100), 0), p, t),
                     StandardHeightAt(TideContext(TimeReference(0), 0), p, t));
}

TEST(HeightRate, HasTheSignOfTheSlope) {
    const PortRecord p = Semidiurnal();
    const TideContext ctx;
    for (double t = 2461000.5; t < 2461003.5; t += 0.0317) {
        const double slope =
            StandardHeightAt(ctx, p, t + 1e-5) - StandardHeightAt(ctx, p, t - 1e-5);
        const double rate = HeightRate(ctx, p, t);
        if (std::fabs(slope) > 1e-6) {
            EXPECT_EQ(slope > 0, rate > 0) << t;
        }
    }
}

} // namespace
} // namespace ondrel

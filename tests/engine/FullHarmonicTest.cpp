// The full-harmonic model against independent values: the constituent speeds of the IHO list of
// constituents, and heights and high and low waters that @neaps/tide-predictor 0.11 computes from
// the same constants (1750 to 2200).
#include "engine/FullHarmonic.h"
#include "engine/Constituents.h"
#include "engine/Extremes.h"
#include "engine/Julian.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace ondrel;

namespace {

TEST(Constituents, NamesGiveTheSpeedsOfTheIhoList) {
    struct Case {
        const char* name;
        double speed; // degrees per hour, as the IHO list gives it
    };
    const Case cases[] = {
        {"SA", 0.0410686},      {"MM", 0.5443747},     {"MSF", 1.0158958},
        {"MF", 1.0980330},      {"2Q1", 12.8542862},   {"SGM", 12.9271398},
        {"Q1", 13.3986609},     {"O1", 13.9430356},    {"M1", 14.4966939},
        {"P1", 14.9589314},     {"K1", 15.0410686},    {"J1", 15.5854433},
        {"OO1", 16.1391017},    {"2N2", 27.8953548},   {"mu2", 27.9682085},
        {"N2", 28.4397295},     {"nu2", 28.5125832},   {"M2", 28.9841042},
        {"MKS2", 29.0662415},   {"LAM2", 29.4556253},  {"L2", 29.5284789},
        {"T2", 29.9589333},     {"S2", 30.0},          {"R2", 30.0410667},
        {"K2", 30.0821373},     {"2SM2", 31.0158958},  {"2MS2K2", 27.8039339},
        {"M3", 43.4761564},     {"2MK3", 42.9271398},  {"MK3", 44.0251729},
        {"SO3", 43.9430356},    {"MN4", 57.4238338},   {"M4", 57.9682085},
        {"MS4", 58.9841042},    {"2MLS4", 57.4966874}, {"2MK5", 73.0092770},
        {"2MN6", 86.4079380},   {"M6", 86.9523127},    {"2MS6", 87.9682085},
        {"3MK7", 101.9933814},  {"M8", 115.9364170},   {"2(MN)8", 114.8476676},
        {"3MSK9", 131.9933814}, {"M10", 144.9205212},  {"4MSK11", 160.9774856},
        {"5MS12", 174.9205212},
    };
    for (const Case& c : cases) {
        const auto d = DefineConstituent(c.name);
        ASSERT_TRUE(d) << c.name;
        EXPECT_NEAR(d->speed(), c.speed, 2e-6) << c.name;
    }
    for (const char* unreadable : {"", "X2", "SA_KV", "M", "MXS4", "2M", "(MS"})
        EXPECT_FALSE(DefineConstituent(unreadable)) << unreadable;
}

// Brest-like constants with long-period, diurnal, semidiurnal, shallow-water and compound terms.
HarmonicConstants Constants() {
    const struct {
        const char* name;
        double amplitude, phase;
    } terms[] = {
        {"M2", 2.051, 108.9},   {"S2", 0.749, 148.2},  {"N2", 0.417, 90.6},  {"K2", 0.214, 145.8},
        {"K1", 0.064, 75.0},    {"O1", 0.066, 327.9},  {"Q1", 0.020, 281.3}, {"P1", 0.023, 63.6},
        {"M4", 0.054, 105.7},   {"MS4", 0.033, 181.6}, {"MN4", 0.019, 60.3}, {"M6", 0.031, 354.6},
        {"2MK3", 0.01, 20},     {"MF", 0.010, 177.5},  {"SA", 0.049, 245.1}, {"L2", 0.064, 102.9},
        {"MU2", 0.086, 104.9},  {"NU2", 0.078, 86.5},  {"2N2", 0.057, 72.7}, {"M3", 0.02, 15.8},
        {"J1", 0.005, 124},     {"OO1", 0.003, 212},   {"M1", 0.005, 300},   {"MKS2", 0.008, 174.8},
        {"2SM2", 0.017, 311.9},
    };
    HarmonicConstants c;
    c.datumOffset = 4.205;
    for (const auto& t : terms)
        c.terms.push_back({*DefineConstituent(t.name), t.amplitude, t.phase});
    return c;
}

struct Reference {
    int year, month, day, hour, minute; // UT
    double height;                      // m, at that instant
    // The first high or low water after it.
    int eventHour, eventMinute, eventSecond; // UT, of the same day or the next one (hour + 24)
    double eventHeight;
    bool high;
};

// @neaps/tide-predictor 0.11.0's timeline and extremes for Constants().
const Reference kReferences[] = {
    {1750, 6, 1, 0, 0, 6.1546, 0, 49, 53, 6.3539, true},
    {1900, 1, 1, 6, 0, 5.0100, 9, 53, 5, 1.5212, false},
    {1987, 9, 23, 3, 0, 6.3973, 4, 1, 25, 6.7724, true},
    {2026, 3, 10, 12, 0, 3.4427, 14, 6, 39, 2.8208, false},
    {2100, 7, 15, 18, 0, 3.2837, 22, 15, 6, 5.9290, true},
    {2199, 12, 31, 23, 0, 2.4148, 27, 46, 31, 6.6986, true},
};

TEST(FullHarmonic, HeightsAndEventsAgreeWithAnIndependentPredictor) {
    const HarmonicConstants constants = Constants();
    const auto shared = std::make_shared<const HarmonicConstants>(constants);
    const PortRecord port; // a standard port: no corrections
    const TideContext ut(TimeReference(100), 0);
    for (const Reference& r : kReferences) {
        SCOPED_TRACE(r.year);
        const double t = JulianDayOf(r.year, r.month, r.day, r.hour, r.minute, 0);
        EXPECT_NEAR(FullHeightAt(ut, constants, t), r.height, 0.002);

        const double expected = JulianDay(r.year, r.month, r.day) +
                                (r.eventHour * 3600 + r.eventMinute * 60 + r.eventSecond) / 86400.0;
        const TideEvent* found = nullptr;
        DayEvents days[2];
        for (int d = 0; d < 2; ++d) {
            days[d] = DayTideEvents(ut, TideSource(port, shared), t + d);
            for (const TideEvent& e : days[d])
                if (!found && !e.empty() && e.instant() > t) found = &e;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->isHighWater(), r.high);
        EXPECT_NEAR(found->instant(), expected, 1.0 / 1440); // one minute
        EXPECT_NEAR(found->height, r.eventHeight, 0.003);
    }
}

// A secondary port's full-model events are its standard port's, moved and scaled by the table's
// corrections as in the table model.
TEST(FullHarmonic, SecondaryPortsCorrectTheStandardPortsFullEvents) {
    const auto constants = std::make_shared<const HarmonicConstants>(Constants());
    const TideContext ut(TimeReference(100), 0);
    PortRecord standard;
    PortRecord secondary;
    struct Case {
        double hwTime, lwTime, hwHeight, lwHeight;
    };
    for (const Case& c : {Case{0.5, -0.25, 91.1, 0.2}, Case{-1.5, 2.0, 0.3, 90.8}}) {
        secondary.corrections = {0,          c.hwTime,   c.hwTime,   c.lwTime,  c.lwTime,
                                 c.hwHeight, c.hwHeight, c.lwHeight, c.lwHeight};
        const double day = JulianDay(2026, 3, 10);
        const DayEvents base = DayTideEvents(ut, TideSource(standard, constants), day);
        const DayEvents moved = DayTideEvents(ut, TideSource(secondary, constants), day);
        for (std::size_t i = 0; i < base.size(); ++i) {
            ASSERT_FALSE(base[i].empty());
            const bool high = base[i].isHighWater();
            EXPECT_EQ(moved[i].isHighWater(), high);
            EXPECT_NEAR(moved[i].instant(), base[i].instant() + (high ? c.hwTime : c.lwTime) / 24,
                        1e-9);
            const double correction = high ? c.hwHeight : c.lwHeight;
            EXPECT_NEAR(moved[i].height,
                        correction > 10 ? base[i].height * (correction - 90)
                                        : base[i].height + correction,
                        1e-9);
        }
    }
}

} // namespace

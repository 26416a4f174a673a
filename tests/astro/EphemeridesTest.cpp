#include "astro/Ephemerides.h"
#include "astro/EphemerisTexts.h"
#include "engine/Julian.h"
#include "engine/TideContext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace ondrel::astro {
namespace {

// Reference values from PyEphem 4.1 (tools/astro-check/astro-check.py --day, and the same
// Observer at the poles): the upper limb 34' below the horizon, without pressure; the first rise
// and the first set after the port's local mean midnight; azimuths of the centre.
constexpr double kNone = -1; // no such event
constexpr double kAny = -2;  // azimuth not compared (at a pole every direction is south or north)

TEST(SunriseSunset, AgreesWithPyEphem) {
    const struct {
        const char* where;
        double latitude, longitudeWest;
        int year, month, day;
        SunDay kind;
        double rise, riseAzimuth, set, setAzimuth; // UT hours of the date, degrees
    } cases[] = {
        {"Brest, midsummer", 48 + 23 / 60.0, 4.5, 2026, 6, 21, SunDay::RisesAndSets, 4.277406,
         52.0335, 20.383181, 307.9651},
        {"Brest, 1950", 48 + 23 / 60.0, 4.5, 1950, 1, 1, SunDay::RisesAndSets, 8.160972, 124.9628,
         16.557934, 235.0848},
        // East of Greenwich the day starts on UT's day before.
        {"Hobart", -(42 + 53 / 60.0), -(147 + 20 / 60.0), 2026, 3, 17, SunDay::RisesAndSets,
         20.151120, 92.8122, 8.472605, 267.4655},
        {"Suva, west of the date line", -(18 + 8 / 60.0), -(178 + 26 / 60.0), 2026, 7, 4,
         SunDay::RisesAndSets, 18.643273, 66.1125, 5.711888, 293.8454},
        {"Apia, east of the date line", -(13 + 49 / 60.0), 171.75, 2026, 7, 4, SunDay::RisesAndSets,
         17.859046, 66.6737, 5.192781, 293.2812},
        {"Resolute", 74 + 40 / 60.0, 94 + 53 / 60.0, 2026, 10, 2, SunDay::RisesAndSets, 12.843539,
         101.0388, 23.407128, 258.3061},
        {"Resolute, 2090", 74 + 40 / 60.0, 94 + 53 / 60.0, 2090, 10, 1, SunDay::RisesAndSets,
         12.798506, 100.2918, 23.458120, 259.0489},
        {"Davis, a winter day", -(68 + 27 / 60.0), -(77 + 58 / 60.0), 2026, 5, 23,
         SunDay::RisesAndSets, 5.104032, 22.9894, 8.379481, 337.1811},
        // The sun sets near midnight, then rises again.
        {"Davis, a summer night", -(68 + 27 / 60.0), -(77 + 58 / 60.0), 2026, 11, 24,
         SunDay::RisesAndSets, 19.191423, 171.3661, 18.281248, 184.2130},
        // The upper limb shows for an hour and 13 minutes, and for 12 minutes at Rothera.
        {"Bodo, limb over the horizon", 67.3, -14.4, 2026, 12, 15, SunDay::RisesAndSets, 10.346990,
         171.5832, 11.566753, 188.3754},
        {"Rothera, a grazing day", -(67 + 34 / 60.0), 68 + 8 / 60.0, 2026, 6, 28,
         SunDay::RisesAndSets, 16.497132, 1.3885, 16.701687, 358.5695},
        // The limb stops 0.002 deg short of its rising altitude.
        {"Thule, a grazing night", 76, 68, 2026, 2, 8, SunDay::AlwaysDown, kNone, 0, kNone, 0},
        {"Tromso, midnight sun", 69.65, -18.95, 2026, 6, 21, SunDay::AlwaysUp, kNone, 0, kNone, 0},
        {"Tromso, the midnight sun begins", 69.65, -18.95, 2026, 5, 18, SunDay::RisesAndSets,
         22.877950, 2.8456, kNone, 0},
        {"Tromso, the midnight sun ends", 69.65, -18.95, 2026, 7, 25, SunDay::RisesAndSets, kNone,
         0, 22.607157, 356.6211},
        {"Ny-Alesund, polar night", 78 + 56 / 60.0, -(11 + 56 / 60.0), 2026, 12, 21,
         SunDay::AlwaysDown, kNone, 0, kNone, 0},
        {"North pole, sunrise", 90, 0, 2026, 3, 18, SunDay::RisesAndSets, 12.276625, kAny, kNone,
         0},
        {"North pole, June", 90, 0, 2026, 6, 21, SunDay::AlwaysUp, kNone, 0, kNone, 0},
        {"North pole, December", 90, 0, 2026, 12, 21, SunDay::AlwaysDown, kNone, 0, kNone, 0},
        {"South pole, sunset", -90, 0, 2026, 3, 22, SunDay::RisesAndSets, kNone, 0, 17.283884,
         kAny},
        {"South pole, June", -90, 0, 2026, 6, 21, SunDay::AlwaysDown, kNone, 0, kNone, 0},
        {"South pole, December", -90, 0, 2026, 12, 21, SunDay::AlwaysUp, kNone, 0, kNone, 0},
    };
    const auto expectEvent = [](const std::optional<SunEvent>& event, double ut, double azimuth,
                                double tolerance) {
        ASSERT_EQ(event.has_value(), ut != kNone);
        if (!event) return;
        EXPECT_NEAR(event->ut, ut, tolerance);
        if (azimuth != kAny) {
            EXPECT_NEAR(event->azimuth, azimuth, 0.05);
        }
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        // 6 s; at a pole the sun's altitude moves with its declination only, 1" in a minute.
        const double tolerance = std::fabs(c.latitude) == 90 ? 2.0 / 60 : 0.1 / 60;
        const SunEphemeris sun =
            SunriseSunset(c.longitudeWest, c.latitude, JulianDay(c.year, c.month, c.day));
        EXPECT_EQ(sun.day, c.kind);
        expectEvent(sun.sunrise, c.rise, c.riseAzimuth, tolerance);
        expectEvent(sun.sunset, c.set, c.setAzimuth, tolerance);
    }
}

// Ages from PyEphem's previous_new_moon; phases named on the age of the mean moon at the same
// phase, between PyEphem's new and full moons; lit fractions from its moon_phase.
TEST(MoonAt, AgePhaseAndLitFractionOfTheTrueMoon) {
    const struct {
        int year, month, day;
        double age;
        MoonPhase phase;
        double illuminated;
        bool waxing;
    } cases[] = {
        // The new moon of 17 February 2026, 12:01 UT.
        {2026, 2, 17, 29.172286, MoonPhase::New, 0.00291, false},
        {2026, 2, 18, 0.499252, MoonPhase::Increasing, 0.00295, true},
        // Full 14.0 days later, on 3 March at 11:38: at 0 h that day the moon is full at an age
        // of 13.5 days, and a day later decreasing at 14.5.
        {2026, 3, 3, 13.499252, MoonPhase::Full, 0.99736, true},
        {2026, 3, 4, 14.499252, MoonPhase::Decreasing, 0.99684, false},
        // Full 15.5 days after the new moon, on 26 October at 4:12.
        {2026, 10, 26, 15.340266, MoonPhase::Full, 0.99808, true},
        {1950, 1, 1, 12.211393, MoonPhase::Increasing, 0.88984, true},
        {2090, 12, 27, 5.938454, MoonPhase::Increasing, 0.32785, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day);
        const Moon moon = MoonAt(JulianDay(c.year, c.month, c.day));
        EXPECT_NEAR(moon.age, c.age, 3.0 / 1440);
        EXPECT_EQ(MoonPhaseOf(moon.phaseAge), c.phase);
        EXPECT_NEAR(moon.illuminated, c.illuminated, 0.005);
        EXPECT_EQ(moon.waxing, c.waxing);
    }
}

TEST(HoursToHM, TruncatesAndCarriesSecondsAboveThirty) {
    const struct {
        double hours;
        int h, m;
    } cases[] = {
        {7 + 59 / 60.0 + 45 / 3600.0, 8, 0},      {7 + 59 / 60.0 + 30 / 3600.0, 7, 59},
        {12 + 15 / 60.0 + 31.5 / 3600.0, 12, 16}, {-1.5, 22, 30},
        {23 + 59 / 60.0 + 50 / 3600.0, 24, 0},
    };
    for (const auto& c : cases) {
        const HoursMinutes hm = HoursToHM(c.hours);
        EXPECT_EQ(hm.hours, c.h) << c.hours;
        EXPECT_EQ(hm.minutes, c.m) << c.hours;
    }
}

TEST(EphemerisTexts, TimesAzimuthsMoonAndTimeReference) {
    SunEphemeris sun;
    sun.sunrise = SunEvent{6 + 59 / 60.0 + 45 / 3600.0, 52.9};
    sun.sunset = SunEvent{23.5, 307.1};
    const struct {
        double offset;
        int ref;
        Language language;
        Moon moon;
        const char *sunrise, *sunset, *moonAge, *phase, *reference;
    } cases[] = {
        // The hours of a time at or past 24 lose 24 hours: a clock never reads 24 h 30. The age is
        // the true one, the phase named on the mean moon's age at the same phase.
        {1,
         1,
         Language::French,
         {15.3, 14.6},
         "Lever     : 08 h 00",
         "Coucher : 00 h 30",
         "Age de la Lune : 15 jours",
         "Pleine Lune",
         "Heure d'hiver (UT +1)"},
        {2,
         2,
         Language::English,
         {3.9, 3.7},
         "Sunrise   : 09 h 00",
         "Sunset   : 01 h 30",
         "Moon's age  : 3 days",
         "Increasing moon",
         "summer time(UT +2)"},
        {0,
         100,
         Language::French,
         {13.6, 15.2},
         "Lever     : 07 h 00",
         "Coucher : 23 h 30",
         "Age de la Lune : 13 jours",
         "Lune décroissante",
         "UT + 0"},
        {-5,
         95,
         Language::English,
         {29.2, 28.7},
         "Sunrise   : 02 h 00",
         "Sunset   : 18 h 30",
         "Moon's age  : 29 days",
         "New moon",
         "UT + -5"},
    };
    for (const auto& c : cases) {
        const EphemerisTexts t =
            EphemerisTextsOf(sun, c.moon, c.offset, TimeReference(c.ref), c.language);
        EXPECT_EQ(t.sunrise, c.sunrise);
        EXPECT_EQ(t.sunset, c.sunset);
        const std::string azimuth = c.language == Language::English ? "Azimuth: " : "Azimut : ";
        EXPECT_EQ(t.sunriseAzimuth, azimuth + "52");
        EXPECT_EQ(t.sunsetAzimuth, azimuth + "307");
        EXPECT_EQ(t.moonAge, c.moonAge);
        EXPECT_EQ(t.moonPhase, std::optional<std::string>(c.phase));
        EXPECT_EQ(t.timeReference, c.reference);
    }
    EXPECT_EQ(TimeReferenceText(TimeReference(0), Language::French), "Heure locale");
    EXPECT_EQ(TimeReferenceText(TimeReference(0), Language::English), "local time");
}

TEST(EphemerisTexts, PolarDaysOneEventDaysAndPhaseBoundaries) {
    SunEphemeris sun;
    sun.day = SunDay::AlwaysUp;
    EphemerisTexts t = EphemerisTextsOf(sun, {15, 15}, 0, TimeReference(0), Language::French);
    EXPECT_EQ(t.sunrise, "Lever     : Soleil toujours levé");
    EXPECT_EQ(t.sunset, "Coucher : Soleil toujours levé");
    EXPECT_EQ(t.sunriseAzimuth, "");
    EXPECT_EQ(t.sunsetAzimuth, "");
    EXPECT_EQ(t.moonPhase, std::nullopt); // exactly 15 days: the previous text stays
    sun.day = SunDay::AlwaysDown;
    t = EphemerisTextsOf(sun, {28, 28}, 0, TimeReference(0), Language::English);
    EXPECT_EQ(t.sunrise, "Sunrise   : Sun always down");
    EXPECT_EQ(t.sunset, "Sunset   : Sun always down");
    EXPECT_EQ(t.moonPhase, std::nullopt);
    // The midnight sun begins: the sun rises and stays up.
    sun.day = SunDay::RisesAndSets;
    sun.sunrise = SunEvent{22.5, 3.2};
    t = EphemerisTextsOf(sun, {}, 1, TimeReference(0), Language::English);
    EXPECT_EQ(t.sunrise, "Sunrise   : 23 h 30");
    EXPECT_EQ(t.sunriseAzimuth, "Azimuth: 3");
    EXPECT_EQ(t.sunset, "Sunset   : Sun always up");
    EXPECT_EQ(t.sunsetAzimuth, "");
    EXPECT_EQ(MoonPhaseOf(14), std::nullopt);
    EXPECT_EQ(MoonPhaseOf(13.99), MoonPhase::Increasing);
}

TEST(TideContextOffsetHours, PortZoneForLocalTimeOtherwiseTheCode) {
    const struct {
        int ref;
        double zone, hours;
    } cases[] = {{0, -5, -5}, {1, -5, 1}, {2, 9, 2}, {100, 9, 0}, {103, 0, 3}, {97, 0, -3}};
    for (const auto& c : cases)
        EXPECT_EQ(TideContext(TimeReference(c.ref), c.zone).offsetHours(), c.hours) << c.ref;
}

} // namespace
} // namespace ondrel::astro

#include "engine/Julian.h"

#include <gtest/gtest.h>

namespace ondrel {
namespace {

TEST(JulianDay, KnownDates) {
    struct Case {
        int year, month;
        double day;
        double expected;
    };
    const Case cases[] = {
        {2000, 1, 1, 2451544.5},   {2000, 1, 1.5, 2451545.0},
        {1980, 1, 1, 2444239.5},   // the epoch of the astronomical arguments
        {1899, 12, 30, 2415018.5}, // origin of date-time values
        {1582, 10, 15, 2299170.5}, // still read in the Julian calendar
        {1582, 10, 16, 2299161.5}, // first day with the Gregorian correction
        {1582, 10, 4, 2299159.5},  {2024, 2, 29, 2460369.5},
        {-4712, 1, 1.5, 0.0}, // negative adjusted year: the - 0.75 form
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(JulianDay(c.year, c.month, c.day), c.expected)
            << c.year << "-" << c.month << "-" << c.day;
}

TEST(JulianDay, CalendarRoundTripOverManyYears) {
    for (int year : {-100, 1, 1582, 1600, 1900, 1999, 2000, 2026, 2100, 2400}) {
        for (int month = 1; month <= 12; ++month) {
            for (double day : {1.0, 15.25, 28.75}) {
                if (year == 1582 && month == 10 && day > 4 && day < 15) continue; // dropped days
                const CalendarDate back = CalendarOfJulianDay(JulianDay(year, month, day));
                EXPECT_EQ(back.year, year);
                EXPECT_EQ(back.month, month);
                EXPECT_NEAR(back.day, day, 1e-6) << year << "-" << month;
            }
        }
    }
}

TEST(JulianDay, CalendarKeepsTheFractionOfTheDay) {
    const CalendarDate d = CalendarOfJulianDay(2451544.75);
    EXPECT_EQ(d.year, 2000);
    EXPECT_EQ(d.month, 1);
    EXPECT_DOUBLE_EQ(d.day, 1.25);
}

TEST(JulianDay, DayOfYear) {
    EXPECT_EQ(DayOfYear(JulianDay(2024, 1, 1)), 1);
    EXPECT_EQ(DayOfYear(JulianDay(2024, 1, 1.9)), 1);
    EXPECT_EQ(DayOfYear(JulianDay(2024, 12, 31)), 366);
    EXPECT_EQ(DayOfYear(JulianDay(2023, 12, 31.5)), 365);
    EXPECT_EQ(DayOfYear(JulianDay(2023, 3, 1)), 60);
    EXPECT_EQ(DayOfYear(JulianDay(2024, 3, 1)), 61);
}

TEST(JulianDayOfText, ReadsTheFixedLayout) {
    EXPECT_DOUBLE_EQ(*JulianDayOfText("01 01 2000 12:00:00"), 2451545.0);
    EXPECT_DOUBLE_EQ(*JulianDayOfText("01 01 2000 00:00:00"), 2451544.5);
    EXPECT_NEAR(*JulianDayOfText("31 12 2026 18:30:36"),
                JulianDay(2026, 12, 31) + (18 + 30 / 60.0 + 36 / 3600.0) / 24, 1e-9);
    for (const char* bad : {"", "01 01 2000", "aa 01 2000 00:00:00", "01 01 20x0 00:00:00"})
        EXPECT_FALSE(JulianDayOfText(bad).has_value()) << bad;
}

TEST(DayStart, IsMidnightOfTheDayContainingTheInstant) {
    EXPECT_DOUBLE_EQ(DayStart(2451544.5), 2451544.5);
    EXPECT_DOUBLE_EQ(DayStart(2451545.49), 2451544.5);
    EXPECT_DOUBLE_EQ(DayStart(2451545.5), 2451545.5);
}

} // namespace
} // namespace ondrel

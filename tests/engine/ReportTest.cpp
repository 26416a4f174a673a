#include "engine/Report.h"

#include "engine/HoursText.h"
#include "engine/Julian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace ondrel {
namespace {

TEST(FormatHeight, WholeCommaHundredths) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {5.314, "05,31"},
        {-0.12, "-00,12"},
        {3.998, "04,00"},
        {-0.004, "-00,00"},
        {0, "00,00"},
        {12.345, "12,35"},
        {123.4, "123,40"},
        {-2.996, "-03,00"},
        {8.163, "08,16"},
        {0.999, "01,00"},
        {7.2, "07,20"},
        // Nothing that is no height is ever cast to an integer.
        {std::nan(""), "--,--"},
        {-double(INFINITY), "--,--"},
        {1e300, "--,--"},
        {-9.3e18, "--,--"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatHeight(c.value), c.text) << c.value;
}

TEST(FormatEventTime, TruncatesMinutesAndIgnoresTheSign) {
    const double day = JulianDay(2026, 12, 7);
    struct Case {
        double hours;
        const char* colon;
        const char* h;
    };
    const Case cases[] = {
        {6 + 42 / 60.0 + 59 / 3600.0, "06:42", "06h42"},
        {5 + 4 / 60.0 + 1 / 3600.0, "05:04", "05h04"},
        {0 + 0.5 / 60, "00:00", "00h00"},
        {23 + 59.9 / 60, "23:59", "23h59"},
    };
    for (const Case& c : cases) {
        const double t = day + c.hours / 24;
        EXPECT_EQ(FormatEventTime(t), c.colon);
        EXPECT_EQ(FormatEventTime(-t), c.colon); // a low water's time is negative
        EXPECT_EQ(FormatEventTimeH(-t), c.h);
    }
}

TEST(FormatEventTime, NoTimeForWhatIsNoInstant) {
    for (const double t : {std::nan(""), double(INFINITY), -double(INFINITY)}) {
        EXPECT_EQ(FormatEventTime(t), "--:--");
        EXPECT_EQ(FormatEventTimeH(t), "--h--");
    }
}

TEST(DayReportLines, OneLinePerEventInBothLanguagesAndUnits) {
    const double day = JulianDay(2026, 12, 7);
    const DayEvents events{{-(day + (1 + 5 / 60.0) / 24), 1.33},
                           {day + (6 + 42.5 / 60.0) / 24, 5.31},
                           {-(day + (13 + 20.5 / 60.0) / 24), -0.12},
                           {}}; // an event a filter removed writes no line
    const auto fr = DayReportLines(events, HeightUnit::Metres, Language::French);
    ASSERT_EQ(fr.size(), 3u);
    EXPECT_EQ(fr[0], "Basse mer à 01:05    hauteur : 01,33 mètres");
    EXPECT_EQ(fr[1], "Pleine mer à 06:42    hauteur : 05,31 mètres");
    EXPECT_EQ(fr[2], "Basse mer à 13:20    hauteur : -00,12 mètres");
    const auto en = DayReportLines(events, HeightUnit::Metres, Language::English);
    EXPECT_EQ(en[0], "Low water at  01:05    height : 01,33 meters");
    EXPECT_EQ(en[1], "High water at 06:42    height : 05,31 meters");
    const auto feet = DayReportLines(events, HeightUnit::Feet, Language::English);
    EXPECT_EQ(feet[1], "High water at 06:42    height : 17,42 feet");
    const DayEvents metreAndHalf{{day + 0.5, 1.5}};
    EXPECT_EQ(DayReportLines(metreAndHalf, HeightUnit::Feet, Language::French)[0],
              "Pleine mer à 12:00    hauteur : 04,92 pieds");
}

TEST(CoefficientLabels, BothLanguages) {
    EXPECT_EQ(MorningCoefficientLabel(95, Language::French), "matin : 95");
    EXPECT_EQ(EveningCoefficientLabel(102, Language::French), "soir : 102");
    EXPECT_EQ(MorningCoefficientLabel(45, Language::English), "morning : 45");
    EXPECT_EQ(EveningCoefficientLabel(44, Language::English), "evening : 44");
}

TEST(HoursText, RoundTripsEveryMinuteOfTheDay) {
    for (int m = 0; m <= 24 * 60; ++m) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d", m / 60, m % 60);
        const auto value = HmsToReal(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(RealToHms(*value).value_or(""), text);
    }
}

TEST(HoursText, ReadsWhatAnEditMaskLeaves) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"06:00", 0.25},
        {"24:00", 1.0},
        {" 6:30", 6.5 / 24},
        {"_6:30", 6.5 / 24},
        {"6:05", (6 + 5 / 60.0) / 24},
        {"ab:00", std::nullopt},
        {"12:__", std::nullopt},
        {"", std::nullopt},
        {"  :  ", std::nullopt},
        {"06:x0", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto value = HmsToReal(c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
        if (value) {
            EXPECT_NEAR(*value, *c.value, 1e-15) << c.text;
        }
    }
}

TEST(HoursText, RealToHmsRefusesWhatIsNoTime) {
    EXPECT_FALSE(RealToHms(std::nan("")));
    EXPECT_FALSE(RealToHms(-0.5));
    EXPECT_EQ(RealToHms(0.2569444444).value_or(""), "06:10");
}

TEST(HoursText, ValidTimesOfDay) {
    for (const char* good : {"00:00", "23:59", " 7:05", "12:30"})
        EXPECT_TRUE(IsValidTimeOfDay(good)) << good;
    for (const char* bad : {"24:00", "25:10", "12:60", "12:5_", "  :  ", "__:__"})
        EXPECT_FALSE(IsValidTimeOfDay(bad)) << bad;
}

} // namespace
} // namespace ondrel

// The interval search's rules: the masked fields read by position, and the 30-second search with
// its one-hour skip over a day of 23, 24 or 25 hours.
#include "rules/IntervalSearch.h"

#include <gtest/gtest.h>

#include <optional>

namespace ondrel::test {
namespace {

TEST(ReadMaskedHeight, ByPosition) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"10,50 m", 10.5},         {"10.50 f", 10.5},         {"00,00 m", 0.0},
        {"99,99 m", 99.99},        {"1 ,50 m", std::nullopt}, {"10,5  m", std::nullopt},
        {"  ,   m", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto v = ReadMaskedHeight(QString::fromLatin1(c.text));
        ASSERT_EQ(v.has_value(), c.expected.has_value()) << c.text;
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.expected) << c.text;
        }
    }
    EXPECT_EQ(ReadMaskedTime("00:00"), 0.0);
    EXPECT_DOUBLE_EQ(ReadMaskedTime("13:45").value(), 13.75 / 24);
    EXPECT_DOUBLE_EQ(ReadMaskedTime(" 9:30").value(), 9.5 / 24);
    EXPECT_FALSE(ReadMaskedTime("13: 5"));
    EXPECT_FALSE(ReadMaskedTime("25:00"));
}

TEST(SearchInterval, ThirtySecondStepsAndOneHourSkip) {
    // A height that rises 1 per hour: each target is met once, at the first 30 s sample within
    // 0.01 of it.
    const double day = 1000.5;
    const auto rising = [&](double t) { return (t - day) * 24; };
    const auto found = SearchInterval(rising, day, 6.0);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR((found[0] - day) * 24, 6.0, 0.01);
    EXPECT_TRUE(SearchInterval(rising, day, 25.0).empty());
    // A flat height equal to the target: one point per hour of the day.
    const auto flat = SearchInterval([](double) { return 2.0; }, day, 2.0);
    EXPECT_EQ(flat.size(), 24u);
    for (std::size_t i = 1; i < flat.size(); ++i)
        EXPECT_NEAR(flat[i] - flat[i - 1], 1.0 / 24, 1e-9);
}

TEST(SearchInterval, TheLegalDayOf23Or25HoursIsScannedWhole) {
    // A flat height equal to the target: one point per hour of the day, whatever its length.
    const double day = 1000.5;
    for (const int hours : {23, 24, 25}) {
        const auto flat = SearchInterval([](double) { return 2.0; }, day, 2.0, hours / 24.0);
        EXPECT_EQ(flat.size(), static_cast<std::size_t>(hours)) << hours;
        ASSERT_FALSE(flat.empty());
        EXPECT_LT(flat.back(), day + hours / 24.0);
    }
}

} // namespace
} // namespace ondrel::test

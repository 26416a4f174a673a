// The port window's rules: position texts, the world map's marker, the country filter.
#include "ports/PortSelectionRules.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ondrel::test {
namespace {

struct DegreesCase {
    const char* text;
    double degrees;
    int failures;
};
class DegreesTest : public ::testing::TestWithParam<DegreesCase> {};
TEST_P(DegreesTest, NorthAndWestArePositive) {
    int failures = 0;
    const double value =
        DegreesOfText(QString::fromLatin1(GetParam().text), [&](const QString&) { ++failures; });
    EXPECT_DOUBLE_EQ(value, GetParam().degrees) << GetParam().text;
    EXPECT_EQ(failures, GetParam().failures) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(
    Positions, DegreesTest,
    ::testing::Values(DegreesCase{"45 30 N", 45.5, 0}, DegreesCase{"12 30 S", -12.5, 0},
                      DegreesCase{"004 30 E", -4.5, 0}, DegreesCase{"  004 30 W", 4.5, 0},
                      DegreesCase{"", 0, 0}, DegreesCase{"4500N", 0, 2},
                      DegreesCase{"45 xx N", 45, 1}, DegreesCase{"1e300 30 N", 0.5, 1},
                      DegreesCase{"nan 30 S", -0.5, 1}, DegreesCase{"45 inf N", 45, 1}));

TEST(WorldMap, MarkerOfAnImpossiblePositionStaysInRange) {
    EXPECT_TRUE(MarkerRect(QPointF(std::nan(""), 3)).isNull());
    const QRect far = MarkerRect(MapPosition(1e300, -1e300));
    EXPECT_LE(std::abs(far.left()), 100003);
    EXPECT_LE(std::abs(far.top()), 100003);
}

TEST(WorldMap, MarkerFollowsTheLinearProjection) {
    const QPointF p = MapPosition(45.0, 0.0);
    EXPECT_NEAR(p.y(), 64.86, 0.005);
    EXPECT_NEAR(p.x(), 162.77, 0.005);
    const QRect marker = MarkerRect(p);
    EXPECT_EQ(marker.top(), 61);
    EXPECT_EQ(marker.bottom(), 67);
    // West is positive: a western port lies left of Greenwich.
    EXPECT_LT(MapPosition(48.4, 4.5).x(), p.x());
    // The map holds the ports of the whole inhabited world.
    for (const auto& [lat, lon] :
         {std::pair{71.0, 156.0}, std::pair{-55.0, 67.0}, std::pair{-43.0, -147.0}}) {
        const QPointF q = MapPosition(lat, lon);
        EXPECT_GE(q.x(), 0);
        EXPECT_LT(q.x(), 354);
        EXPECT_GE(q.y(), 0);
        EXPECT_LT(q.y(), 183);
    }
}

TEST(CountryFilter, ZonesAndCountries) {
    std::array<bool, 201> flags{};
    flags.fill(true);
    flags[12] = false;
    EXPECT_TRUE(CountryFilterAccepts(7, flags));
    EXPECT_TRUE(CountryFilterAccepts(5000, flags)); // country 0
    EXPECT_FALSE(CountryFilterAccepts(5012, flags));
    flags[12] = true;
    EXPECT_TRUE(CountryFilterAccepts(5012, flags));
    EXPECT_EQ(CountryLine(1001, Language::French), QStringLiteral("(France)"));
    EXPECT_EQ(CountryLine(2021, Language::English), QStringLiteral("(United Kingdom)"));
    EXPECT_TRUE(CountryLine(9, Language::English).isEmpty());
    EXPECT_TRUE(CountryLine(3999, Language::English).isEmpty()); // no country 999
}

} // namespace
} // namespace ondrel::test

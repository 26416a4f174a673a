// The notification icon's position in the tide cycle: whole hours after high water while the tide
// falls, whole hours before the next one from low water on, and the icon each index names.
#include "engine/TidePosition.h"

#include <gtest/gtest.h>

#include <set>

namespace ondrel {
namespace {

constexpr double kDay = 2460000.5; // the selected day at 0 h

double At(double hours) {
    return kDay + hours / 24;
}
TideEvent High(double hours) {
    return {At(hours), 5};
}
TideEvent Low(double hours) {
    return {-At(hours), 1};
}

// A semi-diurnal day, the day before ending on a high water and the day after starting on one.
const DayEvents kSemidiurnal{Low(3), High(9), Low(15.25), High(21.5)};
// A day ending on a low water, whose next day starts with a high water 6 h 10 min later.
const DayEvents kEndsLow{High(4), Low(10.2), High(16.5), Low(23)};
// Long rises: low water to high water in 6 h 30 min, then in 7 h 30 min.
const DayEvents kLongRise{Low(2), High(8.5), Low(14.6), High(22.1)};
// A diurnal day of two events, the first a high water.
const DayEvents kDiurnal{High(2), Low(14)};

struct Case {
    const char* what;
    DayEvents day;
    double now; // hours from the selected day's 0 h
    std::optional<int> index;
    const char* icon;
    std::set<int> neighboursAsked;
};

TEST(TidePosition, IndexAndIconOfTheTable) {
    const Case cases[] = {
        {"2 h 30 before high water", kSemidiurnal, 6.5, -2, "PM-2", {}},
        {"30 min before high water", kSemidiurnal, 8.5, 0, "PM", {}},
        {"20 min after high water", kSemidiurnal, 9 + 20 / 60.0, 0, "PM", {}},
        {"5 h 50 after high water", kSemidiurnal, 9 + 5 + 50 / 60.0, 5, "PM+5", {}},
        {"6 h after high water, before low water", kLongRise, 8.5 + 6.05, 6, "ERROR", {}},
        {"just after low water, 5 h 50 to go", kSemidiurnal, 3 + 10 / 60.0, -5, "PM-5", {}},
        {"low water, high water 6 h 20 away", kLongRise, 2 + 10 / 60.0, -6, "BM", {}},
        {"low water, high water 7 h 20 away", kLongRise, 14.6 + 0.2, -7, "ERROR", {}},
        {"before the day's first event, a low water", kSemidiurnal, 1.1, 4, "PM+4", {-1}},
        {"before the day's first event, a high water", kDiurnal, 0.5, -1, "PM-1", {}},
        {"past midnight after a high water", kSemidiurnal, 24 + 1, 3, "PM+3", {}},
        {"past midnight after a low water", kEndsLow, 24 + 0.5, -4, "PM-4", {1}},
        {"at low water itself, still falling", kSemidiurnal, 15.25, 6, "ERROR", {}},
        {"no port: no event", DayEvents{}, 12, std::nullopt, "ERROR", {}},
    };
    const DayEvents before{High(3.2 - 24), Low(9.4 - 24), High(15.6 - 24), High(21 - 24)};
    const DayEvents after{High(5.2 + 24), Low(11.4 + 24), High(17.6 + 24), Low(23.8 + 24)};
    for (const Case& c : cases) {
        std::set<int> asked;
        const DayEventsOf events = [&](int days) {
            if (days != 0) asked.insert(days);
            return days < 0 ? before : days > 0 ? after : c.day;
        };
        const std::optional<int> index = TidePositionIndex(events, At(c.now));
        EXPECT_EQ(index, c.index) << c.what;
        EXPECT_EQ(TideIconName(index), c.icon) << c.what;
        EXPECT_EQ(asked, c.neighboursAsked) << c.what;
    }
}

} // namespace
} // namespace ondrel

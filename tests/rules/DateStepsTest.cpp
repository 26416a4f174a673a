// The date window's steps by month and year, which never land on a date that does not exist.
#include "rules/DateSteps.h"

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

struct StepCase {
    QDate from;
    int months;
    int years;
    QDate to;
};
class DateStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(DateStepTest, LandsOnAValidDate) {
    const StepCase& c = GetParam();
    const QDate result = c.months ? StepMonth(c.from, c.months) : StepYear(c.from, c.years);
    EXPECT_EQ(result, c.to) << c.from.toString(Qt::ISODate).toStdString() << " -> "
                            << result.toString(Qt::ISODate).toStdString();
}
INSTANTIATE_TEST_SUITE_P(Dates, DateStepTest,
                         ::testing::Values(StepCase{QDate(2024, 1, 31), +1, 0, QDate(2024, 2, 28)},
                                           StepCase{QDate(2024, 3, 31), -1, 0, QDate(2024, 2, 28)},
                                           StepCase{QDate(2024, 4, 30), -1, 0, QDate(2024, 3, 28)},
                                           StepCase{QDate(2024, 1, 15), -1, 0, QDate(2023, 12, 15)},
                                           StepCase{QDate(2023, 12, 10), +1, 0, QDate(2024, 1, 10)},
                                           StepCase{QDate(2023, 12, 29), +1, 0, QDate(2024, 1, 28)},
                                           StepCase{QDate(2024, 2, 29), 0, +1, QDate(2025, 2, 28)},
                                           StepCase{QDate(2024, 2, 29), 0, -1, QDate(2023, 2, 28)},
                                           StepCase{QDate(2024, 5, 31), 0, +1, QDate(2025, 5, 31)},
                                           StepCase{QDate(2023, 2, 28), 0, +1,
                                                    QDate(2024, 2, 28)}));

} // namespace
} // namespace ondrel::test

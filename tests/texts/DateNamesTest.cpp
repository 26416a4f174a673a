// The day and month names are the program's own, not the system's.
#include "texts/DateNames.h"

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

TEST(DateNames, TheProgramOwnsItsNames) {
    const QDate wednesday(1998, 9, 16);
    EXPECT_EQ(FormatLongDate(wednesday, DateNames::French()),
              QStringLiteral("Mercredi, 16 septembre 1998"));
    EXPECT_EQ(FormatLongDate(wednesday, DateNames::English()),
              QStringLiteral("Wednesday, 16 September 1998"));
    EXPECT_EQ(DateNames::English().shortDays[3], QStringLiteral("Wed"));
}

} // namespace
} // namespace ondrel::test

// The labels of the time references, as the main window shows them.
#include "engine/TimeReference.h"

#include <gtest/gtest.h>

namespace ondrel::test {
namespace {

TEST(TimeReferenceLabel, EveryTimeReference) {
    EXPECT_EQ(TimeReference(1).label(Language::English), "winter time (UT +1)");
    EXPECT_EQ(TimeReference(105).label(Language::English), "UT + 5");
    EXPECT_EQ(TimeReference(88).label(Language::French), "UT + -12");
}

} // namespace
} // namespace ondrel::test

// Colours as the settings store them: red + 256 green + 65536 blue.
#include "state/StoredColour.h"

#include <gtest/gtest.h>

namespace ondrel {
namespace {

TEST(StoredColour, RedPlus256GreenPlus65536Blue) {
    EXPECT_EQ(ColourOfStored(16744449), QColor(1, 128, 255));
    EXPECT_EQ(ColourOfStored(16744448), QColor(0, 128, 255));
    EXPECT_EQ(ColourOfStored(255), QColor(255, 0, 0));
    for (quint32 v : {0u, 255u, 16744449u, 0xFFFFFFu, 0x123456u})
        EXPECT_EQ(StoredOfColour(ColourOfStored(v)), v);
}

} // namespace
} // namespace ondrel

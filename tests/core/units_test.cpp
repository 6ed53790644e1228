#include "core/units.h"
#include <gtest/gtest.h>
#include <limits>

namespace hv {

TEST(ScreenPixelsFromTwips, DividesTheRoundedValues) {
    EXPECT_EQ(ScreenPixelsFromTwips(15360, 15), 1024);
    EXPECT_EQ(ScreenPixelsFromTwips(11520, 15), 768);
    EXPECT_EQ(ScreenPixelsFromTwips(28800, 15), 1920);
    // The quotient is truncated, not rounded.
    EXPECT_EQ(ScreenPixelsFromTwips(15374, 15), 1024);
    // Both values round half to even before dividing: 14.5 -> 14, 15.5 -> 16.
    EXPECT_EQ(ScreenPixelsFromTwips(1400, 14.5), 100);
    EXPECT_EQ(ScreenPixelsFromTwips(1600, 15.5), 100);
    EXPECT_EQ(ScreenPixelsFromTwips(29.5, 1), 30);
    EXPECT_EQ(ScreenPixelsFromTwips(30.5, 1), 30);
}

TEST(ScreenPixelsFromTwips, ImpossibleValuesGiveZero) {
    EXPECT_EQ(ScreenPixelsFromTwips(15360, 0.4), 0);
    EXPECT_EQ(ScreenPixelsFromTwips(15360, 0), 0);
    EXPECT_EQ(ScreenPixelsFromTwips(std::numeric_limits<double>::quiet_NaN(), 15), 0);
    EXPECT_EQ(ScreenPixelsFromTwips(1e12, 15), 0);
    EXPECT_EQ(ScreenPixelsFromTwips(15360, std::numeric_limits<double>::infinity()), 0);
}

} // namespace hv

#include "core/contrast.h"
#include <gtest/gtest.h>

namespace hv {

namespace {
constexpr ColorValue kWhite = RGBColor(255, 255, 255), kBlack = RGBColor(0, 0, 0);
}

TEST(Contrast, RatiosAreCutToHundredthsNeverRoundedUp) {
    const std::string tail = "Contrast with the current color: ";
    EXPECT_EQ(ContrastText(RGBColor(255, 0, 0), kWhite), tail + "3.99:1, AA fail, AAA fail");
    // #777777 on white, 4.478: not 4.48, and far from the 4.5 that rounding to one place says.
    EXPECT_EQ(ContrastText(RGBColor(119, 119, 119), kWhite), tail + "4.47:1, AA fail, AAA fail");
    // 4.4959 and 6.9962 would round to the thresholds; cut, they fail.
    EXPECT_EQ(ContrastText(RGBColor(210, 0, 210), kWhite), tail + "4.49:1, AA fail, AAA fail");
    EXPECT_EQ(ContrastText(kBlack, RGBColor(154, 154, 0)), tail + "6.99:1, AA pass, AAA fail");
    EXPECT_EQ(ContrastText(RGBColor(118, 118, 118), kWhite), tail + "4.54:1, AA pass, AAA fail");
    EXPECT_EQ(ContrastText(kWhite, RGBColor(89, 89, 89)), tail + "7.00:1, AA pass, AAA pass");
    // A hair under the thresholds (by less than 1e-11) fails, and shows no threshold.
    EXPECT_EQ(ContrastText(0x010206, 0xE57126), tail + "4.49:1, AA fail, AAA fail");
    EXPECT_EQ(ContrastText(0x2B1005, 0x58AE6A), tail + "6.99:1, AA pass, AAA fail");
    EXPECT_EQ(ContrastText(kBlack, kWhite), tail + "21.00:1, AA pass, AAA pass");
    EXPECT_EQ(ContrastText(kWhite, kBlack), tail + "21.00:1, AA pass, AAA pass");
    EXPECT_EQ(ContrastText(RGBColor(12, 34, 56), RGBColor(12, 34, 56)),
              tail + "1.00:1, AA fail, AAA fail");
    EXPECT_EQ(ContrastText(RGBColor(0, 0, 255), RGBColor(0, 0, 254)),
              tail + "1.00:1, AA fail, AAA fail");
}

TEST(Contrast, LuminanceFollowsTheGuidelinesChannelCurve) {
    EXPECT_DOUBLE_EQ(RelativeLuminance(kBlack), 0);
    EXPECT_NEAR(RelativeLuminance(kWhite), 1, 1e-12);
    EXPECT_NEAR(RelativeLuminance(RGBColor(255, 0, 0)), 0.2126, 1e-12);
    EXPECT_NEAR(RelativeLuminance(RGBColor(0, 255, 0)), 0.7152, 1e-12);
    EXPECT_NEAR(RelativeLuminance(RGBColor(0, 0, 255)), 0.0722, 1e-12);
    // Up to 10 of 255 the curve is a straight line; from 11 on, the power.
    EXPECT_NEAR(RelativeLuminance(RGBColor(0, 10, 0)), 0.7152 * 10 / 255 / 12.92, 1e-15);
    EXPECT_NEAR(RelativeLuminance(RGBColor(0, 11, 0)), 0.7152 * 0.00334654, 1e-8);
    EXPECT_NEAR(RelativeLuminance(RGBColor(128, 128, 128)), 0.2158605, 1e-7);
}

TEST(Contrast, WhatShowsPassesExactlyWhenTheRatioDoesForEveryPair) {
    // Over pairs from a grid: the text never shows more than the ratio, nor a hundredth less,
    // and passes exactly where the ratio reaches 4.5 and 7.
    int checked = 0;
    for (int a = 0; a < 0x1000000; a += 0x0F3B27)
        for (int b = 0; b < 0x1000000; b += 0x0B1D35) {
            const double r = ContrastRatio(a, b);
            ASSERT_DOUBLE_EQ(r, ContrastRatio(b, a));
            ASSERT_GE(r, 1);
            ASSERT_LE(r, 21 + 1e-12);
            const int h = ContrastHundredths(r);
            ASSERT_LE(h / 100.0, r + 1e-9);
            ASSERT_GT(h / 100.0 + 0.01, r);
            const std::string t = ContrastText(a, b);
            ASSERT_EQ(t.find("AA pass") != std::string::npos, r >= 4.5) << t;
            ASSERT_EQ(t.find("AAA pass") != std::string::npos, r >= 7) << t;
            ++checked;
        }
    EXPECT_GT(checked, 100);
}

} // namespace hv

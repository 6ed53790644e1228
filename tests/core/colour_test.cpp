#include "core/colour.h"
#include "core/units.h"
#include <gtest/gtest.h>

using namespace hv;

TEST(ColorCodeText, WritesHexWithoutLeadingZeros) {
    const struct { ColorValue value; const char* text; } cases[] = {
        {0x00000000, "&H000&"},       {0x000000FF, "&H00FF&"},     {0x00000A0B, "&H00A0B&"},
        {0x0000FF00, "&H00FF00&"},    {0x00FF0000, "&H00FF0000&"}, {0x00123456, "&H00123456&"},
        {0x00FFFFFF, "&H00FFFFFF&"},  {SystemColor(5), "&H0080000005&"},
        {static_cast<ColorValue>(0xFFFFFFFF), "&H00FFFFFFFF&"},
    };
    for (const auto& c : cases) EXPECT_EQ(ColorCodeText(c.value), c.text) << std::hex << c.value;
}

TEST(ComponentTexts, AreDecimalBytesOfRedGreenBlue) {
    EXPECT_EQ(RedText(0x00123456), "86");
    EXPECT_EQ(GreenText(0x00123456), "52");
    EXPECT_EQ(BlueText(0x00123456), "18");
    EXPECT_EQ(RedText(0), "0");
    EXPECT_EQ(BlueText(0x00FF0000), "255");
    // A system colour gives its low three bytes; the top byte is ignored.
    EXPECT_EQ(RedText(SystemColor(5)), "5");
    EXPECT_EQ(GreenText(SystemColor(5)), "0");
    EXPECT_EQ(BlueText(SystemColor(5)), "0");
    EXPECT_EQ(RGBColor(86, 52, 18), 0x00123456);
}

TEST(Units, ConvertWithTheDisplaysRatio) {
    EXPECT_EQ(TwipsPerPixelForDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelForDpi(120), 12);
    EXPECT_EQ(TwipsToPixels(5625, 15), 375);
    EXPECT_EQ(TwipsToPixels(5625, 12), 469);
    // A position just left of a box's edge lies outside it, not on pixel 0.
    EXPECT_EQ(TwipsToPixelIndex(-1, 15), -1);
    EXPECT_EQ(TwipsToPixelIndex(14.9, 15), 0);
    // A 28 x 22 pixel picture measures 741 x 582 HIMETRIC at 96 DPI: 420 x 330 twips.
    EXPECT_EQ(PixelsToHimetric(28, 96), 741);
    EXPECT_EQ(PixelsToHimetric(22, 96), 582);
    EXPECT_NEAR(HimetricToTwips(741), 420.09, 0.01);
    EXPECT_NEAR(HimetricToTwips(582), 329.95, 0.01);
}

TEST(MixColor, EndsAreTheColoursThemselvesAndStepsBetweenRound) {
    const ColorValue a = RGBColor(10, 200, 0), b = RGBColor(255, 0, 1);
    EXPECT_EQ(MixColor(a, b, 0), a);
    EXPECT_EQ(MixColor(a, b, 1), b);
    EXPECT_EQ(MixColor(a, b, 0.5), RGBColor(133, 100, 1)); // 132.5, 100, 0.5 rounded up
    EXPECT_EQ(MixColor(0, RGBColor(255, 255, 255), 0.25), RGBColor(64, 64, 64));
}

TEST(AppendDecimal, WritesEveryDigitAfterWhatIsThere) {
    std::string t = "x";
    hv::AppendDecimal(t, 0);
    hv::AppendDecimal(t, 7);
    t += ' ';
    hv::AppendDecimal(t, 100);
    t += ' ';
    hv::AppendDecimal(t, 4294967295u);
    EXPECT_EQ(t, "x07 100 4294967295");
}

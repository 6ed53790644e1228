#include "core/code_colour.h"
#include "core/hsl_hsv.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace hv {

TEST(HslHsv, TypedTextsGiveTheirColoursEachChannelRoundedHalfUp) {
    const struct {
        const char* typed;
        ColorValue colour;
    } cases[] = {
        {"hsl(120, 100%, 25%)", RGBColor(0, 128, 0)}, // 127.5 up
        {"hsl(0, 100%, 50%)", RGBColor(255, 0, 0)},
        {"hsl(360, 100%, 50%)", RGBColor(255, 0, 0)},
        {"hsl(60, 100%, 50%)", RGBColor(255, 255, 0)},
        {"hsl(210, 50%, 40%)", RGBColor(51, 102, 153)},
        {"hsl(300, 100%, 75%)", RGBColor(255, 128, 255)},
        {"hsl(0, 0%, 100%)", RGBColor(255, 255, 255)},
        {"hsl(0, 0%, 50%)", RGBColor(128, 128, 128)},
        {"hsv(240, 100%, 100%)", RGBColor(0, 0, 255)},
        {"hsv(180, 50%, 100%)", RGBColor(128, 255, 255)},
        {"hsv(30, 100%, 100%)", RGBColor(255, 128, 0)},
        {"hsv(0, 0%, 0%)", RGBColor(0, 0, 0)},
        {"hsv(0, 0%, 50%)", RGBColor(128, 128, 128)},
        // Fractions, any case, blanks between the parts, blanks around it all.
        {"hsl(120, 100%, 25.5%)", RGBColor(0, 130, 0)},
        {"hsv(0.5, 100%, 100%)", RGBColor(255, 2, 0)},
        {"HSL( 120 ,100 % , 25% )", RGBColor(0, 128, 0)},
        {"\t Hsv (240,100%,100%)  ", RGBColor(0, 0, 255)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseHslHsv(c.typed), c.colour) << c.typed;
        EXPECT_EQ(ParseTypedColour(c.typed), c.colour) << c.typed;
    }
}

TEST(HslHsv, OutOfRangeOrMalformedIsNoColour) {
    const std::string huge(400, '9');
    for (const std::string& bad : std::vector<std::string>{
             "hsl(361, 100%, 50%)", "hsl(-1, 100%, 50%)", "hsl(0, 101%, 50%)",
             "hsl(0, 100%, 100.01%)", "hsv(0, 100.5%, 0%)", "hsl(" + huge + ", 0%, 0%)",
             "hsl(" + huge + "." + huge + ", 0%, 0%)",
             // Percent signs required; a point needs digits on both sides; no exponent or sign.
             "hsl(120, 100, 25)", "hsl(120, 1, 0.25)", "hsl(120, 100%, 25)", "hsl(.5, 0%, 0%)",
             "hsl(5., 0%, 0%)", "hsl(1e2, 0%, 0%)", "hsl(+5, 0%, 0%)", "hsl(5 0, 0%, 0%)",
             // The parts in order, separated by commas, nothing after.
             "hsl(120 100% 25%)", "hsl(120, 100%, 25%", "hsl(120, 100%, 25%) x", "hsl(120, 100%)",
             "hsl(120, 100%, 25%, 1)", "hsla(120, 100%, 25%, 1)", "hsb(120, 100%, 25%)", "hsl",
             "hs", "", "hsl()", "hsl(120deg, 100%, 25%)"}) {
        EXPECT_EQ(ParseHslHsv(bad), std::nullopt) << bad;
        EXPECT_EQ(ParseTypedColour(bad), std::nullopt) << bad;
    }
}

TEST(HslHsv, TextsOfAColourAreWholeNumbersThatTypeBackToIt) {
    EXPECT_EQ(HslText(RGBColor(0, 128, 0)), "hsl(120, 100%, 25%)");
    EXPECT_EQ(HsvText(RGBColor(0, 128, 0)), "hsv(120, 100%, 50%)");
    EXPECT_EQ(HslText(RGBColor(255, 255, 255)), "hsl(0, 0%, 100%)");
    EXPECT_EQ(HsvText(RGBColor(0, 0, 0)), "hsv(0, 0%, 0%)");
    EXPECT_EQ(HslText(RGBColor(51, 102, 153)), "hsl(210, 50%, 40%)");
    EXPECT_EQ(HsvText(RGBColor(255, 128, 0)), "hsv(30, 100%, 100%)");
    // A hue of 359.8 degrees is 0, not 360.
    EXPECT_EQ(HslText(RGBColor(255, 0, 1)), "hsl(0, 100%, 50%)");
    // Typed back, every colour comes near itself: whole degrees and percents move a channel by
    // a few steps at most.
    int worst = 0;
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const ColorValue c = RGBColor(r, g, b);
                for (const std::string& t : {HslText(c), HsvText(c)}) {
                    const auto back = ParseHslHsv(t);
                    ASSERT_TRUE(back) << t;
                    worst = std::max({worst, std::abs(RedOf(*back) - r),
                                      std::abs(GreenOf(*back) - g), std::abs(BlueOf(*back) - b)});
                }
            }
    EXPECT_LE(worst, 3);
}

} // namespace hv

// The command-bar button's picture as drawn: its size, background and the four paint patches.
#include "assets/addin_button.h"
#include <gtest/gtest.h>
#include <set>

namespace hv::assets {

TEST(AddinButtonFace, AnEyedropperOverAPaletteWithFourPatchesOnTheButtonGrey) {
    const Image img = AddinButtonFace();
    ASSERT_EQ(img.width, 32);
    ASSERT_EQ(img.height, 32);
    for (auto [x, y] : {std::pair{0, 0}, {31, 31}, {0, 31}, {16, 0}})
        EXPECT_EQ(img.at(x, y), kButtonBackground) << x << "," << y;
    std::set<ColorValue> colours(img.pixels.begin(), img.pixels.end());
    for (ColorValue patch : {kPatchGreen, kPatchYellow, kPatchRed, kPatchBlue})
        EXPECT_TRUE(colours.count(patch)) << std::hex << patch;
    // The dropper's dark bulb at the top right, over the background.
    int dark = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 24; x < 32; ++x)
            dark += RedOf(img.at(x, y)) < 64 && GreenOf(img.at(x, y)) < 64;
    EXPECT_GT(dark, 10);
}

} // namespace hv::assets

// Pictures drawn again for another DPI.
#include "core/image_scale.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <set>

namespace hv {

namespace {
// A 3 x 2 picture of six colours.
Image SixColours() {
    Image image(3, 2);
    const ColorValue colours[] = {RGBColor(255, 0, 0),   RGBColor(0, 255, 0),
                                  RGBColor(0, 0, 255),   RGBColor(255, 255, 0),
                                  RGBColor(0, 255, 255), RGBColor(10, 20, 30)};
    for (int i = 0; i < 6; ++i)
        image.pixels[i] = colours[i];
    return image;
}
} // namespace

TEST(ScaleLength, RoundsToTheNearestPixel) {
    EXPECT_EQ(ScaleLength(99, 144, 96), 149); // 148.5
    EXPECT_EQ(ScaleLength(22, 120, 96), 28);  // 27.5
    EXPECT_EQ(ScaleLength(28, 120, 96), 35);
    EXPECT_EQ(ScaleLength(7, 96, 96), 7);
    EXPECT_EQ(ScaleLength(7, 1, 0), 7);
}

TEST(ScalePixelArt, WholeFactorsGiveExactBlocksAndTheSameSizeIsACopy) {
    const Image art = SixColours();
    const Image same = ScalePixelArt(art, 3, 2);
    EXPECT_EQ(same.pixels, art.pixels);
    const Image twice = ScalePixelArt(art, 6, 4);
    ASSERT_EQ(twice.width, 6);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(twice.at(x, y), art.at(x / 2, y / 2)) << x << "," << y;
}

TEST(ScalePixelArt, AFactorOfOneAndAHalfBlendsOnlyAlongTheEdges) {
    // Black with one white pixel in the middle of 4 x 4: at 6 x 6 the white covers 1.5 pixels.
    Image art(4, 4, RGBColor(0, 0, 0));
    art.at(1, 1) = RGBColor(255, 255, 255);
    const Image big = ScalePixelArt(art, 6, 6);
    ASSERT_EQ(big.width, 6);
    ASSERT_EQ(big.height, 6);
    EXPECT_EQ(big.at(2, 2), RGBColor(255, 255, 255)); // wholly inside the white block
    EXPECT_NEAR(RedOf(big.at(1, 2)), 127.5, 0.5);     // half of it
    EXPECT_NEAR(RedOf(big.at(1, 1)), 63.75, 0.5);     // a quarter
    EXPECT_EQ(big.at(1, 1),
              RGBColor(RedOf(big.at(1, 1)), RedOf(big.at(1, 1)), RedOf(big.at(1, 1))));
    EXPECT_EQ(big.at(3, 3), RGBColor(0, 0, 0));
    EXPECT_EQ(big.at(5, 5), RGBColor(0, 0, 0));
    // A uniform picture stays uniform at any size, with no rounding drift.
    const Image grey = ScalePixelArt(Image(7, 5, RGBColor(77, 78, 79)), 9, 6);
    EXPECT_EQ(std::set<ColorValue>(grey.pixels.begin(), grey.pixels.end()).size(), 1u);
    EXPECT_EQ(grey.at(8, 5), RGBColor(77, 78, 79));
}

TEST(ResizeNearest, KeepsOnlyTheSourceColoursAndReachesItsLastRowAndColumn) {
    const Image art = SixColours();
    for (auto [w, h] : {std::pair{4, 3}, {5, 3}, {9, 6}, {2, 1}}) {
        const Image out = ResizeNearest(art, w, h);
        ASSERT_EQ(out.width, w);
        ASSERT_EQ(out.height, h);
        for (ColorValue c : out.pixels)
            EXPECT_NE(std::find(art.pixels.begin(), art.pixels.end(), c), art.pixels.end());
        if (w >= 3) {
            EXPECT_EQ(out.at(w - 1, h - 1), art.at(2, 1)) << w << "x" << h;
            EXPECT_EQ(out.at(0, 0), art.at(0, 0));
        }
    }
}

TEST(ImageScale, SizesThatAreNotPositiveGiveAnEmptyImage) {
    EXPECT_EQ(ScalePixelArt(SixColours(), 0, 5).pixels.size(), 0u);
    EXPECT_EQ(ResizeNearest(SixColours(), 4, -1).pixels.size(), 0u);
    EXPECT_EQ(ScalePixelArt(Image(), 4, 4).pixels.size(), 0u);
}

} // namespace hv

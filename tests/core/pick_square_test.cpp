#include "core/pick_square.h"
#include <gtest/gtest.h>

namespace hv {

namespace {
constexpr ColorValue kWhite = RGBColor(255, 255, 255), kBlackPixel = RGBColor(0, 0, 0);

// A one-pixel checkerboard, white where x + y is even (or odd, with `whiteOdd`).
struct Checkerboard {
    bool whiteOdd = false;
    ColorValue operator()(int x, int y) const {
        return ((x + y) % 2 != 0) == whiteOdd ? kWhite : kBlackPixel;
    }
};

ColorValue Grey(int v) {
    return RGBColor(v, v, v);
}
} // namespace

TEST(PickSquare, OnACheckerboardOverAWhitePixelOneThreeAndFiveGive255_142_133) {
    const std::vector<PixelRect> screen{{0, 0, 100, 100}};
    EXPECT_EQ(SquareMean(10, 10, 1, screen, Checkerboard{}), kWhite);
    EXPECT_EQ(SquareMean(10, 10, 3, screen, Checkerboard{}), Grey(142)); // 5 of 9 white
    EXPECT_EQ(SquareMean(10, 10, 5, screen, Checkerboard{}), Grey(133)); // 13 of 25
    // Over a black pixel the shares turn round: 4 of 9, 12 of 25.
    EXPECT_EQ(SquareMean(11, 10, 3, screen, Checkerboard{}), Grey(113));
    EXPECT_EQ(SquareMean(11, 10, 5, screen, Checkerboard{}), Grey(122));
}

TEST(PickSquare, PixelsOffEveryMonitorAreLeftOutAtEdgesAndInGaps) {
    // At the screen's corner a 3 x 3 square keeps 2 x 2 pixels: two white of four, 127.5,
    // rounded up; a 5 x 5 one keeps 3 x 3.
    const std::vector<PixelRect> one{{0, 0, 100, 100}};
    EXPECT_EQ(SquareMean(0, 0, 3, one, Checkerboard{true}), Grey(128));
    EXPECT_EQ(SquareMean(0, 0, 5, one, Checkerboard{true}), Grey(113));
    EXPECT_EQ(SquareMean(99, 99, 5, one, Checkerboard{true}), Grey(113));

    // Two monitors side by side of different heights; below the second is a gap whose
    // screenshot pixels (green here) must not count.
    const std::vector<PixelRect> two{{0, 0, 10, 10}, {10, 0, 20, 5}};
    const auto screen = [&](int x, int y) {
        return two[0].Contains(x, y)   ? RGBColor(0, 0, 255)
               : two[1].Contains(x, y) ? RGBColor(255, 0, 0)
                                       : RGBColor(0, 255, 0);
    };
    EXPECT_EQ(SquareMean(12, 4, 5, two, screen), RGBColor(255, 0, 0));
    // Six blue and two red pixels; (10, 5) lies in the gap.
    EXPECT_EQ(SquareMean(9, 4, 3, two, screen), RGBColor(64, 0, 191));
    // A square on no monitor at all has no mean.
    EXPECT_EQ(SquareMean(15, 8, 3, two, screen), -1);
    EXPECT_EQ(SquareMean(5, 5, 3, {}, screen), -1);
}

TEST(PickSquare, OverlappingMonitorsCountAPixelOnceAndNoColourIsNotCounted) {
    const std::vector<PixelRect> mirrored{{0, 0, 10, 10}, {0, 0, 10, 10}, {5, 5, 15, 15}};
    EXPECT_EQ(SquareMean(5, 5, 3, mirrored, Checkerboard{}), Grey(142));
    const auto holes = [](int x, int y) { return x == y ? -1 : RGBColor(10, 20, 30); };
    EXPECT_EQ(SquareMean(5, 5, 5, mirrored, holes), RGBColor(10, 20, 30));
    EXPECT_EQ(SquareMean(5, 5, 1, mirrored, holes), -1);
}

TEST(PickSquare, EachChannelOfTheMeanIsRoundedHalfUp) {
    ColourMean m;
    EXPECT_EQ(m.Mean(), -1);
    m.Add(RGBColor(0, 0, 0));
    m.Add(RGBColor(1, 3, 255));
    m.Add(-1);
    EXPECT_EQ(m.count(), 2);
    EXPECT_EQ(m.Mean(), RGBColor(1, 2, 128)); // 0.5, 1.5, 127.5
    m.Add(RGBColor(0, 0, 0));
    EXPECT_EQ(m.Mean(), RGBColor(0, 1, 85)); // 0.33, 1, 85
}

TEST(PickSquare, StoredSideIsOneThreeOrFiveAndAnythingElseThePixel) {
    EXPECT_EQ(ParsePickSquare("1"), 1);
    EXPECT_EQ(ParsePickSquare("3"), 3);
    EXPECT_EQ(ParsePickSquare("5"), 5);
    for (const char* bad : {"", "2", "7", "0", "-3", " 3", "3 ", "03", "3x", "55"})
        EXPECT_EQ(ParsePickSquare(bad), 1) << bad;
}

} // namespace hv

#include "assets/palettes.h"
#include <gtest/gtest.h>
#include <set>

using namespace hv;
using namespace hv::assets;

namespace {
ColorValue FromRRGGBB(unsigned v) { return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
bool IsGrey(ColorValue c) { return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c); }
} // namespace

TEST(BasicPalette, CellsAndSeparatorsLieAtTheirPixelRanges) {
    const Image img = BasicPalette();
    ASSERT_EQ(img.width, 99);
    ASSERT_EQ(img.height, 74);
    std::set<int> cellX, cellY;
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 8; ++c)
            for (int y = kBasicRows[r][0]; y <= kBasicRows[r][1]; ++y)
                for (int x = kBasicColumns[c][0]; x <= kBasicColumns[c][1]; ++x) {
                    ASSERT_EQ(img.at(x, y), FromRRGGBB(kBasicCellsRRGGBB[r][c])) << x << "," << y;
                    cellX.insert(x);
                    cellY.insert(y);
                }
    for (int x : {12, 25, 38, 50, 62, 75, 87}) EXPECT_EQ(cellX.count(x), 0u);
    for (int y : {12, 24, 37, 49, 61}) EXPECT_EQ(cellY.count(y), 0u);
    for (int y = 0; y < 74; ++y)
        for (int x = 0; x < 99; ++x)
            if (!cellX.count(x) || !cellY.count(y)) {
                ASSERT_EQ(img.at(x, y), RGBColor(8, 8, 8));
            }
    // The cells named in the design, not just the table.
    EXPECT_EQ(img.at(14, 30), RGBColor(255, 0, 0));     // row 2, column 1
    EXPECT_EQ(img.at(27, 70), RGBColor(0x84, 0x42, 0x42)); // row 5, column 2
    EXPECT_EQ(img.at(0, 73), 0);
}

TEST(QuickColorPalette, WhiteTopBlackBottomAndRowTenSamples) {
    const Image img = QuickColorPalette();
    ASSERT_EQ(img.width, 209);
    ASSERT_EQ(img.height, 20);
    for (int x = 0; x < 209; ++x) {
        for (int y : {0, 1}) ASSERT_EQ(img.at(x, y), RGBColor(255, 255, 255)) << x;
        for (int y : {18, 19}) ASSERT_EQ(img.at(x, y), 0) << x;
    }
    for (int i = 0; i < 17; ++i) EXPECT_EQ(img.at(13 * i, 10), FromRRGGBB(kQuickRow10RRGGBB[i])) << i;
    // Tints lighten towards the top, shades darken towards the bottom.
    for (int x = 0; x < 209; x += 7)
        for (int y = 2; y < 18; ++y) {
            const ColorValue a = img.at(x, y - 1), b = img.at(x, y);
            ASSERT_LE(RedOf(b) + GreenOf(b) + BlueOf(b), RedOf(a) + GreenOf(a) + BlueOf(a)) << x << "," << y;
        }
}

TEST(GreyScalePalette, NeutralLevelsDarkeningDownLighteningRight) {
    const Image img = GreyScalePalette();
    ASSERT_EQ(img.width, 35);
    ASSERT_EQ(img.height, 21);
    std::set<int> allowed;
    for (int n = 0; n < 32; ++n) {
        if (n != 1 && n != 2) allowed.insert(GreyLevel(n));
    }
    ASSERT_EQ(allowed.size(), 30u);
    int previousRowSum = 1 << 30;
    for (int y = 0; y < 21; ++y) {
        int rowSum = 0;
        for (int x = 0; x < 35; ++x) {
            const ColorValue c = img.at(x, y);
            ASSERT_TRUE(IsGrey(c)) << x << "," << y;
            ASSERT_EQ(allowed.count(RedOf(c)), 1u) << x << "," << y;
            rowSum += RedOf(c);
        }
        if (y > 0) {
            EXPECT_LE(rowSum, previousRowSum) << "row " << y;
        }
        previousRowSum = rowSum;
    }
    for (int x = 0; x < 35; ++x) {
        for (int y : {0, 1, 2}) ASSERT_EQ(img.at(x, y), RGBColor(255, 255, 255));
        for (int y : {19, 20}) ASSERT_EQ(img.at(x, y), 0);
    }
    const struct { int row, first, last; } rows[] = {{3, 0xE7, 0xF7}, {10, 0x63, 0xD6}, {18, 0x18, 0x42}};
    for (const auto& r : rows) {
        int lo = 255, hi = 0;
        for (int x = 0; x < 35; ++x) {
            lo = std::min(lo, RedOf(img.at(x, r.row)));
            hi = std::max(hi, RedOf(img.at(x, r.row)));
        }
        EXPECT_EQ(RedOf(img.at(0, r.row)), r.first) << r.row;
        EXPECT_EQ(RedOf(img.at(34, r.row)), r.last) << r.row;
        EXPECT_EQ(lo, r.first) << r.row;
        EXPECT_EQ(hi, r.last) << r.row;
    }
}

TEST(PipetteCursor, TipIsDrawnAtTheHotSpot) {
    const Image img = PipetteCursor();
    ASSERT_EQ(img.width, 32);
    ASSERT_EQ(img.height, 32);
    EXPECT_NE(img.at(kPipetteHotX, kPipetteHotY), kCursorTransparent);
    EXPECT_EQ(img.at(0, 31), kCursorTransparent); // nothing below the tip
    int drawn = 0;
    for (ColorValue c : img.pixels) drawn += c != kCursorTransparent;
    EXPECT_GT(drawn, 60);
}

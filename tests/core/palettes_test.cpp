#include "assets/palettes.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <set>

using namespace hv;
using namespace hv::assets;

namespace {
ColorValue FromRRGGBB(unsigned v) {
    return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}
bool IsGrey(ColorValue c) {
    return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c);
}
int Brightness(ColorValue c) {
    return RedOf(c) + GreenOf(c) + BlueOf(c);
}
int Max(ColorValue c) {
    return std::max({RedOf(c), GreenOf(c), BlueOf(c)});
}
int Min(ColorValue c) {
    return std::min({RedOf(c), GreenOf(c), BlueOf(c)});
}
// Hue in degrees (0 red, 60 yellow, 120 green, ...); -1 for a grey.
int Hue(ColorValue c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c), hi = Max(c), d = hi - Min(c);
    if (d == 0) return -1;
    double h = hi == r   ? double(g - b) / d
               : hi == g ? 2 + double(b - r) / d
                         : 4 + double(r - g) / d;
    h *= 60;
    return int(std::lround(h < 0 ? h + 360 : h));
}
int HueDistance(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return std::min(d, 360 - d);
}
} // namespace

// Checked against what the palette is known by (its grid, a grey column, seven hue families
// pale at the top and dark at the bottom, two named cells), not against the drawing table.
TEST(BasicPalette, GridOfAGreyRampAndSevenHuesPaleToDark) {
    const Image img = BasicPalette();
    ASSERT_EQ(img.width, 99);
    ASSERT_EQ(img.height, 74);
    const int separatorsX[] = {12, 25, 38, 50, 62, 75, 87}, separatorsY[] = {12, 24, 37, 49, 61};
    for (int x : separatorsX)
        for (int y = 0; y < 74; ++y)
            ASSERT_EQ(img.at(x, y), RGBColor(8, 8, 8)) << x << "," << y;
    for (int y : separatorsY)
        for (int x = 0; x < 99; ++x)
            ASSERT_EQ(img.at(x, y), RGBColor(8, 8, 8)) << x << "," << y;
    // Each cell is solid between its separators.
    const int edgesX[] = {-1, 12, 25, 38, 50, 62, 75, 87, 99},
              edgesY[] = {-1, 12, 24, 37, 49, 61, 74};
    ColorValue cell[6][8];
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 8; ++c) {
            cell[r][c] = img.at(edgesX[c] + 1, edgesY[r] + 1);
            for (int y = edgesY[r] + 1; y < edgesY[r + 1]; ++y)
                for (int x = edgesX[c] + 1; x < edgesX[c + 1]; ++x)
                    ASSERT_EQ(img.at(x, y), cell[r][c]) << x << "," << y;
        }
    // Column 0: white down to black, darker on every row.
    EXPECT_EQ(cell[0][0], RGBColor(255, 255, 255));
    EXPECT_EQ(cell[5][0], 0);
    for (int r = 0; r < 6; ++r)
        EXPECT_TRUE(IsGrey(cell[r][0])) << r;
    for (int r = 1; r < 6; ++r)
        EXPECT_LT(Brightness(cell[r][0]), Brightness(cell[r - 1][0])) << r;
    // Columns 1 to 7: red, orange, yellow, green, cyan, blue, magenta; full colour in row 2.
    const int hues[] = {0, 30, 60, 120, 180, 240, 300};
    for (int c = 1; c < 8; ++c) {
        for (int r = 0; r < 6; ++r) {
            if (r == 5 && c == 2) continue; // the one cell that is no darker orange
            EXPECT_LE(HueDistance(Hue(cell[r][c]), hues[c - 1]), 15) << r << "," << c;
            if (r > 0) {
                EXPECT_LT(Brightness(cell[r][c]), Brightness(cell[r - 1][c])) << r << "," << c;
                EXPECT_GE(Max(cell[r][c]) - Min(cell[r][c]),
                          r <= 2 ? Max(cell[r - 1][c]) - Min(cell[r - 1][c]) : 0)
                    << "paler above the full colour " << r << "," << c;
            }
        }
        EXPECT_EQ(Max(cell[2][c]), 255) << c;
        EXPECT_EQ(Min(cell[2][c]), 0) << c;
    }
    EXPECT_EQ(img.at(14, 30), RGBColor(255, 0, 0));        // row 2, column 1
    EXPECT_EQ(img.at(27, 70), RGBColor(0x84, 0x42, 0x42)); // row 5, column 2
}

TEST(QuickColorPalette, WhiteTopBlackBottomHuesRoundTheCircleInRowTen) {
    const Image img = QuickColorPalette();
    ASSERT_EQ(img.width, 209);
    ASSERT_EQ(img.height, 20);
    for (int x = 0; x < 209; ++x) {
        for (int y : {0, 1}) ASSERT_EQ(img.at(x, y), RGBColor(255, 255, 255)) << x;
        for (int y : {18, 19}) ASSERT_EQ(img.at(x, y), 0) << x;
    }
    // The samples the palette is known by, every 13 pixels of row 10.
    const unsigned row10[17] = {0xA53038, 0xDC822A, 0xE5C027, 0xD3DB2E, 0x88B93B, 0x1A9858,
                                0x109777, 0x1199A7, 0x189FD6, 0x147CB1, 0x3B488E, 0x4C1F74,
                                0x861877, 0xBB1C78, 0xCB1F67, 0xCA1E4E, 0xCE4851};
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(img.at(13 * i, 10), FromRRGGBB(row10[i])) << i;
    // Between the samples the hue turns one way only, once round from red back to red.
    int turned = 0;
    for (int x = 1; x < 209; ++x) {
        const int a = Hue(img.at(x - 1, 10)), b = Hue(img.at(x, 10));
        ASSERT_GE(a, 0);
        ASSERT_GE(b, 0);
        const int step = ((b - a) % 360 + 540) % 360 - 180; // signed, -180..179
        ASSERT_GE(step, -2) << "x " << x; // rounding of the eight-bit colours aside
        turned += step;
    }
    EXPECT_NEAR(turned, 360, 10);
    // Tints lighten towards the top, shades darken towards the bottom.
    for (int x = 0; x < 209; x += 7)
        for (int y = 2; y < 18; ++y)
            ASSERT_LE(Brightness(img.at(x, y)), Brightness(img.at(x, y - 1))) << x << "," << y;
}

TEST(GreyScalePalette, NeutralLevelsDarkeningDownLighteningRight) {
    const Image img = GreyScalePalette();
    ASSERT_EQ(img.width, 35);
    ASSERT_EQ(img.height, 21);
    std::set<int> allowed; // 8n + n div 4, but for n = 1 and 2
    for (int n = 0; n < 32; ++n) {
        if (n != 1 && n != 2) allowed.insert(8 * n + n / 4);
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

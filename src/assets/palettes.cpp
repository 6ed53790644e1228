#include "palettes.h"
#include <algorithm>
#include <cmath>

namespace hv::assets {

namespace {

ColorValue FromRRGGBB(unsigned v) { return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }

} // namespace

const unsigned kBasicCellsRRGGBB[6][8] = {
    {0xFFFFFF, 0xFFC6C6, 0xFFE7C6, 0xFFFFC6, 0xC6FFC6, 0xC6FFFF, 0xC6C6FF, 0xFFC6FF},
    {0xE7E7E7, 0xFF8484, 0xFFC684, 0xFFFF84, 0x84FF84, 0x84FFFF, 0x8484FF, 0xFF84FF},
    {0xC6C6C6, 0xFF0000, 0xFF8400, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF},
    {0x848484, 0xC60000, 0xC64200, 0xC6C600, 0x00C600, 0x00C6C6, 0x0000C6, 0xC600C6},
    {0x424242, 0x840000, 0x844200, 0x848400, 0x008400, 0x008484, 0x000084, 0x840084},
    {0x000000, 0x420000, 0x844242, 0x424200, 0x004200, 0x004242, 0x000042, 0x420042},
};

const int kBasicColumns[8][2] = {{0, 11},  {13, 24}, {26, 37}, {39, 49},
                                 {51, 61}, {63, 74}, {76, 86}, {88, 98}};
const int kBasicRows[6][2] = {{0, 11}, {13, 23}, {25, 36}, {38, 48}, {50, 60}, {62, 73}};

Image BasicPalette() {
    Image img(99, 74, kBasicSeparator);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 8; ++c)
            img.fillRect(kBasicColumns[c][0], kBasicRows[r][0], kBasicColumns[c][1],
                         kBasicRows[r][1], FromRRGGBB(kBasicCellsRRGGBB[r][c]));
    return img;
}

const unsigned kQuickRow10RRGGBB[17] = {0xA53038, 0xDC822A, 0xE5C027, 0xD3DB2E, 0x88B93B, 0x1A9858,
                                        0x109777, 0x1199A7, 0x189FD6, 0x147CB1, 0x3B488E, 0x4C1F74,
                                        0x861877, 0xBB1C78, 0xCB1F67, 0xCA1E4E, 0xCE4851};

Image QuickColorPalette() {
    constexpr int kStep = 13, kMid = 10;
    Image img(209, 20);
    const ColorValue white = RGBColor(255, 255, 255), black = 0;
    for (int x = 0; x < img.width; ++x) {
        const int i = std::min(x / kStep, 15);
        const ColorValue hue = MixColor(FromRRGGBB(kQuickRow10RRGGBB[i]),
                                        FromRRGGBB(kQuickRow10RRGGBB[i + 1]),
                                        double(x - i * kStep) / kStep);
        for (int y = 0; y < img.height; ++y) {
            ColorValue c;
            if (y <= 1)
                c = white;
            else if (y >= 18)
                c = black;
            else if (y <= kMid)
                c = MixColor(white, hue, double(y - 1) / (kMid - 1)); // tints
            else
                c = MixColor(hue, black, double(y - kMid) / (18 - kMid)); // shades
            img.at(x, y) = c;
        }
    }
    return img;
}

Image GreyScalePalette() {
    Image img(35, 21);
    // Darkest and lightest level index of three anchor rows (near the top, the middle and the
    // bottom); rows between are interpolated. Levels run up from left to right.
    struct Anchor {
        int row, lo, hi;
    };
    const Anchor anchors[] = {{3, 28, 30}, {10, 12, 26}, {18, 3, 8}};
    for (int y = 0; y < img.height; ++y) {
        for (int x = 0; x < img.width; ++x) {
            int n;
            if (y <= 2) {
                n = 31;
            } else if (y >= 19) {
                n = 0;
            } else {
                const Anchor& a = y <= 10 ? anchors[0] : anchors[1];
                const Anchor& b = y <= 10 ? anchors[1] : anchors[2];
                const double t = double(y - a.row) / (b.row - a.row);
                const double lo = a.lo + (b.lo - a.lo) * t, hi = a.hi + (b.hi - a.hi) * t;
                const int first = int(std::lround(lo)), last = int(std::lround(hi));
                n = int(std::lround(lo + (hi - lo) * x / (img.width - 1)));
                // Neighbouring levels mixed irregularly, ends kept exact.
                if (x > 0 && x < img.width - 1) n += ((x * 7 + y * 3) % 5 == 0) - ((x * 5 + y) % 7 == 0);
                n = std::clamp(n, first, last);
            }
            const int v = GreyLevel(n);
            img.at(x, y) = RGBColor(v, v, v);
        }
    }
    return img;
}

Image PipetteCursor() {
    const ColorValue clear = kCursorTransparent, outline = RGBColor(0, 0, 0),
                     glass = RGBColor(255, 255, 255), liquid = RGBColor(40, 110, 220),
                     bulb = RGBColor(60, 60, 60), shine = RGBColor(150, 150, 150);
    Image img(32, 32, clear);
    // The pipette lies on the diagonal from its tip (kPipetteHotX, kPipetteHotY) up to the
    // right. u runs along it, v across it.
    const double s = std::sqrt(0.5);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x - kPipetteHotX, dy = kPipetteHotY - y;
            const double u = (dx + dy) * s, v = (dx - dy) * s;
            const double av = std::fabs(v);
            if (u < -0.5) continue;
            if (u <= 14) { // glass tube, narrowing to the tip
                const double half = u < 3 ? 0.6 + u * 0.3 : 1.6;
                if (av <= half - 0.9) img.at(x, y) = u < 8 ? liquid : glass;
                else if (av <= half + 0.2) img.at(x, y) = outline;
            } else if (u <= 16) { // collar
                if (av <= 2.6) img.at(x, y) = outline;
            } else if (u <= 22) { // rubber bulb
                const double r = 3.2, cu = 19.5;
                const double d = std::hypot(u - cu, v);
                if (d <= r - 0.8) img.at(x, y) = (u < cu && v < -0.5) ? shine : bulb;
                else if (d <= r + 0.3) img.at(x, y) = outline;
            }
        }
    }
    img.at(kPipetteHotX, kPipetteHotY) = outline;
    return img;
}

} // namespace hv::assets

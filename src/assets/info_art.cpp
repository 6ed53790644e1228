#include "info_art.h"
#include "frame.h"
#include "pixel_art.h"
#include <algorithm>
#include <cmath>

namespace hv::assets {

namespace {

constexpr ColorValue kWhite = RGBColor(255, 255, 255);
constexpr ColorValue kWarmTop = RGBColor(246, 150, 70);
constexpr ColorValue kWarmBottom = RGBColor(226, 100, 40);
constexpr ColorValue kWarmEdge = RGBColor(170, 70, 25);
constexpr ColorValue kGreenTop = RGBColor(80, 180, 90);
constexpr ColorValue kGreenBottom = RGBColor(30, 130, 55);
constexpr ColorValue kGreenEdge = RGBColor(15, 85, 35);

// Hue 0..1 around the circle, saturation and value 0..1.
ColorValue FromHsv(double h, double s, double v) {
    const double f = h * 6 - std::floor(h * 6);
    const int i = static_cast<int>(std::floor(h * 6)) % 6;
    const double p = v * (1 - s), q = v * (1 - f * s), t = v * (1 - (1 - f) * s);
    double r = v, g = t, b = p;
    switch (i) {
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    case 5:
        r = v, g = p, b = q;
        break;
    default:
        break;
    }
    return RGBColor(static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
                    static_cast<int>(std::lround(b * 255)));
}

// A heart of 11 x 10 pixels, each drawn as scale x scale.
void DrawHeart(Image& img, int left, int top, int scale, ColorValue colour) {
    static const char* const kRows[] = {".###...###.", "#####.#####", "###########", "###########",
                                        "###########", ".#########.", "..#######..", "...#####...",
                                        "....###....", ".....#....."};
    for (int y = 0; y < 10 * scale; ++y)
        for (int x = 0; x < 11 * scale; ++x)
            if (kRows[y / scale][x / scale] == '#' && img.contains(left + x, top + y))
                img.at(left + x, top + y) = colour;
}

// A plate with a vertical gradient and a one-pixel edge; radius 0 keeps square corners,
// whose outside is left as it was.
void DrawPlate(Image& img, int radius, ColorValue top, ColorValue bottom, ColorValue edge) {
    const int w = img.width, h = img.height;
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return false;
        if (radius == 0) return true;
        const int cx = std::clamp(x, radius, w - 1 - radius),
                  cy = std::clamp(y, radius, h - 1 - radius);
        const double dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= (radius + 0.3) * (radius + 0.3);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y)) continue;
            const bool border =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            img.at(x, y) = border ? edge : MixColor(top, bottom, double(y) / (h - 1));
        }
}

} // namespace

Image AboutBackground() {
    Image img = PanelBackground(376, 200);
    // A quiet rule above the row of the maker's logo and the buttons.
    img.fillRect(12, 158, 362, 158, RGBColor(210, 218, 238));
    return img;
}

Image MakerLogo() {
    Image img(145, 29, kWhite);
    // Cyan, magenta and yellow ink; where they overlap the inks multiply, as on paper.
    struct Disc {
        double x, y;
        ColorValue ink;
    };
    const Disc discs[] = {{10.5, 10.0, RGBColor(0, 174, 239)},
                          {21.0, 10.0, RGBColor(236, 0, 140)},
                          {15.75, 19.0, RGBColor(255, 230, 0)}};
    for (int y = 0; y < 29; ++y)
        for (int x = 0; x < kLogoTextLeft; ++x) {
            double r = 1, g = 1, b = 1;
            for (const Disc& d : discs)
                if (std::hypot(x + 0.5 - d.x, y + 0.5 - d.y) <= 8.5) {
                    r *= RedOf(d.ink) / 255.0;
                    g *= GreenOf(d.ink) / 255.0;
                    b *= BlueOf(d.ink) / 255.0;
                }
            img.at(x, y) = RGBColor(static_cast<int>(r * 255), static_cast<int>(g * 255),
                                    static_cast<int>(b * 255));
        }
    return img;
}

Image ExplanationSheet() {
    constexpr int w = 355, h = 316;
    Image img(w, h, kWhite);
    for (int y = 1; y < kSheetBandHeight; ++y)
        img.fillRect(1, y, w - 2, y, MixColor(kWarmTop, kWarmBottom, double(y) / kSheetBandHeight));
    DrawHeart(img, 12, 12, 2, kWhite);
    // The edge, and a row of colour drops at the foot of the sheet.
    img.fillRect(0, 0, w - 1, 0, kWarmEdge);
    img.fillRect(0, h - 1, w - 1, h - 1, kWarmEdge);
    img.fillRect(0, 0, 0, h - 1, kWarmEdge);
    img.fillRect(w - 1, 0, w - 1, h - 1, kWarmEdge);
    for (int i = 0; i < 12; ++i) {
        const ColorValue drop = FromHsv(i / 12.0, 0.75, 0.95);
        const int left = kSheetMargin + i * 14;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                if (std::hypot(x + 0.5 - 5, y + 0.5 - 5) <= 5) img.at(left + x, 298 + y) = drop;
    }
    return img;
}

Image GivesomeBadge() {
    Image img(116, 20, kWhite);
    DrawPlate(img, 4, kWarmTop, kWarmBottom, kWarmEdge);
    DrawHeart(img, 6, 5, 1, kWhite);
    return img;
}

Image DonateLink() {
    Image img(76, 20, kWhite);
    DrawPlate(img, 0, kGreenTop, kGreenBottom, kGreenEdge);
    DrawHeart(img, 6, 5, 1, kWhite);
    return img;
}

Image LinkHandCursor() {
    Image img(32, 32, kCursorClear);
    // clang-format off
    DrawArt(img, 0, 0,
            {"     ##          ",
             "    #..#         ",
             "    #..#         ",
             "    #..#         ",
             "    #..#         ",
             "    #..###       ",
             "    #..#..###    ",
             "    #..#..#..##  ",
             "    #..#..#..#.# ",
             " ## #..#..#..#.# ",
             "#..##..........# ",
             "#...#..........# ",
             " #.............# ",
             "  #............# ",
             "  #...........#  ",
             "   #..........#  ",
             "   #.........#   ",
             "    #........#   ",
             "    #........#   ",
             "    ##########   "},
            {{'#', RGBColor(0, 0, 0)}, {'.', kWhite}});
    // clang-format on
    return img;
}

} // namespace hv::assets

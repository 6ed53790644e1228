#include "button_faces.h"
#include "asset_ids.h"
#include "pixel_art.h"
#include <algorithm>
#include <cmath>
#include <iterator>

namespace hv::assets {

namespace {

// Paper is nearly white: pure white is the mask colour and would punch holes.
constexpr ColorValue kPaper = RGBColor(250, 250, 250);
constexpr ColorValue kInk = RGBColor(45, 50, 65);
constexpr ColorValue kLines = RGBColor(135, 140, 155);
constexpr ColorValue kGreen = RGBColor(30, 150, 60);
constexpr ColorValue kDarkGreen = RGBColor(15, 95, 35);
constexpr ColorValue kBlue = RGBColor(40, 100, 200);
constexpr ColorValue kDarkBlue = RGBColor(20, 55, 130);
constexpr ColorValue kRed = RGBColor(215, 40, 40);
constexpr ColorValue kGlass = RGBColor(205, 225, 240);

struct Shade {
    ColorValue border, top, bottom;
};

Shade ShadeOf(FaceState s) {
    switch (s) {
    case FaceState::Over:
        return {RGBColor(45, 115, 205), RGBColor(236, 245, 255), RGBColor(196, 220, 250)};
    case FaceState::Down:
        return {RGBColor(20, 60, 140), RGBColor(160, 190, 232), RGBColor(192, 212, 242)};
    default:
        return {RGBColor(135, 145, 165), RGBColor(248, 248, 248), RGBColor(218, 222, 230)};
    }
}

// Corner radius 3 (2 for thin plates): outside the quarter circles is left to the mask.
bool InsidePlate(int x, int y, int w, int h) {
    const int r = h <= 14 ? 2 : 3;
    const int cx = x < r ? r : (x >= w - r ? w - r : x);
    const int cy = y < r ? r : (y >= h - r ? h - r : y);
    if (cx == x || cy == y) return x >= 0 && y >= 0 && x < w && y < h;
    const double dx = (x + 0.5) - cx, dy = (y + 0.5) - cy;
    return dx * dx + dy * dy <= r * r;
}

// Icons are drawn one pixel right and down while pressed.
int Press(FaceState s) {
    return s == FaceState::Down ? 1 : 0;
}

Image MainInsert(FaceState s) {
    Image img = ButtonPlate(28, 22, s);
    const int p = Press(s);
    // A page of code with a green arrow going into it.
    // clang-format off
    DrawArt(img, 10 + p, 3 + p,
            {"#########  ",
             "#.......##  ",
             "#.xxxx..#.# ",
             "#.......####",
             "#.xxxxxxx..#",
             "#..........#",
             "#.xxxxx....#",
             "#..........#",
             "#.xxxxxxx..#",
             "#..........#",
             "#.xxxx.....#",
             "#..........#",
             "#..........#",
             "############"},
            {{'#', kInk}, {'.', kPaper}, {'x', kLines}});
    DrawArt(img, 4 + p, 5 + p,
            {"     G     ",
             "     GG    ",
             "GGGGGGgG   ",
             "GggggggggG ",
             "GgggggggggG",
             "GggggggggG ",
             "GGGGGGgG   ",
             "     GG    ",
             "     G     "},
            {{'G', kDarkGreen}, {'g', kGreen}});
    // clang-format on
    return img;
}

Image MainCopy(FaceState s) {
    Image img = ButtonPlate(28, 22, s);
    const int p = Press(s);
    // Two pages, one over the other.
    // clang-format off
    DrawArt(img, 6 + p, 3 + p,
            {"#########  ",
             "#.......##  ",
             "#.xxxx..#.# ",
             "#.......####",
             "#.xxxxxx...#",
             "#..........#",
             "#.xxxxx....#",
             "#..........#",
             "#.xxxxxx...#",
             "#..........#",
             "############"},
            {{'#', kInk}, {'.', kPaper}, {'x', kLines}});
    DrawArt(img, 11 + p, 7 + p,
            {"#########  ",
             "#.......##  ",
             "#.xxxx..#.# ",
             "#.......####",
             "#.xxxxxx...#",
             "#..........#",
             "#.xxxxx....#",
             "#..........#",
             "#.xxxxxx...#",
             "#..........#",
             "#..........#",
             "############"},
            {{'#', kDarkBlue}, {'.', kPaper}, {'x', kBlue}});
    // clang-format on
    return img;
}

Image MainCapture(FaceState s) {
    Image img = ButtonPlate(28, 22, s);
    const int p = Press(s);
    // A pipette taking up a red drop, its tip at the lower left.
    // clang-format off
    DrawArt(img, 7 + p, 3 + p,
            {"          ###  ",
             "         #####  ",
             "        ######  ",
             "       #######  ",
             "      #######   ",
             "       ####     ",
             "      #o.##     ",
             "     #o.#       ",
             "    #o.#        ",
             "   #o.#         ",
             "  #o.#          ",
             "  #r#           ",
             " #r#            ",
             " rr             ",
             "rrr            "},
            {{'#', kInk}, {'o', kRed}, {'.', kGlass}, {'r', kRed}});
    // clang-format on
    return img;
}

Image MainAbout(FaceState s) {
    Image img = ButtonPlate(28, 22, s);
    const int p = Press(s);
    // "i" in a blue disc.
    // clang-format off
    DrawArt(img, 7 + p, 4 + p,
            {"    #####    ",
             "  #########  ",
             " ####...#### ",
             " ####...#### ",
             "#############",
             "####....#####",
             "#####...#####",
             "#####...#####",
             "#####...#####",
             " ####...#### ",
             " ###.....### ",
             "  #########  ",
             "    #####    "},
            {{'#', kBlue}, {'.', kPaper}});
    // clang-format on
    return img;
}

Image FormatMenu(FaceState s) {
    Image img = ButtonPlate(112, 14, s);
    const int p = Press(s);
    DrawText7(img, 7 + p, 3 + p, "RGB formats", kInk);
    // The menu's arrow at the right end.
    // clang-format off
    DrawArt(img, 98 + p, 5 + p, {
             "#######",
             " ##### ",
             "  ###  ",
             "   #   "},
            {{'#', kInk}});
    // clang-format on
    return img;
}

Image FavInsert(FaceState s) {
    Image img = ButtonPlate(33, 16, s);
    const int p = Press(s);
    // clang-format off
    DrawArt(img, 15 + p, 2 + p,
            {"######  ",
             "#....##  ",
             "#.xx.#.# ",
             "#....####",
             "#.xxxx..#",
             "#.......#",
             "#.xxx...#",
             "#.......#",
             "#.xxxx..#",
             "#.......#",
             "#########"},
            {{'#', kInk}, {'.', kPaper}, {'x', kLines}});
    // clang-format on
    DrawArt(
        img, 7 + p, 4 + p,
        {"     G   ", "     GG  ", "GGGGGgG  ", "GgggggggG", "GGGGGgG  ", "     GG  ", "     G   "},
        {{'G', kDarkGreen}, {'g', kGreen}});
    return img;
}

Image FavCopy(FaceState s) {
    Image img = ButtonPlate(33, 16, s);
    const int p = Press(s);
    // clang-format off
    DrawArt(img, 10 + p, 2 + p,
            {"######  ",
             "#....##  ",
             "#.xx.#.# ",
             "#....####",
             "#.xxxx..#",
             "#.......#",
             "#.xxx...#",
             "#.......#",
             "#########"},
            {{'#', kInk}, {'.', kPaper}, {'x', kLines}});
    DrawArt(img, 14 + p, 4 + p,
            {"######  ",
             "#....##  ",
             "#.xx.#.# ",
             "#....####",
             "#.xxxx..#",
             "#.......#",
             "#.xxx...#",
             "#.......#",
             "#.......#",
             "#########"},
            {{'#', kDarkBlue}, {'.', kPaper}, {'x', kBlue}});
    // clang-format on
    return img;
}

Image FavAdd(FaceState s) {
    Image img = ButtonPlate(33, 16, s);
    const int p = Press(s);
    // A green plus.
    // clang-format off
    DrawArt(img, 11 + p, 3 + p,
            {"   GGGG   ",
             "   GggG   ",
             "   GggG   ",
             "GGGGggGGGG",
             "GggggggggG",
             "GggggggggG",
             "GGGGggGGGG",
             "   GggG   ",
             "   GggG   ",
             "   GGGG   "},
            {{'G', kDarkGreen}, {'g', kGreen}});
    // clang-format on
    return img;
}

Image Ok(FaceState s) {
    Image img = ButtonPlate(48, 22, s);
    const int p = Press(s);
    // A green tick, then "OK" in bold (drawn twice, a pixel apart).
    DrawArt(img, 11 + p, 8 + p,
            {"       GG", "      GG ", "     GG  ", "GG  GG   ", " GGGG    ", "  GG     ", "   G     "},
            {{'G', kGreen}});
    const int x = 24 + p;
    DrawText7(img, x, 8 + p, "OK", kInk);
    DrawText7(img, x + 1, 8 + p, "OK", kInk);
    return img;
}

// A globe of 13 x 13 pixels: a blue disc with the equator and three meridians in the paper
// colour.
void DrawGlobe(Image& img, int left, int top) {
    constexpr double r = 6.5;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
            const double dx = x + 0.5 - r, dy = y + 0.5 - r, d = std::hypot(dx, dy);
            if (d > r) continue;
            ColorValue c = kBlue;
            const double half = 3.2 * std::sqrt(std::max(0.0, 1 - (dy * dy) / (r * r)));
            if (x == 6 || y == 6 || std::fabs(std::fabs(dx) - half) < 0.5)
                c = kGlass;
            if (d > r - 1) c = kDarkBlue;
            img.at(left + x, top + y) = c;
        }
}

Image Web(FaceState s) {
    Image img = ButtonPlate(64, 22, s);
    const int p = Press(s);
    DrawGlobe(img, 7 + p, 4 + p);
    DrawText7(img, 24 + p, 8 + p, "Website", kInk);
    return img;
}

} // namespace

Image ButtonPlate(int w, int h, FaceState s) {
    const Shade shade = ShadeOf(s);
    Image img(w, h, kButtonMaskColor);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!InsidePlate(x, y, w, h)) continue;
            const bool edge = !InsidePlate(x - 1, y, w, h) || !InsidePlate(x + 1, y, w, h) ||
                              !InsidePlate(x, y - 1, w, h) || !InsidePlate(x, y + 1, w, h);
            img.at(x, y) =
                edge ? shade.border : MixColor(shade.top, shade.bottom, double(y) / (h - 1));
        }
    return img;
}

const ButtonFace kButtonFaces[10] = {
    {"cmd_insert", 28, 22, IDB_INSERT_UP, IDB_INSERT_OVER, IDB_INSERT_DOWN, &MainInsert},
    {"cmd_copy", 28, 22, IDB_COPY_UP, IDB_COPY_OVER, IDB_COPY_DOWN, &MainCopy},
    {"cmd_capture", 28, 22, IDB_CAPTURE_UP, IDB_CAPTURE_OVER, IDB_CAPTURE_DOWN, &MainCapture},
    {"cmd_about", 28, 22, IDB_ABOUT_UP, IDB_ABOUT_OVER, IDB_ABOUT_DOWN, &MainAbout},
    {"cmd_rgb_menu", 112, 14, IDB_RGBMENU_UP, IDB_RGBMENU_OVER, IDB_RGBMENU_DOWN, &FormatMenu},
    {"cmd_insert_fav", 33, 16, IDB_INSERTFAV_UP, IDB_INSERTFAV_OVER, IDB_INSERTFAV_DOWN,
     &FavInsert},
    {"cmd_copy_fav", 33, 16, IDB_COPYFAV_UP, IDB_COPYFAV_OVER, IDB_COPYFAV_DOWN, &FavCopy},
    {"cmd_ac_fav", 33, 16, IDB_ACFAV_UP, IDB_ACFAV_OVER, IDB_ACFAV_DOWN, &FavAdd},
    {"cmd_ok", 48, 22, IDB_OK_UP, IDB_OK_OVER, IDB_OK_DOWN, &Ok},
    {"cmd_web", 64, 22, IDB_WEB_UP, IDB_WEB_OVER, IDB_WEB_DOWN, &Web},
};

static_assert(std::size(kButtonFaces) == 10);

} // namespace hv::assets

#include "addin_button.h"
#include <algorithm>
#include <cmath>

namespace hv::assets {

namespace {

constexpr ColorValue kOutline = RGBColor(96, 64, 32);
constexpr ColorValue kWood = RGBColor(222, 178, 116);
constexpr ColorValue kWoodLight = RGBColor(238, 204, 150);
constexpr ColorValue kBulb = RGBColor(40, 40, 48);
constexpr ColorValue kBulbLight = RGBColor(110, 110, 124);
constexpr ColorValue kCollar = RGBColor(150, 150, 160);
constexpr ColorValue kGlass = RGBColor(214, 236, 248);
constexpr ColorValue kGlassEdge = RGBColor(70, 80, 96);

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, ColorValue c) {
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) img.at(x, y) = c;
        }
}

// Every pixel within `r` of the segment from (x0, y0) to (x1, y1).
void FillCapsule(Image& img, double x0, double y0, double x1, double y1, double r, ColorValue c) {
    const double vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const double t = std::clamp(((x - x0) * vx + (y - y0) * vy) / len2, 0.0, 1.0);
            const double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
            if (dx * dx + dy * dy <= r * r) img.at(x, y) = c;
        }
}

void Patch(Image& img, double cx, double cy, ColorValue c) {
    FillEllipse(img, cx, cy, 3.0, 2.6, kOutline);
    FillEllipse(img, cx, cy, 2.2, 1.8, c);
}

} // namespace

Image AddinButtonFace() {
    Image img(32, 32, kButtonBackground);
    // The palette: a wooden oval with a thumb hole, the paint patches along its upper rim.
    FillEllipse(img, 15.5, 21.0, 15.0, 9.5, kOutline);
    FillEllipse(img, 15.5, 21.0, 14.0, 8.5, kWood);
    FillEllipse(img, 13.5, 19.0, 9.0, 4.5, kWoodLight);
    FillEllipse(img, 9.0, 25.0, 3.2, 2.4, kOutline);
    FillEllipse(img, 9.0, 25.0, 2.3, 1.6, kButtonBackground);
    Patch(img, 5.0, 19.5, kPatchGreen);
    Patch(img, 10.5, 15.5, kPatchYellow);
    Patch(img, 17.0, 14.5, kPatchRed);
    Patch(img, 25.5, 19.0, kPatchBlue);
    // The eyedropper, bulb at the top right, tip down to the red patch.
    FillCapsule(img, 22.0, 10.0, 17.5, 14.5, 1.0, kGlassEdge); // tip
    FillCapsule(img, 26.0, 6.0, 21.0, 11.0, 2.4, kGlassEdge);  // tube outline
    FillCapsule(img, 26.0, 6.0, 21.0, 11.0, 1.4, kGlass);
    FillCapsule(img, 27.0, 5.0, 26.0, 6.0, 2.8, kCollar);
    FillCapsule(img, 29.0, 3.0, 28.0, 4.0, 3.2, kBulb);
    img.at(28, 2) = img.at(29, 2) = kBulbLight;
    return img;
}

} // namespace hv::assets

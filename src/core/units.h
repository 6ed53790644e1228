// Twips (1/1440 inch) for positions and sizes, HIMETRIC (0.01 mm) for picture extents,
// pixels for the screen. The twips-per-pixel ratio always comes from the display.
#pragma once
#include <cmath>

namespace hv {

constexpr int kTwipsPerInch = 1440;
constexpr int kHimetricPerInch = 2540;

constexpr int TwipsPerPixelForDpi(int dpi) { return dpi > 0 ? kTwipsPerInch / dpi : 15; }

// Twips to whole pixels: VB rounds to the nearest pixel.
inline int TwipsToPixels(double twips, int twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

// A position inside a control: the pixel that contains it (truncates towards minus infinity,
// so a position just left of the edge is outside, not on pixel 0).
inline int TwipsToPixelIndex(double twips, int twipsPerPixel) {
    return static_cast<int>(std::floor(twips / twipsPerPixel));
}

// The screen's size in pixels from its size in twips, as VB code computes it: both values
// rounded to whole numbers (half to even), then an integer division. A ratio that rounds to
// zero, or a value beyond 32 bits, gives 0 rather than an error.
inline int ScreenPixelsFromTwips(double twips, double twipsPerPixel) {
    const double t = std::nearbyint(twips), r = std::nearbyint(twipsPerPixel);
    constexpr double kLimit = 2147483648.0;
    if (!(t > -kLimit && t < kLimit) || !(r > -kLimit && r < kLimit) || r == 0) return 0;
    return static_cast<int>(static_cast<long long>(t) / static_cast<long long>(r));
}

constexpr double PixelsToTwips(int pixels, int twipsPerPixel) {
    return static_cast<double>(pixels) * twipsPerPixel;
}

// ScaleX/ScaleY from HIMETRIC (8) to twips (1): 741 HIMETRIC is 420.09 twips.
constexpr double HimetricToTwips(double himetric) {
    return himetric * kTwipsPerInch / kHimetricPerInch;
}

// A picture of n pixels at the given DPI measures this many HIMETRIC units.
inline int PixelsToHimetric(int pixels, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(pixels) * kHimetricPerInch / dpi));
}

} // namespace hv

#include "frame.h"
#include <cmath>

namespace hv::assets {

Image MainBackground() { return PanelBackground(376, 141); }

Image PanelBackground(int w, int h) {
    constexpr int margin = 3, radius = 6;
    Image img(w, h, kFrameBlue);
    img.fillRect(0, 0, w - 1, kTitleBandHeight - 1, kTitleBlue);
    // A lighter line under the title band.
    img.fillRect(0, kTitleBandHeight, w - 1, kTitleBandHeight, RGBColor(0x8F, 0xA6, 0xDC));
    const int left = margin, top = kTitleBandHeight + 3, right = w - 2 - margin, bottom = h - 1 - margin;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            // Distance into a corner's quarter circle decides whether the pixel is panel.
            const int cx = x < left + radius ? left + radius : x > right - radius ? right - radius : x;
            const int cy = y < top + radius ? top + radius : y > bottom - radius ? bottom - radius : y;
            const double d = std::hypot(x - cx, y - cy);
            if (d <= radius - 0.5) img.at(x, y) = kPanelWhite;
        }
    return img;
}

namespace {

constexpr ColorValue kButtonBlue = RGBColor(0x4A, 0x6C, 0xC0);
constexpr ColorValue kBevelLight = RGBColor(0xB8, 0xCB, 0xF2);
constexpr ColorValue kBevelDark = RGBColor(0x1C, 0x2C, 0x5C);
constexpr ColorValue kGlyph = RGBColor(255, 255, 255);

Image Button(bool pressed) {
    Image img(14, 12, kButtonBlue);
    const ColorValue topLeft = pressed ? kBevelDark : kBevelLight;
    const ColorValue bottomRight = pressed ? kBevelLight : kBevelDark;
    img.fillRect(0, 0, 13, 0, topLeft);
    img.fillRect(0, 0, 0, 11, topLeft);
    img.fillRect(0, 11, 13, 11, bottomRight);
    img.fillRect(13, 0, 13, 11, bottomRight);
    return img;
}

Image Close(bool pressed) {
    Image img = Button(pressed);
    const int d = pressed ? 1 : 0;
    for (int i = 0; i < 6; ++i) {
        // Two pixels wide strokes, so the cross reads at this size.
        img.at(4 + i + d, 3 + i + d) = kGlyph;
        img.at(5 + i + d, 3 + i + d) = kGlyph;
        img.at(9 - i + d, 3 + i + d) = kGlyph;
        img.at(8 - i + d, 3 + i + d) = kGlyph;
    }
    return img;
}

Image Minimize(bool pressed) {
    Image img = Button(pressed);
    const int d = pressed ? 1 : 0;
    img.fillRect(4 + d, 7 + d, 9 + d, 8 + d, kGlyph);
    return img;
}

} // namespace

Image CloseNormal() { return Close(false); }
Image ClosePressed() { return Close(true); }
Image MinimizeNormal() { return Minimize(false); }
Image MinimizePressed() { return Minimize(true); }

} // namespace hv::assets

// The main window's frame: background with title band, close and minimise pictures.
#pragma once
#include "../core/image.h"

namespace hv::assets {

constexpr ColorValue kFrameBlue = RGBColor(0x67, 0x7D, 0xB9);
constexpr ColorValue kTitleBlue = RGBColor(0x2F, 0x4A, 0x8C);
constexpr ColorValue kPanelWhite = RGBColor(255, 255, 255);
constexpr int kTitleBandHeight = 21;

// Blue frame, darker title band across the top, white panel with rounded corners.
Image PanelBackground(int width, int height);
// 376 x 141, the main window's.
Image MainBackground();

// 14 x 12 bevelled blue buttons; pressed: bevel reversed, glyph one pixel right and down.
Image CloseNormal();
Image ClosePressed();
Image MinimizeNormal();
Image MinimizePressed();

} // namespace hv::assets

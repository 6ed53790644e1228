// The command-bar button's picture: an eyedropper over a painter's palette.
#pragma once
#include "../core/image.h"

namespace hv::assets {

// 32 x 32 on the button background; the palette carries green, yellow, red and blue patches.
Image AddinButtonFace();
constexpr ColorValue kButtonBackground = RGBColor(236, 233, 216);
constexpr ColorValue kPatchGreen = RGBColor(0, 160, 60);
constexpr ColorValue kPatchYellow = RGBColor(255, 214, 0);
constexpr ColorValue kPatchRed = RGBColor(220, 20, 30);
constexpr ColorValue kPatchBlue = RGBColor(30, 70, 210);

} // namespace hv::assets

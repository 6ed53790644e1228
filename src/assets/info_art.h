// Pictures of the About, support and donation windows. Their words are not drawn here: the
// windows set them at run time in the system's fonts, into the places given below.
#pragma once
#include "../core/image.h"

namespace hv::assets {

// 376 x 200: the main window's frame and panel at the About window's height (375 of the
// columns show, as on the main window).
Image AboutBackground();

// 145 x 29: three overlapping discs of printing ink at the left; the maker's name goes to
// the right of kLogoTextLeft.
Image MakerLogo();
constexpr int kLogoTextLeft = 34;

// 355 x 316: a sheet with a warm title band (its text to the right of kSheetTitleLeft, inside
// the band's height) and room for the text below it, from kSheetTextTop to kSheetTextBottom
// between kSheetMargin and the right margin.
Image ExplanationSheet();
constexpr int kSheetBandHeight = 44;
constexpr int kSheetTitleLeft = 46;
constexpr int kSheetMargin = 14;
constexpr int kSheetTextTop = 56;
constexpr int kSheetTextBottom = 290;

// 116 x 20: a warm badge with a heart at the left; its word goes right of kBadgeTextLeft.
// The rounded corners are white, the About window's panel colour.
Image GivesomeBadge();
// 76 x 20: a green link button with a heart at the left; its word goes right of
// kBadgeTextLeft.
Image DonateLink();
constexpr int kBadgeTextLeft = 21;

// 32 x 32 pointing hand; pixels of kCursorClear are not drawn.
Image LinkHandCursor();
constexpr int kHandHotX = 5;
constexpr int kHandHotY = 0;
constexpr ColorValue kCursorClear = RGBColor(255, 0, 255);

} // namespace hv::assets

// The three palette pictures and the pipette pointer, drawn from code.
#pragma once
#include "../core/image.h"

namespace hv::assets {

// 8 x 6 cells of 12/11 pixels on 99 x 74 pixels, separated by lines of red = green = blue = 8.
Image BasicPalette();
constexpr ColorValue kBasicSeparator = RGBColor(8, 8, 8);
// The cell colours as RRGGBB, row by row.
extern const unsigned kBasicCellsRRGGBB[6][8];
// First and last pixel of each cell column and row.
extern const int kBasicColumns[8][2];
extern const int kBasicRows[6][2];

// Hues from red round to red along x, white at the top, full colour in row 10, black below.
Image QuickColorPalette();
// The colours of row 10 at x = 0, 13, ..., 208, as RRGGBB.
extern const unsigned kQuickRow10RRGGBB[17];

// 35 x 21 neutral greys from the 30 levels 8n + n/4 (n = 0, 3..31).
Image GreyScalePalette();
constexpr int GreyLevel(int n) { return 8 * n + n / 4; }

// 32 x 32 pipette, tip at the lower left; pixels of kCursorTransparent are not drawn.
Image PipetteCursor();
constexpr int kPipetteHotX = 1;
constexpr int kPipetteHotY = 17;
constexpr ColorValue kCursorTransparent = RGBColor(255, 0, 255);

} // namespace hv::assets

// Screen metrics as VB's Screen object gives them: twips, with the display's own ratio.
#pragma once
#include <windows.h>

namespace hv::rt {

// The display's pixels per logical inch (96 at 100 %), read once per process.
int ScreenDpiX();
int ScreenDpiY();
int TwipsPerPixelX();
int TwipsPerPixelY();
int ScreenWidthTwips();
int ScreenHeightTwips();

// The work area of the monitor nearest to the given point, in pixels.
RECT WorkAreaNear(POINT pt);

} // namespace hv::rt

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
// The rectangle moved wholly into the work area of the monitor nearest its centre (its
// top-left corner wins when it is larger than the area).
RECT KeptOnMonitor(RECT r);
// The work area of the monitor that holds most of the window (the primary one without a window).
RECT WorkAreaOf(HWND window);

// The rectangle around every monitor, in pixels. Its left or top is negative where a monitor
// lies left of or above the primary one.
RECT VirtualScreenRect();

} // namespace hv::rt

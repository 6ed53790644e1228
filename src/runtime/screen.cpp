#include "screen.h"
#include "../core/units.h"
#include "handles.h"

namespace hv::rt {

namespace {
int ReadDpi(int index) {
    ClientDc dc(nullptr);
    return GetDeviceCaps(dc.get(), index);
}

// Read once: a process that is not DPI-aware (as the VB IDE) sees one resolution for its
// whole life, and a screen context costs more than a screen grab's own set-up.
int Dpi(int index) {
    static const int x = ReadDpi(LOGPIXELSX), y = ReadDpi(LOGPIXELSY);
    return index == LOGPIXELSX ? x : y;
}
} // namespace

int ScreenDpiX() {
    return Dpi(LOGPIXELSX);
}
int ScreenDpiY() {
    return Dpi(LOGPIXELSY);
}
int TwipsPerPixelX() {
    return TwipsPerPixelForDpi(Dpi(LOGPIXELSX));
}
int TwipsPerPixelY() {
    return TwipsPerPixelForDpi(Dpi(LOGPIXELSY));
}
int ScreenWidthTwips() {
    return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX();
}
int ScreenHeightTwips() {
    return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
}

RECT WorkAreaNear(POINT pt) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) return mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return r;
}

} // namespace hv::rt

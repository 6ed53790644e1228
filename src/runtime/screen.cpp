#include "screen.h"
#include "../core/units.h"
#include "handles.h"

namespace hv::rt {

namespace {
int Dpi(int index) {
    ClientDc dc(nullptr);
    return GetDeviceCaps(dc.get(), index);
}
} // namespace

int TwipsPerPixelX() { return TwipsPerPixelForDpi(Dpi(LOGPIXELSX)); }
int TwipsPerPixelY() { return TwipsPerPixelForDpi(Dpi(LOGPIXELSY)); }
int ScreenWidthTwips() { return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX(); }
int ScreenHeightTwips() { return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY(); }

RECT WorkAreaNear(POINT pt) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoA(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi)) return mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return r;
}

} // namespace hv::rt

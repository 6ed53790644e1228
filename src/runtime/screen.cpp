#include "screen.h"
#include "../core/units.h"
#include "handles.h"
#include <algorithm>

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

namespace {
RECT WorkAreaOfMonitor(HMONITOR monitor) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (monitor && GetMonitorInfoA(monitor, &mi)) return mi.rcWork;
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return r;
}
} // namespace

RECT WorkAreaNear(POINT pt) {
    return WorkAreaOfMonitor(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST));
}

RECT KeptOnMonitor(RECT r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    const RECT work = WorkAreaNear(POINT{r.left + width / 2, r.top + height / 2});
    const LONG left = std::max(work.left, std::min(r.left, work.right - width));
    const LONG top = std::max(work.top, std::min(r.top, work.bottom - height));
    return RECT{left, top, left + width, top + height};
}

RECT WorkAreaOf(HWND window) {
    return WorkAreaOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

namespace {
BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT monitor, LPARAM all) {
    RECT& r = *reinterpret_cast<RECT*>(all);
    UnionRect(&r, &r, monitor);
    return TRUE;
}
} // namespace

RECT VirtualScreenRect() {
    // The bounding rectangle of the monitors, as the virtual screen's metrics give it, in one
    // look at the monitors instead of four (under Wine each is a trip to the window server).
    RECT all{};
    if (EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&all)) &&
        !IsRectEmpty(&all))
        return all;
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    // Systems without the metrics answer 0: the primary screen is all there is.
    if (w <= 0 || h <= 0) return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return RECT{x, y, x + w, y + h};
}

} // namespace hv::rt

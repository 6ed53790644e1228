#include "capture_screen.h"
#include "../runtime/screen.h"
#include "screen_capture.h"

namespace hv::capture {

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE(_V2), as the system's headers define them.
const DpiContext kPerMonitorV1 = reinterpret_cast<DpiContext>(-3);

template <typename F> F Export(const char* dll, const char* name) {
    HMODULE m = GetModuleHandleA(dll);
    if (!m) m = LoadLibraryA(dll); // shcore is not loaded in every IDE
    return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*r);
    return TRUE;
}

class SystemScreen final : public CaptureScreen {
  public:
    DpiContext SetContext(DpiContext context) override {
        // Windows 10 1607 and later; v2 from 1703. Never the process's awareness.
        using Set = DpiContext(WINAPI*)(DpiContext);
        static const Set set = Export<Set>("user32.dll", "SetThreadDpiAwarenessContext");
        if (!set) return nullptr;
        if (context != kPerMonitorContext) return set(context);
        const DpiContext previous = set(kPerMonitorContext);
        return previous ? previous : set(kPerMonitorV1);
    }
    std::vector<RECT> Monitors() override {
        std::vector<RECT> all;
        EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&all));
        return all;
    }
    double Virtualised() override {
        // The mode is the monitor's real size; a virtualised thread sees a smaller rectangle.
        MONITORINFOEXA mi{};
        mi.cbSize = sizeof mi;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if (!GetMonitorInfoA(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi) ||
            !EnumDisplaySettingsA(mi.szDevice, ENUM_CURRENT_SETTINGS, &mode))
            return 1;
        const LONG w = mi.rcMonitor.right - mi.rcMonitor.left;
        return w > 0 && LONG(mode.dmPelsWidth) > w ? double(mode.dmPelsWidth) / w : 1;
    }
    int MonitorDpi(POINT pt) override {
        // Windows 8.1 and later; the system's DPI before.
        using Get = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
        static const Get get = Export<Get>("shcore.dll", "GetDpiForMonitor");
        UINT x = 0, y = 0;
        if (get && SUCCEEDED(get(MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x)
            return int(x);
        return rt::ScreenDpiX();
    }
    POINT CursorPos() override {
        POINT pt{};
        GetCursorPos(&pt);
        return pt;
    }
    void SetCursorPos(POINT pt) override { ::SetCursorPos(pt.x, pt.y); }
    HWND WindowFromPoint(POINT pt) override { return ::WindowFromPoint(pt); }
    rt::ComPtr<IPictureDisp> Grab(const RECT& r) override {
        return GrabWindowArea(nullptr, true, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
};

SystemScreen systemScreen;
CaptureScreen* inUse = &systemScreen;

} // namespace

CaptureScreen& Screen() {
    return *inUse;
}

void UseScreen(CaptureScreen* screen) {
    inUse = screen ? screen : &systemScreen;
}

RECT BoundingRect(const std::vector<RECT>& monitors) {
    RECT all{};
    for (const RECT& m : monitors)
        UnionRect(&all, &all, &m);
    return all;
}

} // namespace hv::capture

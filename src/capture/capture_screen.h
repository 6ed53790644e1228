// The screen as the capture asks it: the calls whose answers depend on the thread's DPI
// awareness go through this one interface. In a DPI-unaware IDE (VB6) on a scaled display,
// Windows answers metrics, monitors and the pointer in logical units, while BitBlt from the
// screen copies physical pixels; in a per-monitor-aware thread context every answer is
// physical. Tests answer through it as Windows does, which Wine never does.
#pragma once
#include "../runtime/com_ptr.h"
#include <ocidl.h>
#include <vector>
#include <windows.h>

namespace hv::capture {

// A thread DPI awareness context, as SetThreadDpiAwarenessContext takes and returns it.
using DpiContext = HANDLE;
// Per-monitor aware: v2 where the system has it, v1 otherwise.
inline const DpiContext kPerMonitorContext = reinterpret_cast<DpiContext>(-4);

class CaptureScreen {
  public:
    virtual ~CaptureScreen() = default;
    // Puts the thread in `context` and gives the one it had; nullptr (and nothing changed)
    // where the system has no thread contexts (before Windows 10 1607).
    virtual DpiContext SetContext(DpiContext context) = 0;
    // Every monitor, in the thread's units.
    virtual std::vector<RECT> Monitors() = 0;
    // Screen pixels per unit of the thread, from the primary monitor's mode against its
    // rectangle: above 1 where the system scales the thread's view of the screen.
    virtual double Virtualised() = 0;
    // The effective DPI of the monitor nearest `pt`.
    virtual int MonitorDpi(POINT pt) = 0;
    virtual POINT CursorPos() = 0;
    virtual void SetCursorPos(POINT pt) = 0;
    virtual HWND WindowFromPoint(POINT pt) = 0;
    // The screen's pixels from `r`'s corner at its size; BitBlt from the screen's context,
    // which copies physical pixels whatever the thread's units.
    virtual rt::ComPtr<IPictureDisp> Grab(const RECT& r) = 0;
};

// The one in use: the system's, or the one a test put in place (nullptr for the system's).
CaptureScreen& Screen();
void UseScreen(CaptureScreen* screen);

// The rectangle around the monitors, or the empty one.
RECT BoundingRect(const std::vector<RECT>& monitors);

// Per-monitor aware while it lives, the context before back at its end.
class PerMonitorScope {
  public:
    PerMonitorScope() : previous_(Screen().SetContext(kPerMonitorContext)) {}
    ~PerMonitorScope() {
        if (previous_) Screen().SetContext(previous_);
    }
    PerMonitorScope(const PerMonitorScope&) = delete;
    PerMonitorScope& operator=(const PerMonitorScope&) = delete;
    DpiContext previous() const { return previous_; }

  private:
    DpiContext previous_;
};

// Back in `context` (the IDE's) while it lives: around every call out of the capture.
class ContextScope {
  public:
    explicit ContextScope(DpiContext context)
        : previous_(context ? Screen().SetContext(context) : nullptr) {}
    ~ContextScope() {
        if (previous_) Screen().SetContext(previous_);
    }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

  private:
    DpiContext previous_;
};

} // namespace hv::capture

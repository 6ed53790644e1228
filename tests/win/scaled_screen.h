// The screen as Windows shows it to a thread on scaled monitors, over Wine's real one (Wine
// answers every thread in physical pixels). After Microsoft's "High DPI Desktop Application
// Development on Windows", "Mixed-Mode DPI Scaling and DPI-aware APIs" and the pages of
// SetThreadDpiAwarenessContext, GetDpiForMonitor and PhysicalToLogicalPoint: a DPI-unaware
// thread sees each monitor at 96 DPI (its rectangle, the pointer and the points it passes are
// the physical ones divided by the monitor's scale, monitors kept side by side), GetDpiForMonitor
// answers 96 (a system-aware thread, as Office calls its add-ins in after "Handle high DPI and
// DPI scaling in your Office solution", sees each monitor at the system's DPI), and BitBlt from the screen copies physical pixels at the coordinates given; a
// per-monitor-aware thread sees physical pixels everywhere. A top-level window keeps the
// context it was made in: the test sends mouse messages in its units (WindowPoint).
#pragma once
#include "capture/capture_screen.h"
#include <map>
#include <vector>

namespace hv::test {

// DPI_AWARENESS_CONTEXT_UNAWARE: the IDE's, as VB6.EXE (no DPI manifest) has it;
// DPI_AWARENESS_CONTEXT_SYSTEM_AWARE, as the VBA editor calls its add-ins.
inline const capture::DpiContext kUnawareContext = reinterpret_cast<capture::DpiContext>(-1);
inline const capture::DpiContext kSystemAwareContext = reinterpret_cast<capture::DpiContext>(-2);

class ScaledScreen final : public capture::CaptureScreen {
  public:
    struct Monitor {
        RECT physical; // side by side from the primary one at (0, 0)
        double scale;  // 1.25 at 125 %
    };
    // threadContexts false: Windows 7 or 8.1, where SetThreadDpiAwarenessContext is missing.
    // `ide`: the thread's context (the system's DPI is the primary monitor's). In use by the
    // capture while it lives.
    explicit ScaledScreen(std::vector<Monitor> monitors, bool threadContexts = true,
                          capture::DpiContext ide = kUnawareContext);
    ~ScaledScreen() override;
    ScaledScreen(const ScaledScreen&) = delete;
    ScaledScreen& operator=(const ScaledScreen&) = delete;

    capture::DpiContext SetContext(capture::DpiContext context) override;
    std::vector<RECT> Monitors() override;
    double Virtualised() override;
    int MonitorDpi(POINT pt) override;
    POINT CursorPos() override;
    void SetCursorPos(POINT pt) override;
    HWND WindowFromPoint(POINT pt) override;
    rt::ComPtr<IPictureDisp> Grab(const RECT& r) override;

    capture::DpiContext context() const { return context_; }
    bool PerMonitor() const { return context_ == capture::kPerMonitorContext; }
    // Whether the top-level window was made in a per-monitor context.
    bool MadePerMonitor(HWND w) const;
    // The client point of `w` that a mouse message carries for the physical screen point `pt`.
    POINT WindowPoint(HWND w, POINT pt) const;
    POINT Logical(POINT physical) const;
    POINT Physical(POINT logical) const;

  private:
    RECT LogicalRect(size_t i) const;
    // Physical pixels per unit of the thread on monitor i.
    double Scale(size_t i) const { return monitors_[i].scale / threadScale_; }
    static LRESULT CALLBACK Made(int code, WPARAM wp, LPARAM lp);
    std::vector<Monitor> monitors_;
    bool threadContexts_;
    capture::DpiContext context_;
    double threadScale_; // the scale the thread sees as its own: 1 unaware, the system's aware
    std::map<HWND, bool> made_;
    HHOOK hook_ = nullptr;
    static inline ScaledScreen* current_ = nullptr;
};

} // namespace hv::test

// The screen as Windows shows it to a thread on scaled monitors, over Wine's real one (Wine
// answers every thread in physical pixels). After Microsoft's "High DPI Desktop Application
// Development on Windows", "Mixed-Mode DPI Scaling and DPI-aware APIs" and the pages of
// SetThreadDpiAwarenessContext, GetDpiForMonitor and PhysicalToLogicalPoint: a DPI-unaware
// thread sees each monitor at 96 DPI (its rectangle, the pointer and the points it passes are
// the physical ones divided by the monitor's scale, monitors kept side by side), GetDpiForMonitor
// answers 96, and BitBlt from the screen copies physical pixels at the coordinates given; a
// per-monitor-aware thread sees physical pixels everywhere. A top-level window keeps the
// context it was made in: the test sends mouse messages in its units (WindowPoint).
#pragma once
#include "capture/capture_screen.h"
#include <map>
#include <vector>

namespace hv::test {

// DPI_AWARENESS_CONTEXT_UNAWARE: the IDE's, as VB6.EXE (no DPI manifest) has it.
inline const capture::DpiContext kUnawareContext = reinterpret_cast<capture::DpiContext>(-1);

class ScaledScreen final : public capture::CaptureScreen {
  public:
    struct Monitor {
        RECT physical; // side by side from the primary one at (0, 0)
        double scale;  // 1.25 at 125 %
    };
    // threadContexts false: Windows 7 or 8.1, where SetThreadDpiAwarenessContext is missing.
    // In use by the capture while it lives.
    explicit ScaledScreen(std::vector<Monitor> monitors, bool threadContexts = true);
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
    static LRESULT CALLBACK Made(int code, WPARAM wp, LPARAM lp);
    std::vector<Monitor> monitors_;
    bool threadContexts_;
    capture::DpiContext context_ = kUnawareContext;
    std::map<HWND, bool> made_;
    HHOOK hook_ = nullptr;
    static inline ScaledScreen* current_ = nullptr;
};

} // namespace hv::test

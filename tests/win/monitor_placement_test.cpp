// Where the main and About windows open: on the IDE's monitor, at the right edge of its work
// area, the About window below the main one, both wholly on their monitor. On two monitors
// (see scripts/test.sh) the IDE stands on the second one.
#include "control_host.h"
#include "forms/frm_about.h"
#include "forms/frm_main.h"
#include "forms/on_top.h"
#include "runtime/screen.h"
#include "support/pump.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace hv::test {

namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM out) {
    reinterpret_cast<std::vector<HMONITOR>*>(out)->push_back(monitor);
    return TRUE;
}

// The last monitor the system lists: the second one where there are two.
MONITORINFO LastMonitor() {
    std::vector<HMONITOR> all;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&all));
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!all.empty()) GetMonitorInfoA(all.back(), &mi);
    return mi;
}

bool Inside(const RECT& r, const RECT& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}

// A captioned top-level window standing for the IDE's main window, active.
class IdeWindow {
  public:
    explicit IdeWindow(const RECT& monitor) {
        hwnd_ =
            CreateWindowExA(0, "STATIC", "IDE", WS_OVERLAPPEDWINDOW | WS_VISIBLE, monitor.left + 10,
                            monitor.top + 10, 300, 200, nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(hwnd_);
        PumpMessages();
    }
    ~IdeWindow() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }

  private:
    HWND hwnd_;
};

class MonitorPlacementTest : public ::testing::Test {
  protected:
    void SetUp() override { monitor_ = LastMonitor(); }
    void TearDown() override {
        main_.reset();
        PumpMessages();
    }
    forms::frmMain& OpenMain(HWND ide = nullptr) {
        main_ = std::make_unique<forms::frmMain>();
        main_->Load(ide);
        PumpMessages();
        return *main_;
    }
    MONITORINFO monitor_{};
    std::unique_ptr<forms::frmMain> main_;
};

} // namespace

TEST_F(MonitorPlacementTest, MainWindowOpensAtTheRightEdgeOfTheIdesMonitor) {
    const IdeWindow ide(monitor_.rcMonitor);
    ASSERT_EQ(GetActiveWindow(), ide.hwnd());
    // Without the IDE's main window, the active window stands for it.
    forms::frmMain* main = &OpenMain();
    RECT r{};
    GetWindowRect(main->hWnd(), &r);
    EXPECT_EQ(r.right, monitor_.rcWork.right);
    EXPECT_EQ(r.top, monitor_.rcWork.top + 300 / main->form().TwipsPerPixelY());
    EXPECT_TRUE(Inside(r, monitor_.rcWork));

    // The IDE's main window decides, whichever window is active (on two monitors another
    // one, on the primary).
    main_.reset();
    const IdeWindow other(RECT{0, 0, 400, 300});
    ASSERT_EQ(GetActiveWindow(), other.hwnd());
    main = &OpenMain(ide.hwnd());
    GetWindowRect(main->hWnd(), &r);
    EXPECT_EQ(r.right, monitor_.rcWork.right);
    EXPECT_TRUE(Inside(r, monitor_.rcWork));
}

TEST_F(MonitorPlacementTest, AboutStandsBelowTheMainWindowOrAsCloseAsTheMonitorAllows) {
    const IdeWindow ide(monitor_.rcMonitor);
    forms::frmMain& main = OpenMain();
    RECT m{};
    GetWindowRect(main.hWnd(), &m);
    main.aboutForm().Show(main.form());
    RECT a{};
    GetWindowRect(main.aboutForm().form().hwnd(), &a);
    EXPECT_EQ(a.left, m.left);
    EXPECT_EQ(a.top, m.bottom);
    main.aboutForm().form().Unload();

    // Near the bottom of the work area there is no room below: the About window stays on
    // the monitor, as low as it can, and the main window too.
    const int ty = main.form().TwipsPerPixelY(), tx = main.form().TwipsPerPixelX();
    main.form().MoveTo(m.left * tx, (monitor_.rcWork.bottom - 10) * ty);
    forms::SetTopMost(main, true);
    GetWindowRect(main.hWnd(), &m);
    EXPECT_TRUE(Inside(m, monitor_.rcWork));
    EXPECT_EQ(m.bottom, monitor_.rcWork.bottom);
    main.aboutForm().Show(main.form());
    GetWindowRect(main.aboutForm().form().hwnd(), &a);
    EXPECT_TRUE(Inside(a, monitor_.rcWork));
    EXPECT_EQ(a.bottom, monitor_.rcWork.bottom);
    EXPECT_EQ(a.left, m.left);
}

} // namespace hv::test

namespace hv::test {

// The virtual screen the capture covers is the one the system's metrics describe, on one
// monitor or two.
TEST(VirtualScreenTest, IsTheBoundingRectangleTheMetricsGive) {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT expected{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const RECT v = rt::VirtualScreenRect();
    EXPECT_TRUE(EqualRect(&v, &expected)) << v.left << "," << v.top << "-" << v.right << ","
                                          << v.bottom;
}

} // namespace hv::test

// No handle leaks. The process's GDI handle table is filled up to a small spare, then more
// rounds of creating, showing and destroying controls run than the spare holds: a round that
// lost one object would exhaust it. The handles our own wrappers own, the running timers and
// the form's tooltip entries must all come back to where they started.
#include "control_host.h"
#include "controls/lumo_color_container.h"
#include "controls/trans_skin_button.h"
#include "runtime/handles.h"
#include "runtime/mouse_pointer.h"
#include "runtime/picture_box.h"
#include "runtime/timer.h"
#include <commctrl.h>
#include <vector>

namespace hv::test {

namespace {

// Holds every GDI handle the process can still get but `spare`. Raw handles on purpose:
// they are the test's, not the product's, and stay out of the product's handle count.
class GdiSqueeze {
  public:
    explicit GdiSqueeze(int spare) {
        while (HRGN r = CreateRectRgn(0, 0, 1, 1))
            held_.push_back(r);
        for (int i = 0; i < spare && !held_.empty(); ++i) {
            DeleteObject(held_.back());
            held_.pop_back();
        }
    }
    ~GdiSqueeze() {
        for (HRGN r : held_)
            DeleteObject(r);
    }
    GdiSqueeze(const GdiSqueeze&) = delete;
    GdiSqueeze& operator=(const GdiSqueeze&) = delete;
    size_t held() const { return held_.size(); }

    // How many more GDI objects the process can create now, counting up to `limit`.
    static int FreeHandles(int limit) {
        std::vector<HRGN> probe;
        while (static_cast<int>(probe.size()) < limit) {
            HRGN r = CreateRectRgn(0, 0, 1, 1);
            if (!r) break;
            probe.push_back(r);
        }
        for (HRGN r : probe)
            DeleteObject(r);
        return static_cast<int>(probe.size());
    }

  private:
    std::vector<HRGN> held_;
};

using LeakTest = ControlHostTest;

BOOL CALLBACK CountTooltip(HWND w, LPARAM count) {
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (!lstrcmpiA(cls, TOOLTIPS_CLASSA)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}
int TooltipWindowsOfThisThread() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTooltip, reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace

TEST_F(LeakTest, ControlsMadeShownAndDestroyedGiveBackEveryHandle) {
    // Making a window costs milliseconds here, so the spare is small and the rounds few; the
    // rounds still outnumber the spare.
    const int kSpare = 48, kRounds = 64;
    HWND tips = host().tooltipWindow();
    const LRESULT tools = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    const long wrappers = rt::LiveHandleCount(), timers = rt::Timer::RunningCount();
    {
        // Two shapes, so that every round also hands a new region to the window.
        Image full(20, 12, kDownColour);
        rt::PropertyBag bag{{"pictureup", CornerFace(kUpColour)},
                            {"pictureover", CornerFace(kOverColour)},
                            {"picturedown", rt::Picture::FromImage(full)},
                            {"maskcolor", kMask}};
        const rt::PicturePtr icon = CornerFace(RGBColor(9, 9, 9));
        auto round = [&](int i) {
            controls::TransSkinButton button(host(), "cmd", 300, 300, 660, 420, &bag);
            button.SetButtonStyle(1);
            button.SetValue(true);
            button.SetMouseIcon(icon);
            button.SetMousePointer(rt::vbCustom);
            button.SetToolTipText("button");
            controls::LumoColorContainer swatch(host(), "CC", 1200, 300, 240, 225, nullptr);
            swatch.SetColorTipText("swatch");
            swatch.SetStyle(1);
            swatch.SetBackColor(RGBColor(i & 0xFF, 0, 0));
            RedrawWindow(host().hwnd(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpMessages(); // the hover timers' first ticks
        };
        round(0); // the system's own caches fill once
        GdiSqueeze squeeze(kSpare);
        ASSERT_GT(squeeze.held(), 5000u); // the table really is nearly full
        const int before = GdiSqueeze::FreeHandles(kSpare + 100);
        for (int i = 1; i <= kRounds; ++i)
            round(i);
        const int after = GdiSqueeze::FreeHandles(kSpare + 100);
        EXPECT_GE(after, before - 2) << "GDI objects lost over " << kRounds << " rounds";
    }
    EXPECT_EQ(rt::LiveHandleCount(), wrappers);
    EXPECT_EQ(rt::Timer::RunningCount(), timers);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), tools);
}

// The tooltip window is made when first needed, with the tips given until then as they last
// stood: a rewritten tip has its last text; a cleared one, or one whose control went, is none.
TEST_F(LeakTest, TipsGivenBeforeTheTooltipIsMadeArriveAsTheyLastStood) {
    const int before = TooltipWindowsOfThisThread();
    auto& kept = host().Add<rt::PictureBox>("kept", 0, 0, 300, 300, false);
    auto& cleared = host().Add<rt::PictureBox>("cleared", 300, 0, 300, 300, false);
    kept.SetToolTipText("first");
    kept.SetToolTipText("second");
    cleared.SetToolTipText("soon cleared");
    cleared.SetToolTipText("");
    {
        rt::PictureBox gone(host(), "gone", 600, 0, 300, 300, false);
        gone.SetToolTipText("gone with its control");
    }
    EXPECT_EQ(TooltipWindowsOfThisThread(), before) << "a tooltip window made before anything needed it";

    HWND tips = host().tooltipWindow();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(TooltipWindowsOfThisThread(), before + 1);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[80] = "";
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = host().hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(kept.hwnd());
    ti.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "second");
}

} // namespace hv::test

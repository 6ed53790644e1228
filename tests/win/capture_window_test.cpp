// Screen colour capture from the main window's capture button, driven by the real cursor and
// real mouse input: the frozen screen, the live pick, the press that ends it, the order of the
// two windows, and what a capture leaves behind.
#include "capture/screen_capture.h"
#include "capture_fixture.h"
#include "forms/on_top.h"
#include "support/picture_object_image.h"
#include "support/process_memory.h"
#include <algorithm>
#include <memory>
#include <vector>

namespace hv::test {

namespace {

bool IsTopmost(HWND w) {
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}
int ThreadWindowCount() {
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindow, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The WM_PAINT messages this thread's windows get while it lives, sent or dispatched.
class PaintLog {
  public:
    PaintLog() {
        current_ = this;
        sent_ = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        got_ = SetWindowsHookExA(WH_GETMESSAGE, Got, nullptr, GetCurrentThreadId());
    }
    ~PaintLog() {
        UnhookWindowsHookEx(sent_);
        UnhookWindowsHookEx(got_);
        current_ = nullptr;
    }
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;
    int To(HWND w) const {
        return static_cast<int>(std::count(painted_.begin(), painted_.end(), w));
    }

  private:
    static LRESULT CALLBACK Sent(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && current_ && m->message == WM_PAINT)
            current_->painted_.push_back(m->hwnd);
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static LRESULT CALLBACK Got(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (code == HC_ACTION && wp == PM_REMOVE && current_ && m->message == WM_PAINT)
            current_->painted_.push_back(m->hwnd);
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline PaintLog* current_ = nullptr;
    HHOOK sent_, got_;
    std::vector<HWND> painted_;
};

} // namespace

// What the click is waited on for comes first: the frozen screen is painted, once, before the
// click returns; the loupe and the main window in front come after it.
TEST_F(CaptureWindowTest, TheClickReturnsWithTheFrozenScreenPaintedOnceAndTheLoupeFollows) {
    colour::SetCurrentColor(main().fields(), RGBColor(12, 34, 56));
    const POINT preview = ScreenPoint(main().picCurrentCol->hwnd(), 10, 10);
    PaintLog paints;
    const HWND button = main().cmdCapture->hwnd();
    RECT b{};
    GetClientRect(button, &b);
    ClickAt(button, b.right / 2, b.bottom / 2);
    ASSERT_TRUE(Capturing());
    const HWND pic = capture()->picScreen->hwnd();
    EXPECT_TRUE(Painted(CaptureWindow()));
    EXPECT_EQ(paints.To(pic), 1);
    EXPECT_FALSE(IsWindowVisible(capture()->loupe().hwnd()));

    ASSERT_TRUE(
        WaitFor("the loupe shown", [&] { return IsWindowVisible(capture()->loupe().hwnd()); }));
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(paints.To(pic), 1) << "the frozen screen painted again";
    EXPECT_EQ(WindowFromPoint(preview), main().picCurrentCol->hwnd());
    EXPECT_EQ(GetFocus(), CaptureWindow());
    Send(pic, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    EXPECT_FALSE(Capturing());
}

TEST_F(CaptureWindowTest, PointerPicksFromTheFrozenScreenAndTheRightButtonKeepsTheColour) {
    struct Area {
        ColorValue colour;
        POINT at;
        const char* shown;
    };
    const Area areas[] = {{kRed, {100, 100}, "&H00FF& 255 0 0"},
                          {kBlue, {200, 100}, "&H00FF0000& 0 0 255"},
                          {kBlack, {300, 100}, "&H000& 0 0 0"}};
    std::vector<std::unique_ptr<ImageWindow>> squares;
    for (const Area& a : areas)
        squares.push_back(Square(a.colour, a.at));
    for (const auto& sq : squares) ASSERT_TRUE(ShownOnScreen(*sq));

    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    EXPECT_FALSE(main().cmdCapture->Enabled());
    // The keys steer the capture; the main window stands in front, inactive.
    EXPECT_EQ(GetFocus(), CaptureWindow());
    EXPECT_EQ(GetForegroundWindow(), CaptureWindow());
    // Gone from the screen, still in the screenshot.
    squares.clear();
    ASSERT_NO_FATAL_FAILURE(RepaintedWhereTheyWere());
    for (const Area& a : areas) {
        EXPECT_TRUE(MoveAndShow(Centre(a.at), a.shown)) << a.shown << ": " << Shown();
        EXPECT_EQ(PreviewPixel(), static_cast<COLORREF>(a.colour));
    }
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor);
    ASSERT_TRUE(capture()->mouseIcon());
    EXPECT_EQ(cursor.hCursor, capture()->mouseIcon()->get()) << "the pipette";

    const HWND window = CaptureWindow();
    const HBITMAP screenshot = capture()->picScreen->Picture()->bitmap();
    ASSERT_EQ(GetObjectType(screenshot), static_cast<DWORD>(OBJ_BITMAP));
    ASSERT_TRUE(MoveAndShow(Centre(areas[0].at), areas[0].shown));
    Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));
    EXPECT_EQ(Shown(), "&H00FF& 255 0 0");
    EXPECT_TRUE(main().cmdCapture->Enabled());
    EXPECT_FALSE(capture()->Visible());
    EXPECT_EQ(GetObjectType(screenshot), 0u) << "the screenshot went when the capture ended";
    // Moves now reach whatever is below, not the colour fields.
    const auto below = Square(kBlue, areas[1].at);
    MoveMouseTo(Centre(areas[1].at));
    EXPECT_TRUE(PumpUntil([&] { return below->mouseMoves() > 0; }));
    EXPECT_EQ(Shown(), "&H00FF& 255 0 0");
}

// The hidden window keeps the mouse until the button comes up: a hand that moves before it
// releases, or the move the system sends when the window under the pointer changes, reaches
// the picture box that no longer holds a screenshot. The colour pressed on stays.
TEST_F(CaptureWindowTest, TheColourPressedOnStaysThroughMovesAfterThePress) {
    const POINT at{100, 300};
    auto square = Square(kGreen, at);
    ASSERT_TRUE(ShownOnScreen(*square));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    square.reset();
    ASSERT_TRUE(MoveAndShow(Centre(at), "&H00FF00& 0 255 0")) << Shown();
    const HWND pic = capture()->picScreen->hwnd();
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &down, sizeof down);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    MoveMouseTo(POINT{at.x + 200, at.y + 100});
    ASSERT_TRUE(PumpPostedMessages());
    Send(pic, WM_MOUSEMOVE, 0, 20, 20);
    Send(pic, WM_KEYDOWN, VK_RIGHT, 0, 0);
    Press(0, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_EQ(Shown(), "&H00FF00& 0 255 0");
}

TEST_F(CaptureWindowTest, EachClickGrabsTheScreenAfreshAndAnyButtonEndsIt) {
    const POINT at{100, 300};
    auto square = Square(kGreen, at);
    ASSERT_TRUE(ShownOnScreen(*square));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    square.reset();
    EXPECT_TRUE(MoveAndShow(Centre(at), "&H00FF00& 0 255 0")) << Shown();
    Press(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_TRUE(main().cmdCapture->Enabled());
    const HWND first = CaptureWindow();

    // The window is kept for the next capture, which shows the new screenshot, not the old.
    square = Square(kYellow, at);
    ASSERT_TRUE(ShownOnScreen(*square));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    square.reset();
    EXPECT_EQ(CaptureWindow(), first);
    POINT inPicture = Centre(at);
    ScreenToClient(capture()->picScreen->hwnd(), &inPicture);
    EXPECT_EQ(PixelAt(capture()->picScreen->hwnd(), inPicture.x, inPicture.y),
              static_cast<COLORREF>(kYellow));
    EXPECT_TRUE(MoveAndShow(Centre(at), "&H00FFFF& 255 255 0")) << Shown();
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_TRUE(main().cmdCapture->Enabled());
    EXPECT_EQ(Shown(), "&H00FFFF& 255 255 0");
}

TEST_F(CaptureWindowTest, CoversTheScreenOnePixelForOneWithTheMainWindowInFront) {
    colour::SetCurrentColor(main().fields(), RGBColor(12, 34, 56));
    const POINT preview = ScreenPoint(main().picCurrentCol->hwnd(), 10, 10);
    // Topmost too, and made after the main window: the capture window must cover it anyway.
    const Image pattern = PatternImage(64, 48, 4);
    auto other = std::make_unique<ImageWindow>(pattern, 300, 400);
    ASSERT_TRUE(ShownOnScreen(*other));

    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    const HWND pic = capture()->picScreen->hwnd();
    const RECT r = ScreenRect(CaptureWindow());
    // Every monitor: on one, the screen.
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    RECT client{};
    GetClientRect(pic, &client);
    EXPECT_EQ(client.right, r.right - r.left);
    EXPECT_EQ(client.bottom, r.bottom - r.top);

    EXPECT_EQ(WindowFromPoint(preview), main().picCurrentCol->hwnd());
    EXPECT_EQ(WindowFromPoint(POINT{330, 420}), pic);
    EXPECT_TRUE(IsTopmost(main().hWnd()));
    // Whenever the capture window comes back to the front and is activated, the main window
    // follows it. Windows raises a window before it sends WM_ACTIVATE; Wine without a window
    // manager leaves the raise to X, after the message, so both steps are made here.
    SetWindowPos(CaptureWindow(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(WindowFromPoint(preview), pic);
    SendMessageA(CaptureWindow(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(WindowFromPoint(preview), main().picCurrentCol->hwnd());
    // The screenshot has the main window as it was at the click.
    const int tx = main().form().TwipsPerPixelX(), ty = main().form().TwipsPerPixelY();
    // The picture starts at the virtual screen's corner, left of or above the primary one.
    const int px = preview.x - GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int py = preview.y - GetSystemMetrics(SM_YVIRTUALSCREEN);
    EXPECT_EQ(capture()->picScreen->Point(float(px * tx), float(py * ty)), RGBColor(12, 34, 56));

    // What the screen shows now is the screenshot, where it was taken (the loupe beside the
    // pointer, away from it: at the lower left corner the loupe stands above and right of the
    // pointer, left of the area compared at every DPI).
    MoveMouseTo(POINT{5, GetSystemMetrics(SM_CYSCREEN) - 5});
    other.reset();
    ASSERT_TRUE(PumpPostedMessages());
    {
        RECT loupe{}, area{300, 400, 300 + 64, 400 + 48}, both{};
        GetWindowRect(capture()->loupe().hwnd(), &loupe);
        ASSERT_FALSE(IntersectRect(&both, &loupe, &area)) << "the loupe over the area compared";
    }
    // The place the other window left is painted again from the screenshot once the window
    // system has told the capture window of it: wait for those pixels.
    std::string differs;
    PumpUntil([&] {
        differs = CompareArea(PictureObjectImage(capture::GrabDesktop().Get()), 300, 400, pattern);
        return differs.empty();
    });
    EXPECT_EQ(differs, "");

    // Placing the main window topmost again while capturing keeps it so, and in front: the
    // capture window is no popup of it (see the Wine note on topmost owners).
    forms::SetTopMost(main(), true);
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_TRUE(IsTopmost(main().hWnd()));
    EXPECT_EQ(WindowFromPoint(preview), main().picCurrentCol->hwnd());

    Send(pic, WM_LBUTTONDOWN, MK_LBUTTON, 330, 420);
    EXPECT_FALSE(Capturing());
    EXPECT_TRUE(IsTopmost(main().hWnd()));
    EXPECT_EQ(WindowFromPoint(preview), main().picCurrentCol->hwnd());
}

static BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT r, LPARAM out) {
    reinterpret_cast<std::vector<RECT>*>(out)->push_back(*r);
    return TRUE;
}
// The monitors other than the primary one (which holds the point 0, 0).
static std::vector<RECT> OtherMonitors() {
    std::vector<RECT> all, others;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&all));
    for (const RECT& r : all)
        if (!(r.left <= 0 && r.top <= 0 && r.right > 0 && r.bottom > 0)) others.push_back(r);
    return others;
}

TEST_F(CaptureWindowTest, WindowAndScreenshotCoverTheVirtualScreen) {
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    const RECT v{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                 GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const RECT r = ScreenRect(capture()->picScreen->hwnd());
    EXPECT_EQ(r.left, v.left);
    EXPECT_EQ(r.top, v.top);
    EXPECT_EQ(r.right, v.right);
    EXPECT_EQ(r.bottom, v.bottom);
    const rt::PicturePtr& shot = capture()->picScreen->Picture();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->widthPixels(), v.right - v.left);
    EXPECT_EQ(shot->heightPixels(), v.bottom - v.top);
    MoveMouseTo(POINT{50, 600}); // off the main window, which stands in front
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
}

// Run on a display with two monitors (see scripts/test.sh); skipped on one.
TEST_F(CaptureWindowTest, PicksOnTheSecondMonitorAndAPressThereEndsIt) {
    const std::vector<RECT> others = OtherMonitors();
    if (others.empty()) GTEST_SKIP() << "one monitor";
    const RECT m = others.front();
    const POINT at{m.right - 60, m.bottom - 60}; // its far corner, past the primary's size
    auto square = Square(kBlue, at);
    const auto frozen = Square(kYellow, POINT{m.left + 20, m.top + 20});
    ASSERT_TRUE(ShownOnScreen(*square));
    ASSERT_TRUE(ShownOnScreen(*frozen));
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    square.reset();
    EXPECT_TRUE(MoveAndShow(Centre(at), "&H00FF0000& 0 0 255")) << Shown();
    EXPECT_TRUE(MoveAndShow(Centre(POINT{m.left + 20, m.top + 20}), "&H00FFFF& 255 255 0"))
        << Shown();
    // The frozen picture holds both monitors, each where it is.
    const auto shot = capture()->picScreen->Picture();
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    EXPECT_EQ(shot->Pixel(Centre(at).x - vx, Centre(at).y - vy), kBlue);
    EXPECT_EQ(shot->Pixel(m.left + 30 - vx, m.top + 30 - vy), kYellow);

    ASSERT_TRUE(MoveAndShow(Centre(at), "&H00FF0000& 0 0 255"));
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Shown(), "&H00FF0000& 0 0 255");
    EXPECT_EQ(frozen->mouseMoves(), 0) << "no input reached the window below";
}

TEST_F(CaptureWindowTest, ClosedAnyOtherWayItGivesTheButtonBackAndGoesWithTheMainWindow) {
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    HWND window = CaptureWindow();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(main().cmdCapture->Enabled());
    EXPECT_EQ(capture()->picScreen->Picture(), nullptr);

    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    window = CaptureWindow();
    ClickAt(main().picClose->hwnd(), 5, 5);
    EXPECT_FALSE(main().Loaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(main().captureForm(), nullptr);
    // Nothing is left to pick into fields that are gone: the next move goes to the window
    // under the pointer, and nothing holds the mouse.
    const auto below = Square(kGreen, POINT{480, 480});
    MoveMouseTo(POINT{500, 500});
    EXPECT_TRUE(PumpUntil([&] { return below->mouseMoves() > 0; }));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CaptureWindowTest, FullCyclesLeaveNoHandleWindowOrMemoryBehind) {
    auto red = Square(kRed, POINT{100, 100});
    ASSERT_TRUE(ShownOnScreen(*red));
    const HWND button = main().cmdCapture->hwnd();
    RECT b{};
    GetClientRect(button, &b);
    int picked = 0;
    // Button clicked, a move with a button held (it picks all the same), a press to end.
    const auto cycle = [&] {
        ClickAt(button, b.right / 2, b.bottom / 2);
        if (!Capturing()) return;
        const HWND pic = capture()->picScreen->hwnd();
        main().txtColorCode->SetText("");
        Send(pic, WM_MOUSEMOVE, MK_RBUTTON, 120, 120);
        if (Shown() == "&H00FF& 255 0 0") ++picked;
        Send(pic, WM_RBUTTONDOWN, MK_RBUTTON, 600, 600);
        PumpMessages();
    };
    for (int i = 0; i < 3; ++i)
        cycle(); // caches of the platform settle
    const long handles = rt::LiveHandleCount();
    const int windows = ThreadWindowCount();
    const size_t heap = HeapBytesInUse();

    int cycles = 0;
    picked = 0;
    for (const DWORD start = GetTickCount(); cycles < 10 || GetTickCount() - start < 3000; ++cycles)
        cycle();
    EXPECT_EQ(picked, cycles);
    EXPECT_FALSE(Capturing());
    EXPECT_TRUE(main().cmdCapture->Enabled());
    EXPECT_EQ(rt::LiveHandleCount(), handles);
    EXPECT_EQ(ThreadWindowCount(), windows);
    EXPECT_LT(HeapBytesInUse(), heap + 16 * 1024) << cycles << " cycles";
}

} // namespace hv::test

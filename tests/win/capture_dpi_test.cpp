// The capture on scaled displays, through a screen that answers as Windows answers a DPI-unaware
// (or system-aware) thread (ScaledScreen): the frozen screen is the whole desktop pixel for pixel,
// a pick is the physical pixel under the pointer, the IDE's DPI context is back at every exit and
// around every call out of the capture. And the system's own screen, as Wine runs it.
#include "capture/capture_screen.h"
#include "capture_fixture.h"
#include "runtime/screen.h"
#include "scaled_screen.h"
#include <cmath>
#include <memory>

namespace hv::test {

namespace {

RECT PhysicalScreen() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The thread's sent messages that change a window's text, with the context they came in.
class TextWrites {
  public:
    explicit TextWrites(const ScaledScreen& screen) : screen_(screen) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
    }
    ~TextWrites() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    TextWrites(const TextWrites&) = delete;
    TextWrites& operator=(const TextWrites&) = delete;
    int all = 0, perMonitor = 0;

  private:
    static LRESULT CALLBACK Sent(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && current_ &&
            reinterpret_cast<const CWPSTRUCT*>(lp)->message == WM_SETTEXT) {
            ++current_->all;
            if (current_->screen_.PerMonitor()) ++current_->perMonitor;
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    const ScaledScreen& screen_;
    HHOOK hook_ = nullptr;
    static inline TextWrites* current_ = nullptr;
};

// A capture of its own on the main window's fields, whose calls out are watched.
class CaptureDpiTest : public CaptureWindowTest {
  protected:
    void TearDown() override {
        capture_.reset();
        writes_.reset();
        screen_.reset();
        CaptureWindowTest::TearDown();
    }
    void Start(std::vector<ScaledScreen::Monitor> monitors, bool threadContexts = true,
               capture::DpiContext ide = kUnawareContext) {
        ide_ = ide;
        screen_ = std::make_unique<ScaledScreen>(std::move(monitors), threadContexts, ide);
        writes_ = std::make_unique<TextWrites>(*screen_);
        const auto call = [this] {
            ++callsOut_;
            if (screen_->PerMonitor()) ++callsOutPerMonitor_;
        };
        capture_ = std::make_unique<capture::frmCapture>(
            capture::MainWindowLink{&main().fields(), main().hWnd(), call, call});
        capture::ToggleCaptureWindow(*capture_);
        ASSERT_TRUE(capture_->Visible());
        ASSERT_TRUE(WaitFor("the frozen screen painted", [&] { return Painted(window()); }));
    }
    HWND window() { return capture_->form().hwnd(); }
    HWND pic() { return capture_->picScreen->hwnd(); }
    // The pointer to the physical point, and the move the window gets for it there.
    void MoveTo(POINT physical) {
        SetCursorPos(physical.x, physical.y);
        PumpPostedMessages();
        const POINT p = screen_->WindowPoint(pic(), physical);
        Send(pic(), WM_MOUSEMOVE, 0, p.x, p.y);
    }
    // Nothing of the capture left in a per-monitor context, nothing called out of it there.
    void IdeContextEverywhere() {
        EXPECT_EQ(screen_->context(), ide_);
        EXPECT_EQ(callsOutPerMonitor_, 0);
        EXPECT_EQ(writes_->perMonitor, 0) << "of " << writes_->all << " text writes";
    }

    std::unique_ptr<ScaledScreen> screen_;
    std::unique_ptr<TextWrites> writes_;
    std::unique_ptr<capture::frmCapture> capture_;
    capture::DpiContext ide_ = kUnawareContext;
    int callsOut_ = 0, callsOutPerMonitor_ = 0;
};

class CaptureAtScale : public CaptureDpiTest, public ::testing::WithParamInterface<double> {};

// Two monitors: VB6 (unaware) with the primary at 100 % and the other at 150 %, the VBA editor
// (system aware) with the primary at 150 % and the other at 100 %.
struct TwoMonitors {
    capture::DpiContext ide;
    double primary, second;
};
class CaptureOnTwoMonitors : public CaptureDpiTest,
                             public ::testing::WithParamInterface<TwoMonitors> {};

} // namespace

TEST_P(CaptureAtScale, FreezesTheWholeDesktopOneToOneAndPicksThePhysicalPixel) {
    const double scale = GetParam();
    const Image pattern = PatternImage(64, 48, 7);
    const POINT at{300, 200};
    ImageWindow shown(pattern, at.x, at.y);
    ASSERT_TRUE(ShownOnScreen(shown));
    ASSERT_NO_FATAL_FAILURE(Start({{PhysicalScreen(), scale}}));
    IdeContextEverywhere();

    // Top-level, of no window of the IDE, made per monitor and over every physical pixel.
    EXPECT_EQ(GetParent(window()), nullptr);
    EXPECT_EQ(GetWindow(window(), GW_OWNER), nullptr);
    EXPECT_TRUE(screen_->MadePerMonitor(window()));
    const RECT r = ScreenRect(window()), s = PhysicalScreen();
    EXPECT_TRUE(EqualRect(&r, &s));
    const rt::PicturePtr& shot = capture_->picScreen->Picture();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->widthPixels(), s.right);
    EXPECT_EQ(shot->heightPixels(), s.bottom);
    EXPECT_EQ(CompareArea(PictureImage(*shot, 0, 0, s.right, s.bottom), at.x, at.y, pattern), "");

    for (const POINT p : {POINT{1, 1}, POINT{33, 20}, POINT{62, 46}}) {
        MoveTo(POINT{at.x + p.x, at.y + p.y});
        EXPECT_EQ(Shown(), ShownText(pattern.at(p.x, p.y))) << p.x << ", " << p.y;
    }
    IdeContextEverywhere();
    // The loupe at the monitor's own DPI, made per monitor too.
    const HWND loupe = capture_->loupe().hwnd();
    ASSERT_TRUE(loupe);
    EXPECT_TRUE(screen_->MadePerMonitor(loupe));
    EXPECT_EQ(ScreenRect(loupe).right - ScreenRect(loupe).left,
              static_cast<LONG>(std::lround(176 * scale)) + 2);
    // The arrow keys move the pointer a physical pixel.
    Send(window(), WM_KEYDOWN, VK_RIGHT, 0, 0);
    EXPECT_EQ(Shown(), ShownText(pattern.at(63, 46)));
    IdeContextEverywhere();

    Send(pic(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_FALSE(capture_->Visible());
    EXPECT_EQ(callsOut_, 2) << "kept, and the capture button back";
    IdeContextEverywhere();
}
INSTANTIATE_TEST_SUITE_P(Scales, CaptureAtScale, ::testing::Values(1.25, 1.5, 2.0));

TEST_P(CaptureOnTwoMonitors, PicksThePhysicalPixelOnBothAndDrawsTheLoupeForItsMonitor) {
    const TwoMonitors m = GetParam();
    const RECT s = PhysicalScreen();
    const LONG half = s.right / 2;
    const Image left = PatternImage(40, 40, 3), right = PatternImage(40, 40, 5);
    ImageWindow onFirst(left, 100, 100), onSecond(right, half + 150, 300);
    ASSERT_TRUE(ShownOnScreen(onFirst));
    ASSERT_TRUE(ShownOnScreen(onSecond));
    // The pointer on the second monitor: the loupe is drawn for it.
    PlaceCursor(POINT{half + 10, 10});
    ASSERT_NO_FATAL_FAILURE(Start(
        {{RECT{0, 0, half, s.bottom}, m.primary}, {RECT{half, 0, s.right, s.bottom}, m.second}},
        true, m.ide));
    const RECT r = ScreenRect(window());
    EXPECT_TRUE(EqualRect(&r, &s));
    MoveTo(POINT{half + 150 + 37, 300 + 21});
    EXPECT_EQ(Shown(), ShownText(right.at(37, 21)));
    const RECT loupe = ScreenRect(capture_->loupe().hwnd());
    EXPECT_EQ(loupe.right - loupe.left, static_cast<LONG>(std::lround(176 * m.second)) + 2);
    MoveTo(POINT{100 + 5, 100 + 38});
    EXPECT_EQ(Shown(), ShownText(left.at(5, 38)));
    Send(window(), WM_KEYDOWN, VK_RETURN, 0, 0);
    EXPECT_FALSE(capture_->Visible());
    EXPECT_EQ(Shown(), ShownText(left.at(5, 38)));
    IdeContextEverywhere();
}
INSTANTIATE_TEST_SUITE_P(Ides, CaptureOnTwoMonitors,
                         ::testing::Values(TwoMonitors{kUnawareContext, 1.0, 1.5},
                                           TwoMonitors{kSystemAwareContext, 1.5, 1.0}));

// Windows 7 and 8.1: no thread contexts. The window is the thread's (stretched by the system),
// the screenshot the screen's pixels, and each point of the window is mapped to them.
TEST_F(CaptureDpiTest, WithoutThreadContextsAScaledScreenIsMappedToItsPixels) {
    const Image pattern = PatternImage(64, 48, 9);
    const POINT at{300, 201};
    ImageWindow shown(pattern, at.x, at.y);
    ASSERT_TRUE(ShownOnScreen(shown));
    ASSERT_NO_FATAL_FAILURE(Start({{PhysicalScreen(), 1.5}}, false));
    const RECT s = PhysicalScreen();
    EXPECT_FALSE(screen_->MadePerMonitor(window()));
    const rt::PicturePtr& shot = capture_->picScreen->Picture();
    ASSERT_TRUE(shot);
    const RECT r = ScreenRect(window());
    EXPECT_EQ(r.right, std::lround(s.right / 1.5)) << "the thread's units";
    // Physical points under a unit's centre, at 1.5 pixels a unit: 3k and 3k + 2, never 3k + 1.
    for (const POINT p : {POINT{0, 0}, POINT{3, 2}, POINT{41, 45}}) {
        MoveTo(POINT{at.x + p.x, at.y + p.y});
        EXPECT_EQ(Shown(), ShownText(pattern.at(p.x, p.y))) << p.x << ", " << p.y;
    }
    Send(window(), WM_KEYDOWN, VK_ESCAPE, 0, 0);
    EXPECT_FALSE(capture_->Visible());
    IdeContextEverywhere();
}

TEST_F(CaptureDpiTest, TheIdesContextIsBackAfterEscapeAndWhenTheIdeUnloadsMidCapture) {
    ASSERT_NO_FATAL_FAILURE(Start({{PhysicalScreen(), 1.5}}));
    MoveTo(POINT{200, 200});
    const std::string before = Shown();
    Send(window(), WM_KEYDOWN, VK_ESCAPE, 0, 0);
    EXPECT_FALSE(capture_->Visible());
    IdeContextEverywhere();

    capture::ToggleCaptureWindow(*capture_);
    ASSERT_TRUE(capture_->Visible());
    MoveTo(POINT{220, 210});
    capture_->Unload(); // the IDE lets the add-in go
    EXPECT_FALSE(IsWindow(window()));
    IdeContextEverywhere();
}

// The system's calls as Wine runs them: a thread context entered and left, the process's
// awareness untouched, no scaled screen.
TEST(SystemCaptureScreen, EntersAndLeavesTheThreadContextAndSeesTheScreenAsItIs) {
    using GetThread = capture::DpiContext(WINAPI*)();
    using Equal = BOOL(WINAPI*)(capture::DpiContext, capture::DpiContext);
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    const auto get = reinterpret_cast<GetThread>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto equal = reinterpret_cast<Equal>(
        reinterpret_cast<void*>(GetProcAddress(user32, "AreDpiAwarenessContextsEqual")));
    capture::CaptureScreen& screen = capture::Screen();
    const capture::DpiContext before = get ? get() : nullptr;
    {
        const capture::PerMonitorScope dpi;
        if (get && equal) {
            EXPECT_TRUE(dpi.previous());
            EXPECT_TRUE(equal(get(), capture::kPerMonitorContext) ||
                        equal(get(), reinterpret_cast<capture::DpiContext>(-3)));
        }
        const RECT all = capture::BoundingRect(screen.Monitors()), v = rt::VirtualScreenRect();
        EXPECT_TRUE(EqualRect(&all, &v));
        EXPECT_EQ(screen.Virtualised(), 1.0);
        EXPECT_EQ(screen.MonitorDpi(POINT{5, 5}), rt::ScreenDpiX());
        screen.SetCursorPos(POINT{40, 30});
        EXPECT_EQ(screen.CursorPos().x, 40);
        EXPECT_EQ(screen.CursorPos().y, 30);
        OleInitialize(nullptr);
        {
            const auto shot = rt::Picture::FromPictureObject(screen.Grab(RECT{10, 20, 60, 50}));
            ASSERT_TRUE(shot);
            EXPECT_EQ(shot->widthPixels(), 50);
            EXPECT_EQ(shot->heightPixels(), 30);
        }
        OleUninitialize();
    }
    if (get && equal) {
        EXPECT_TRUE(equal(get(), before));
    }
}

} // namespace hv::test

// The main window's frame: placement, topmost, close, minimise, moving by the title.
#include "forms/on_top.h"
#include "main_window_fixture.h"

namespace hv::test {

using FrameTest = MainWindowTest;

namespace {
RECT WindowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}
bool IsTopmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
} // namespace

TEST_F(FrameTest, LoadsAtTheRightEdgeTopmostWithoutTakingTheFocus) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the test display is 1024 pixels wide";
    ASSERT_EQ(main().form().TwipsPerPixelX(), 15);
    EXPECT_EQ(main().form().Left(), 9735);
    EXPECT_EQ(main().form().Top(), 300);
    const RECT r = WindowRect(main().hWnd());
    EXPECT_EQ(r.left, 649);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 375);
    EXPECT_EQ(r.bottom - r.top, 141);
    EXPECT_TRUE(IsWindowVisible(main().hWnd()));
    EXPECT_TRUE(IsTopmost(main().hWnd()));
    EXPECT_NE(GetActiveWindow(), main().hWnd());
}

TEST_F(FrameTest, StaysInsideTheWorkArea) {
    main().form().MoveTo(20000, -900); // off the right and top edges
    forms::SetTopMost(main(), true);
    const RECT r = WindowRect(main().hWnd());
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right - r.left, 375);
}

TEST_F(FrameTest, ClosePictureShowsPressedAndOnlyTheClickUnloads) {
    HWND close = main().picClose->hwnd();
    const COLORREF normal = PixelAt(close, 0, 0);
    Send(close, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(main().picClose->Picture(), main().closeDown->Picture());
    EXPECT_NE(PixelAt(close, 0, 0), normal); // the bevel is reversed
    // Dragged off and released outside: the normal picture again, and no unload.
    Send(close, WM_MOUSEMOVE, MK_LBUTTON, 40, 40);
    Send(close, WM_LBUTTONUP, 0, 40, 40);
    EXPECT_EQ(main().picClose->Picture(), main().closeNorm->Picture());
    EXPECT_TRUE(main().Loaded());
    // A right-button click does not close either.
    Send(close, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(close, WM_RBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(main().Loaded());
    ClickAt(close, 5, 5);
    EXPECT_FALSE(main().Loaded());
    EXPECT_FALSE(IsWindow(close));
}

TEST_F(FrameTest, MinimiseAndRestoreComesBackTopmost) {
    HWND w = main().hWnd(), min = main().picMinimize->hwnd();
    Send(min, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(main().picMinimize->Picture(), main().minDown->Picture());
    EXPECT_FALSE(IsIconic(w));
    Send(min, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(main().picMinimize->Picture(), main().minNorm->Picture());
    EXPECT_TRUE(IsIconic(w));
    SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(w, SW_RESTORE);
    PumpMessages();
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(IsTopmost(w));
    EXPECT_EQ(WindowRect(w).left, 649);
}

TEST_F(FrameTest, DraggingTheTitleMovesTheWindow) {
    HWND w = main().hWnd();
    const RECT before = WindowRect(w);
    SetCursorPos(before.left + 150, before.top + 10);
    PumpMessages();
    // The move loop is modal: the drag goes on from inside it, as input it reads itself.
    RunLater drag(100, [&] {
        SendMoveTo(before.left + 50, before.top + 60);
        SendLeftButton(false);
    });
    SendLeftButton(true);
    ASSERT_TRUE(PumpUntil([&] { return drag.ran(); }));
    PumpUntil([&] { return WindowRect(w).left != before.left; });
    const RECT after = WindowRect(w);
    EXPECT_EQ(after.left - before.left, -100);
    EXPECT_EQ(after.top - before.top, 50);
}

} // namespace hv::test

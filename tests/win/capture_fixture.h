// The main window loaded for capture tests, with the capture started as a user starts it and
// squares of known colour on the screen to pick from.
#pragma once
#include "capture/frm_capture.h"
#include "control_host.h"
#include "main_window_fixture.h"
#include "support/image_window.h"
#include <memory>
#include <string>

namespace hv::test {

inline constexpr ColorValue kRed = RGBColor(255, 0, 0), kGreen = RGBColor(0, 255, 0),
                            kBlue = RGBColor(0, 0, 255), kBlack = RGBColor(0, 0, 0),
                            kYellow = RGBColor(255, 255, 0);

// A square of one colour on the screen, 40 pixels wide, above other windows.
inline std::unique_ptr<ImageWindow> Square(ColorValue colour, POINT at) {
    return std::make_unique<ImageWindow>(Image(40, 40, colour), at.x, at.y);
}
inline POINT Centre(POINT squareAt) {
    return {squareAt.x + 20, squareAt.y + 20};
}

inline void Press(DWORD down, DWORD up) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof(INPUT));
}

class CaptureWindowTest : public MainWindowTest {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        PlaceCursor(POINT{2, 700});
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        OleUninitialize();
    }

    capture::frmCapture* capture() { return main().captureForm(); }
    bool Capturing() { return capture() && capture()->Visible(); }
    HWND CaptureWindow() { return capture() ? capture()->form().hwnd() : nullptr; }

    // As a user clicks it: the pointer onto the button, its hover face, a left click.
    void ClickCapture() {
        controls::TransSkinButton& b = *main().cmdCapture;
        const RECT r = ScreenRect(b.hwnd());
        MoveMouseTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        ASSERT_TRUE(PumpUntil([&] { return b.ShownPicture() == b.PictureOver(); }));
        Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return Capturing(); }));
        ASSERT_TRUE(WaitFor("the capture window painted", [&] { return Painted(CaptureWindow()); }));
    }
    // Squares gone from the screen: the capture window has painted the frozen screen again
    // where they stood.
    void RepaintedWhereTheyWere() {
        ASSERT_TRUE(WaitFor("the capture window repainted", [&] { return Painted(CaptureWindow()); }));
    }
    // The pointer moved there for real; true once the fields show `shown`.
    bool MoveAndShow(POINT at, const std::string& shown) {
        MoveMouseTo(at);
        return PumpUntil([&] { return Shown() == shown; }, 2000);
    }
};

} // namespace hv::test

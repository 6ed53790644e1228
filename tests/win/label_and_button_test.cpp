// Windowless labels that take clicks and show their own pointer, and the system push button,
// driven by the real cursor and real mouse input.
#include "assets/asset_ids.h"
#include "control_host.h"
#include "runtime/command_button.h"

namespace hv::test {

using LabelAndButtonTest = ControlHostTest;

namespace {
// Press at one client point of the window and release at another, with real input.
void PressAndRelease(HWND w, POINT press, POINT release) {
    MoveMouseTo(ScreenPoint(w, press.x, press.y));
    LeftDown();
    MoveMouseTo(ScreenPoint(w, release.x, release.y));
    LeftUp();
}
} // namespace

TEST_F(LabelAndButtonTest, LabelClickNeedsPressAndReleaseOnTheLabel) {
    // 20, 20 to 120, 37 pixels.
    rt::Label& label = host().AddLabel("lbl", 300, 300, 1500, 255, "Click me");
    int clicks = 0, downs = 0;
    label.OnClick = [&] { ++clicks; };
    HWND w = host().hwnd();
    // Each press away from the last one, or it would be the second press of a double-click.
    PressAndRelease(w, {30, 25}, {110, 30});
    EXPECT_EQ(clicks, 1);
    PressAndRelease(w, {60, 28}, {200, 100}); // dragged off before the release
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(GetCapture(), w);
    PressAndRelease(w, {200, 100}, {30, 25}); // pressed elsewhere
    EXPECT_EQ(clicks, 1);
    // Presses still reach a label's MouseDown, with its own coordinates.
    rt::MouseEvent down;
    label.OnMouseDown = [&](const rt::MouseEvent& e) {
        ++downs;
        down = e;
    };
    PressAndRelease(w, {90, 25}, {90, 25});
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(down.X, 1050);
    EXPECT_EQ(down.Y, 75);
}

TEST_F(LabelAndButtonTest, LabelShowsItsPointerOnlyOverItself) {
    rt::Label& label = host().AddLabel("lbl", 300, 300, 1500, 255, "Link");
    label.mouseIcon = rt::LoadMouseIcon(IDC_LINK_HAND);
    ASSERT_TRUE(label.mouseIcon && *label.mouseIcon);
    HWND w = host().hwnd();
    MoveMouseTo(ScreenPoint(w, 200, 100));
    EXPECT_NE(GetCursor(), label.mouseIcon->get());
    MoveMouseTo(ScreenPoint(w, 40, 25));
    EXPECT_EQ(GetCursor(), label.mouseIcon->get());
    label.Visible = false;
    MoveMouseTo(ScreenPoint(w, 41, 25));
    EXPECT_NE(GetCursor(), label.mouseIcon->get());
}

TEST_F(LabelAndButtonTest, CommandButtonRaisesClickOnceForAClickOnIt) {
    auto& button = host().Add<rt::CommandButton>("Command1", 300, 300, 1125, 375, "OK");
    EXPECT_EQ(button.Caption(), "OK");
    EXPECT_EQ(ClassName(button.hwnd()), "Button");
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    HWND b = button.hwnd();
    PressAndRelease(b, {30, 10}, {30, 10});
    EXPECT_EQ(clicks, 1);
    PressAndRelease(b, {60, 12}, {200, 12}); // released off the button
    EXPECT_EQ(clicks, 1);
}

} // namespace hv::test

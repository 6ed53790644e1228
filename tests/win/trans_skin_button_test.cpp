// The picture button driven by the real cursor and real mouse input: hover, press, drag,
// toggle, its shape, and its stored properties.
#include "assets/asset_ids.h"
#include "control_host.h"
#include "controls/trans_skin_button.h"
#include "runtime/mouse_pointer.h"
#include <algorithm>
#include <string>
#include <vector>

namespace hv::test {

namespace {

class ButtonTest : public ControlHostTest {
  protected:
    controls::TransSkinButton& Make(int style = 0, bool withOver = true) {
        rt::PropertyBag bag{{"pictureup", up}, {"picturedown", down}, {"maskcolor", kMask}};
        if (withOver) bag.WriteProperty("PictureOver", over, rt::PicturePtr());
        bag.WriteProperty("ButtonStyle", style, 0);
        auto& b = host().Add<controls::TransSkinButton>("cmd", 300, 300, 660, 420, &bag);
        b.OnClick = [this, &b] { Log("Click", &b); };
        b.OnMouseDown = [this](const rt::MouseEvent&) { Log("MouseDown"); };
        b.OnMouseUp = [this](const rt::MouseEvent&) { Log("MouseUp"); };
        b.OnMouseOver = [this](long x, long y) {
            Log("MouseOver");
            overAt = POINT{x, y};
        };
        b.OnMouseNotOver = [this](long x, long y) {
            Log("MouseNotOver");
            notOverAt = POINT{x, y};
        };
        button = &b;
        // The first tick after creation finds the pointer away and stops the timer.
        EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
        return b;
    }
    void Log(const std::string& event, controls::TransSkinButton* b = nullptr) {
        events.push_back(event);
        // The picture a Click handler finds: the control changes it before raising Click.
        if (b) shownAtClick = b->ShownPicture();
    }
    // The colour the button shows at a pixel of its picture away from the clear corner.
    ColorValue Shown() { return static_cast<ColorValue>(PixelAt(button->hwnd(), 10, 6)); }
    ::testing::AssertionResult ShowsSoon(ColorValue c) {
        if (PumpUntil([&] { return Shown() == c; }, 2000)) return ::testing::AssertionSuccess();
        POINT p{};
        GetCursorPos(&p);
        const RECT r = ScreenRect(button->hwnd());
        return ::testing::AssertionFailure()
               << "shows " << Shown() << "; cursor " << p.x << "," << p.y << "; button " << r.left
               << "," << r.top << "-" << r.right << "," << r.bottom << "; timer "
               << button->HoverTimerRunning() << "; events " << Events();
    }
    POINT OnButton() { return ScreenPoint(button->hwnd(), 10, 6); }
    POINT OffButton() { return ScreenPoint(button->hwnd(), 40, 6); }
    std::string Events() {
        std::string s;
        for (const auto& e : events)
            s += (s.empty() ? "" : " ") + e;
        events.clear();
        return s;
    }

    rt::PicturePtr up = CornerFace(kUpColour), over = CornerFace(kOverColour),
                   down = CornerFace(kDownColour);
    controls::TransSkinButton* button = nullptr;
    std::vector<std::string> events;
    POINT overAt{}, notOverAt{};
    rt::PicturePtr shownAtClick;
};

} // namespace

TEST_F(ButtonTest, HoverShowsOverPictureUntilThePointerLeavesThenTheTimerStops) {
    auto& b = Make();
    EXPECT_EQ(Events(), "MouseNotOver");
    EXPECT_EQ(Shown(), kUpColour);
    MoveMouseTo(OnButton());
    EXPECT_TRUE(ShowsSoon(kOverColour));
    EXPECT_EQ(Events(), "MouseOver");
    EXPECT_EQ(overAt.x, OnButton().x);
    EXPECT_EQ(overAt.y, OnButton().y);
    EXPECT_TRUE(b.HoverTimerRunning());
    MoveMouseTo(OffButton());
    EXPECT_TRUE(ShowsSoon(kUpColour));
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
    EXPECT_EQ(Events(), "MouseNotOver");
}

TEST_F(ButtonTest, PointerOnTheRightAndBottomEdgeValuesStillCountsAsOver) {
    auto& b = Make();
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    const RECT r = ScreenRect(b.hwnd());
    // One past the last column and row: still over.
    PlaceCursor(POINT{r.right, r.bottom});
    ASSERT_TRUE(PumpPastTimer(80));
    EXPECT_TRUE(b.HoverTimerRunning())
        << "left at " << notOverAt.x << "," << notOverAt.y << " from " << r.left << "," << r.top
        << "-" << r.right << "," << r.bottom;
    EXPECT_EQ(Shown(), kOverColour);
    PlaceCursor(POINT{r.left, r.top});
    ASSERT_TRUE(PumpPastTimer(30));
    EXPECT_TRUE(b.HoverTimerRunning());
    PlaceCursor(POINT{r.right + 1, r.bottom});
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
    EXPECT_EQ(Shown(), kUpColour);
    events.clear();
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    PlaceCursor(POINT{r.right, r.top - 1});
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
    EXPECT_EQ(Events(), "MouseOver MouseNotOver");
}

TEST_F(ButtonTest, ClickShowsDownWhilePressedAndOverAfterwards) {
    Make();
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    events.clear();
    LeftDown();
    EXPECT_EQ(Shown(), kDownColour);
    LeftUp();
    EXPECT_EQ(Shown(), kOverColour);
    EXPECT_EQ(Events(), "MouseDown MouseUp Click");
    EXPECT_EQ(shownAtClick, over);
}

// The mouse is the button's from a press (or a double click) to the release, and no longer.
TEST_F(ButtonTest, APressOrADoubleClickHoldsTheMouseUntilItsRelease) {
    auto& b = Make();
    int doubleClicks = 0;
    b.OnDblClick = [&] { ++doubleClicks; };
    MoveMouseTo(OnButton());
    LeftDown();
    EXPECT_EQ(GetCapture(), b.hwnd());
    LeftUp();
    EXPECT_EQ(GetCapture(), nullptr);
    LeftDown(); // the second press of a double click
    ASSERT_EQ(doubleClicks, 1);
    EXPECT_EQ(GetCapture(), b.hwnd());
    LeftUp();
    EXPECT_EQ(GetCapture(), nullptr);
    // Taken away while held (another window took the mouse): the release is not a click, and
    // the other window keeps the mouse.
    events.clear();
    LeftDown();
    SetCapture(host().hwnd());
    LeftUp();
    EXPECT_EQ(GetCapture(), host().hwnd());
    ReleaseCapture();
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0) << Events();
}

TEST_F(ButtonTest, APressTakesTheFocusUnlessTheButtonHandsItOn) {
    auto& b = Make();
    MoveMouseTo(OnButton());
    SetFocus(host().hwnd());
    LeftDown();
    EXPECT_EQ(GetFocus(), b.hwnd());
    LeftUp();
    b.SetFocusOnPress(false);
    SetFocus(host().hwnd());
    LeftDown();
    LeftUp();
    EXPECT_EQ(GetFocus(), host().hwnd());
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 2) << Events();
}

TEST_F(ButtonTest, PressDraggedOffAndBackAndReleasedOutsideGivesNoClick) {
    auto& b = Make();
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    LeftDown();
    ASSERT_EQ(Shown(), kDownColour);
    // Off while held: the button keeps the mouse, its moves restart the timer, and the next
    // tick shows the up picture.
    MoveMouseTo(OffButton());
    EXPECT_TRUE(ShowsSoon(kUpColour));
    // Back on while still held: the tick shows the over picture, not the down one.
    MoveMouseTo(OnButton());
    EXPECT_TRUE(ShowsSoon(kOverColour));
    MoveMouseTo(OffButton());
    EXPECT_TRUE(ShowsSoon(kUpColour));
    events.clear();
    LeftUp();
    EXPECT_EQ(Shown(), kUpColour);
    EXPECT_EQ(Events(), "MouseUp");
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
}

TEST_F(ButtonTest, ToggleLatchesOnFirstClickAndReleasesOnTheSecond) {
    auto& b = Make(1);
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    LeftDown();
    EXPECT_EQ(Shown(), kOverColour); // no pressed picture for a toggle button
    LeftUp();
    EXPECT_EQ(Shown(), kDownColour);
    EXPECT_TRUE(b.Value());
    // Latched, the down picture stands for both up and over.
    MoveMouseTo(OffButton());
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
    EXPECT_EQ(Shown(), kDownColour);
    MoveMouseTo(OnButton());
    ASSERT_TRUE(PumpUntil([&] { return b.HoverTimerRunning(); }));
    ASSERT_TRUE(PumpPastTimer(50));
    EXPECT_EQ(Shown(), kDownColour);
    LeftDown();
    LeftUp();
    EXPECT_EQ(Shown(), kOverColour);
    EXPECT_FALSE(b.Value());
}

TEST_F(ButtonTest, ToggleWithoutOverPictureReleasesToUp) {
    auto& b = Make(1, false);
    MoveMouseTo(OnButton());
    ASSERT_TRUE(PumpUntil([&] { return b.HoverTimerRunning(); }));
    LeftDown();
    LeftUp();
    EXPECT_EQ(Shown(), kDownColour);
    LeftDown();
    LeftUp();
    EXPECT_EQ(Shown(), kUpColour);
    EXPECT_FALSE(b.Value());
}

TEST_F(ButtonTest, OtherStylesNeitherPressNorLatchButHover) {
    auto& b = Make(2);
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    events.clear();
    LeftDown();
    EXPECT_EQ(Shown(), kOverColour);
    LeftUp();
    EXPECT_EQ(Shown(), kOverColour);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(Events(), "MouseDown MouseUp Click");
    // Latched through Value, hovering shows the down picture.
    b.SetValue(true);
    EXPECT_EQ(Shown(), kDownColour);
    MoveMouseTo(OffButton());
    EXPECT_TRUE(PumpUntil([&] { return !b.HoverTimerRunning(); }));
    EXPECT_EQ(Shown(), kDownColour);
    MoveMouseTo(OnButton());
    ASSERT_TRUE(PumpUntil([&] { return b.HoverTimerRunning(); }));
    ASSERT_TRUE(PumpPastTimer(50));
    EXPECT_EQ(Shown(), kDownColour);
}

TEST_F(ButtonTest, ValueOnAPushButtonStaysFalseAndLeavesThePicture) {
    auto& b = Make(0);
    std::vector<std::string> changed;
    b.OnPropertyChanged = [&](const std::string& p) { changed.push_back(p); };
    b.SetValue(true);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(Shown(), kUpColour);
    b.SetButtonStyle(1);
    b.SetValue(true);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(Shown(), kDownColour);
    // A new style releases the latch with the value.
    b.SetButtonStyle(0);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(Shown(), kUpColour);
    EXPECT_EQ(changed, (std::vector<std::string>{"Value", "ButtonStyle", "Value", "ButtonStyle"}));
}

TEST_F(ButtonTest, PicturesTakeEffectAsTheirLetsSay) {
    auto& b = Make();
    MoveMouseTo(OnButton());
    ASSERT_TRUE(ShowsSoon(kOverColour));
    // A new over picture waits for the next change of state.
    b.SetPictureOver(CornerFace(RGBColor(250, 200, 0)));
    ASSERT_TRUE(PumpPastTimer(30));
    EXPECT_EQ(Shown(), kOverColour);
    // A new mask colour shows the up picture with the new mask.
    b.SetMaskColor(kUpColour);
    EXPECT_EQ(b.ShownPicture(), up);
    EXPECT_EQ(WindowFromPoint(OnButton()), host().hwnd());
    b.SetMaskColor(kMask);
    EXPECT_EQ(WindowFromPoint(OnButton()), b.hwnd());
    EXPECT_EQ(Shown(), kUpColour);
}

TEST_F(ButtonTest, PressOnAClearPixelReachesTheHostAndOnAVisibleOneTheButton) {
    auto& b = Make();
    int hostPresses = 0;
    auto& label = host().AddLabel("under", 0, 0, 4500, 3000, "");
    label.OnMouseDown = [&](const rt::MouseEvent&) { ++hostPresses; };
    const POINT corner = ScreenPoint(b.hwnd(), 1, 1), body = ScreenPoint(b.hwnd(), 5, 1);
    EXPECT_EQ(WindowFromPoint(corner), host().hwnd());
    EXPECT_EQ(WindowFromPoint(body), b.hwnd());
    // The host's colour shows through the clear corner.
    const POINT inHost = ScreenPoint(b.hwnd(), 1, 1);
    POINT client = inHost;
    ScreenToClient(host().hwnd(), &client);
    EXPECT_EQ(static_cast<ColorValue>(PixelAt(host().hwnd(), client.x, client.y)), kHostBack);
    MoveMouseTo(corner);
    LeftDown();
    LeftUp();
    EXPECT_EQ(hostPresses, 1);
    EXPECT_EQ(Events(), "MouseNotOver"); // only the tick after creation
    MoveMouseTo(body);
    ASSERT_TRUE(ShowsSoon(kOverColour));
    events.clear();
    LeftDown();
    LeftUp();
    EXPECT_EQ(hostPresses, 1);
    EXPECT_EQ(Events(), "MouseDown MouseUp Click");
}

TEST_F(ButtonTest, TakesThePictureSizeFromItsHimetricExtent) {
    rt::PropertyBag bag{{"pictureup", rt::Picture::FromResource(IDB_INSERT_UP)}};
    auto& b = host().Add<controls::TransSkinButton>("cmdInsert", 2160, 880, 660, 420, &bag);
    EXPECT_EQ(b.PictureUp()->widthHimetric(), 741);
    EXPECT_EQ(b.PictureUp()->heightHimetric(), 582);
    EXPECT_EQ(b.Width(), 420);
    EXPECT_EQ(b.Height(), 330);
    const RECT r = ScreenRect(b.hwnd());
    EXPECT_EQ(r.right - r.left, 28);
    EXPECT_EQ(r.bottom - r.top, 22);
}

TEST_F(ButtonTest, StoredDataInLowerCaseComesBackUnderThePropertyNames) {
    rt::PropertyBag stored{{"_extentx", 741},     {"_extenty", 582},
                           {"pictureup", up},     {"pictureover", over},
                           {"picturedown", down}, {"backcolor", RGBColor(1, 2, 3)}};
    auto& b = host().Add<controls::TransSkinButton>("cmd", 300, 300, 660, 420, &stored);
    // Missing keys read as their defaults; the mask is the host's background.
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.MousePointer(), 0);
    EXPECT_EQ(b.MouseIcon(), nullptr);
    EXPECT_EQ(b.MaskColor(), kHostBack);
    EXPECT_EQ(b.BackColor(), RGBColor(1, 2, 3));
    rt::PropertyBag saved;
    b.WriteProperties(saved);
    EXPECT_EQ(saved.Keys(),
              (std::vector<std::string>{"PictureUp", "PictureOver", "PictureDown", "BackColor"}));
    EXPECT_EQ(saved.ReadPicture("pictureover"), over);
    EXPECT_EQ(saved.ReadLong("BACKCOLOR", 0), RGBColor(1, 2, 3));
}

TEST_F(ButtonTest, EveryPropertyRoundTripsAndANewButtonStoresOnlyItsBlackMask) {
    auto& fresh = host().Add<controls::TransSkinButton>("cmdNew", 300, 300, 660, 420);
    rt::PropertyBag saved;
    fresh.WriteProperties(saved);
    // A new instance masks black, which is not the ambient colour, so it is stored.
    EXPECT_EQ(saved.Keys(), std::vector<std::string>{"MaskColor"});
    EXPECT_EQ(saved.ReadLong("MaskColor", -1), 0);

    fresh.SetPictureUp(up);
    fresh.SetPictureOver(over);
    fresh.SetPictureDown(down);
    fresh.SetButtonStyle(1);
    fresh.SetValue(true);
    fresh.SetBackColor(SystemColor(COLOR_BTNFACE));
    const rt::PicturePtr icon = CornerFace(RGBColor(9, 9, 9));
    fresh.SetMouseIcon(icon);
    fresh.SetMousePointer(rt::vbCustom);
    fresh.SetMaskColor(kMask);
    rt::PropertyBag all;
    fresh.WriteProperties(all);
    EXPECT_EQ(all.Keys(), (std::vector<std::string>{"PictureUp", "PictureOver", "PictureDown",
                                                    "ButtonStyle", "Value", "BackColor",
                                                    "MouseIcon", "MousePointer", "MaskColor"}));
    auto& copy = host().Add<controls::TransSkinButton>("cmdCopy", 1500, 300, 660, 420, &all);
    EXPECT_EQ(copy.PictureUp(), up);
    EXPECT_EQ(copy.PictureOver(), over);
    EXPECT_EQ(copy.PictureDown(), down);
    EXPECT_EQ(copy.ButtonStyle(), 1);
    EXPECT_TRUE(copy.Value());
    EXPECT_EQ(copy.BackColor(), SystemColor(COLOR_BTNFACE));
    EXPECT_EQ(copy.MouseIcon(), icon);
    EXPECT_EQ(copy.MousePointer(), rt::vbCustom);
    EXPECT_EQ(copy.MaskColor(), kMask);
    // A stored True latches the toggle button: it shows down.
    button = &copy;
    EXPECT_EQ(Shown(), kDownColour);
    rt::PropertyBag again;
    copy.WriteProperties(again);
    EXPECT_EQ(again.Keys(), all.Keys());
}

TEST_F(ButtonTest, MousePointerPicksTheCursorOverTheButton) {
    auto& b = Make();
    MoveMouseTo(OnButton());
    b.SetMousePointer(rt::vbCrosshair);
    SendMessageA(b.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
    b.SetMouseIcon(CornerFace(RGBColor(9, 9, 9)));
    b.SetMousePointer(rt::vbCustom);
    SendMessageA(b.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_CROSS));
    EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
    b.SetMousePointer(0);
    SendMessageA(b.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(b.hwnd()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

} // namespace hv::test

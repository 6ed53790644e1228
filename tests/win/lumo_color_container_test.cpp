// The colour swatch read back as pixels from its real windows, its events from real input,
// its tooltip and its stored properties.
#include "control_host.h"
#include "controls/lumo_color_container.h"
#include <commctrl.h>
#include <string>
#include <vector>

namespace hv::test {

namespace {

constexpr ColorValue kArea = RGBColor(200, 40, 160), kPressed = RGBColor(103, 125, 185),
                     kUnpressed = RGBColor(20, 90, 20), kInner = RGBColor(240, 200, 0);

class SwatchTest : public ControlHostTest {
  protected:
    // A 240 x 225 twip swatch (16 x 15 pixels at 15 twips per pixel), as the favourites are.
    controls::LumoColorContainer& Make(const rt::PropertyBag* bag) {
        auto& cc = host().Add<controls::LumoColorContainer>("CC", 300, 300, 240, 225, bag);
        swatch = &cc;
        PumpMessages();
        return cc;
    }
    HWND Area() const { return GetWindow(swatch->hwnd(), GW_CHILD); }
    ColorValue At(int x, int y) { return static_cast<ColorValue>(PixelAt(swatch->hwnd(), x, y)); }
    ColorValue AreaAt(int x, int y) { return static_cast<ColorValue>(PixelAt(Area(), x, y)); }
    // Every pixel of the 20/10-twip edge band.
    bool EdgeIs(ColorValue c) {
        for (int x = 0; x < 16; ++x)
            if (At(x, 0) != c || At(x, 14) != c) return false;
        for (int y = 0; y < 15; ++y)
            if (At(0, y) != c || At(15, y) != c) return false;
        return true;
    }
    // The outline: columns 1 and 14, rows 1 and 13.
    bool OutlineIs(ColorValue c) {
        for (int x = 1; x <= 14; ++x)
            if (At(x, 1) != c || At(x, 13) != c) return false;
        for (int y = 1; y <= 13; ++y)
            if (At(1, y) != c || At(14, y) != c) return false;
        return true;
    }
    RECT AreaRect() {
        RECT r = ScreenRect(Area());
        MapWindowPoints(nullptr, swatch->hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static ColorValue Sys(int index) { return static_cast<ColorValue>(GetSysColor(index)); }

    controls::LumoColorContainer* swatch = nullptr;
};

} // namespace

TEST_F(SwatchTest, EdgeOutlineAndColourAreaLieWhereTheLayoutPutsThem) {
    rt::PropertyBag bag{{"backcolor", kArea},
                        {"edgepressedcolor", kPressed},
                        {"edgeunpressedcolor", kUnpressed},
                        {"InnerBorderColor", kInner}};
    auto& cc = Make(&bag);
    // Outline at 20, 20, 210 x 195 twips; colour area at 30, 30, 180 x 165 twips.
    const RECT area = AreaRect();
    EXPECT_EQ(area.left, 2);
    EXPECT_EQ(area.top, 2);
    EXPECT_EQ(area.right, 14);
    EXPECT_EQ(area.bottom, 13);
    EXPECT_TRUE(EdgeIs(kUnpressed));
    EXPECT_TRUE(OutlineIs(kInner)); // coloured when shown, from the stored value
    EXPECT_EQ(AreaAt(0, 0), kArea);
    EXPECT_EQ(AreaAt(11, 10), kArea);

    cc.SetStyle(1);
    EXPECT_TRUE(EdgeIs(kPressed));
    cc.SetStyle(2);
    EXPECT_TRUE(EdgeIs(kUnpressed));
    // A new colour for the look not shown stays unseen until Style selects it.
    cc.SetStyle(0);
    cc.SetEdgePressedColor(RGBColor(1, 2, 3));
    EXPECT_TRUE(EdgeIs(kUnpressed));
    cc.SetStyle(1);
    EXPECT_TRUE(EdgeIs(RGBColor(1, 2, 3)));
    cc.SetEdgeUnPressedColor(SystemColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(EdgeIs(RGBColor(1, 2, 3)));
    cc.SetStyle(0);
    EXPECT_TRUE(EdgeIs(Sys(COLOR_HIGHLIGHT)));
    cc.SetInnerBorderColor(RGBColor(0, 0, 255));
    EXPECT_TRUE(OutlineIs(RGBColor(0, 0, 255)));
    cc.SetBackColor(SystemColor(COLOR_WINDOW));
    EXPECT_EQ(AreaAt(5, 5), Sys(COLOR_WINDOW));
    EXPECT_TRUE(EdgeIs(Sys(COLOR_HIGHLIGHT)));
}

TEST_F(SwatchTest, NewSwatchLooksAsDesignedAndEveryResizeLaysItOut) {
    auto& cc = Make(nullptr);
    EXPECT_TRUE(EdgeIs(Sys(COLOR_BTNSHADOW)));
    EXPECT_TRUE(OutlineIs(0));
    EXPECT_EQ(AreaAt(3, 3), Sys(COLOR_ACTIVEBORDER));
    cc.Move(300, 300, 405, 405);
    PumpMessages();
    RECT area = AreaRect();
    EXPECT_EQ(area.right - area.left, 23);
    EXPECT_EQ(area.bottom - area.top, 23);
    EXPECT_EQ(At(25, 1), 0); // the outline's right column
    EXPECT_EQ(At(26, 1), Sys(COLOR_BTNSHADOW));
    // Too small for the bands: empty parts, nothing negative.
    cc.Move(300, 300, 45, 45);
    PumpMessages();
    area = AreaRect();
    EXPECT_EQ(area.right - area.left, 0);
    EXPECT_EQ(area.bottom - area.top, 0);
    cc.Move(300, 300, 15, 15);
    PumpMessages();
    EXPECT_EQ(At(0, 0), Sys(COLOR_BTNSHADOW));
}

TEST_F(SwatchTest, OnlyTheColourAreaRaisesEventsWithItsOwnCoordinates) {
    auto& cc = Make(nullptr);
    std::string log;
    auto mouse = [&](const char* name) {
        return [&log, name](const rt::MouseEvent& e) {
            log += std::string(name) + " " + std::to_string(e.Button) + " " +
                   std::to_string(static_cast<int>(e.X)) + "," +
                   std::to_string(static_cast<int>(e.Y)) + "; ";
        };
    };
    cc.OnMouseDown = mouse("Down");
    cc.OnMouseUp = mouse("Up");
    cc.OnClick = [&] { log += "Click; "; };
    cc.OnDblClick = [&] { log += "DblClick; "; };
    // On the edge band and on the outline: nothing.
    for (POINT p : {POINT{0, 0}, POINT{1, 1}, POINT{15, 14}, POINT{14, 7}}) {
        MoveMouseTo(ScreenPoint(cc.hwnd(), p.x, p.y));
        LeftDown();
        LeftUp();
    }
    EXPECT_EQ(log, "");
    // The colour area's top-left pixel is X = 0, Y = 0, 30 twips in from the corner.
    MoveMouseTo(ScreenPoint(cc.hwnd(), 2, 2));
    LeftDown();
    LeftUp();
    EXPECT_EQ(log, "Down 1 0,0; Up 1 0,0; Click; ");
    log.clear();
    MoveMouseTo(ScreenPoint(cc.hwnd(), 5, 6));
    LeftDown();
    LeftUp();
    EXPECT_EQ(log, "Down 1 45,60; Up 1 45,60; Click; ");
    log.clear();
    SendMessageA(Area(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(Area(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(log, "DblClick; Up 1 45,60; ");
    // A disabled swatch raises nothing.
    log.clear();
    cc.SetEnabled(false);
    MoveMouseTo(ScreenPoint(cc.hwnd(), 5, 6));
    LeftDown();
    LeftUp();
    EXPECT_EQ(log, "");
}

TEST_F(SwatchTest, ColorTipTextIsTheColourAreasTooltipAndLeavesWithIt) {
    HWND tips = host().tooltipWindow();
    const LRESULT before = SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0);
    auto& cc = Make(nullptr);
    cc.SetColorTipText("&H00FF&");
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = host().hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(Area());
    char text[80] = "";
    ti.lpszText = text;
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "&H00FF&");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    // Rewritten, as hosts do on every mouse move: the same tool with the new text.
    cc.SetColorTipText("Favorite colors");
    SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Favorite colors");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    cc.SetColorTipText("");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before);
    // A swatch destroyed on its own takes its tool with it.
    {
        controls::LumoColorContainer alone(host(), "CC2", 900, 300, 240, 225);
        alone.SetColorTipText("Blue");
        EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before + 1);
    }
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), before);
}

TEST_F(SwatchTest, StoredDataWithOnlyBackColorRestoresTheDefaults) {
    rt::PropertyBag stored{{"_extentx", 423}, {"_extenty", 397}, {"backcolor", SystemColor(5)}};
    auto& cc = Make(&stored);
    EXPECT_EQ(cc.BackColor(), SystemColor(5));
    EXPECT_EQ(cc.Style(), 0);
    EXPECT_EQ(cc.InnerBorderColor(), 0);
    EXPECT_EQ(cc.EdgePressedColor(), RGBColor(255, 255, 255));
    EXPECT_EQ(cc.EdgeUnPressedColor(), SystemColor(COLOR_BTNSHADOW));
    EXPECT_TRUE(cc.Enabled());
    EXPECT_EQ(cc.ColorTipText(), "");
    rt::PropertyBag saved;
    cc.WriteProperties(saved);
    EXPECT_EQ(saved.Keys(), std::vector<std::string>{"BackColor"});
    // All seven at their defaults: nothing is stored.
    cc.SetBackColor(SystemColor(COLOR_BTNTEXT));
    rt::PropertyBag none;
    cc.WriteProperties(none);
    EXPECT_EQ(none.size(), 0u);
}

TEST_F(SwatchTest, EveryPropertyIsMarkedChangedAndRoundTrips) {
    auto& cc = Make(nullptr);
    std::vector<std::string> changed;
    cc.OnPropertyChanged = [&](const std::string& p) { changed.push_back(p); };
    cc.SetBackColor(kArea);
    cc.SetEnabled(false);
    cc.SetStyle(1);
    cc.SetInnerBorderColor(kInner);
    cc.SetEdgePressedColor(kPressed);
    cc.SetEdgeUnPressedColor(kUnpressed);
    cc.SetColorTipText("tip");
    const std::vector<std::string> order{
        "BackColor",          "Enabled",     "Style", "InnerBorderColor", "EdgePressedColor",
        "EdgeUnPressedColor", "ColorTipText"};
    EXPECT_EQ(changed, order);
    rt::PropertyBag saved;
    cc.WriteProperties(saved);
    EXPECT_EQ(saved.Keys(), order);
    auto& copy = host().Add<controls::LumoColorContainer>("CC2", 900, 300, 240, 225, &saved);
    EXPECT_EQ(copy.BackColor(), kArea);
    EXPECT_FALSE(copy.Enabled());
    EXPECT_EQ(copy.Style(), 1);
    EXPECT_EQ(copy.InnerBorderColor(), kInner);
    EXPECT_EQ(copy.EdgePressedColor(), kPressed);
    EXPECT_EQ(copy.EdgeUnPressedColor(), kUnpressed);
    EXPECT_EQ(copy.ColorTipText(), "tip");
    swatch = &copy;
    EXPECT_TRUE(EdgeIs(kPressed));
}

} // namespace hv::test

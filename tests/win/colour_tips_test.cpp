// Tooltips that follow the current colour: the preview's HSL and HSV, and each favourite's
// contrast with the current colour. Read from the form's tooltip control after real mouse
// moves over the controls, as the text a user would see.
#include "colour/colour_state.h"
#include "controls/lumo_color_container.h"
#include "control_host.h"
#include "main_window_fixture.h"
#include <commctrl.h>

namespace hv::test {

namespace {

constexpr char kFavoriteHint[] = "Favorite colors, DoubleClick to modify \n";
constexpr char kContrast[] = "Contrast with the current color: ";

class ColourTipsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetForegroundWindow(main().hWnd());
    }
    // The wide message: the narrow one hands out at most 79 characters.
    std::string Tip(HWND tool) {
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.hwnd = main().form().hwnd();
        ti.uId = reinterpret_cast<UINT_PTR>(tool);
        wchar_t text[256] = L"";
        ti.lpszText = text;
        SendMessageW(main().form().tooltipWindow(), TTM_GETTEXTW, 256,
                     reinterpret_cast<LPARAM>(&ti));
        return std::string(text, text + wcslen(text)); // the tips are ASCII
    }
    // A real move onto the control's pixel (x, y); true once its tip reads `want`.
    bool HoverShows(HWND tool, int x, int y, const std::string& want) {
        MoveMouseTo(ScreenPoint(tool, x, y));
        return PumpUntil([&] { return Tip(tool) == want; });
    }
    HWND Swatch(int i) { return GetWindow(main().CC[i]->hwnd(), GW_CHILD); }
    void SetCurrent(ColorValue c) { colour::SetCurrentColor(main().fields(), c); }
};

} // namespace

TEST_F(ColourTipsTest, ThePreviewShowsTheCurrentColourInHslAndHsvOnTwoLines) {
    HWND preview = main().picCurrentCol->hwnd();
    // The hint names the colour; the second line gives it in HSL and HSV.
    const auto hint = [](const std::string& name) {
        return "Current color preview (" + name +
               "), Click to modify, Right-click for the color in code";
    };
    SetCurrent(RGBColor(0, 128, 0));
    EXPECT_TRUE(
        HoverShows(preview, 5, 5, hint("green") + "\nhsl(120, 100%, 25%)   hsv(120, 100%, 50%)"))
        << Tip(preview);
    // Another colour: the next move over the preview rewrites it.
    SetCurrent(RGBColor(255, 255, 255));
    EXPECT_TRUE(HoverShows(preview, 7, 6, hint("white") + "\nhsl(0, 0%, 100%)   hsv(0, 0%, 100%)"))
        << Tip(preview);
    // Shown, the tip is two lines high.
    HWND tips = main().form().tooltipWindow();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tips) != FALSE; }));
    TEXTMETRICA tm{};
    {
        HDC dc = GetDC(tips);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(tips, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(tips, dc);
    }
    RECT r{};
    GetClientRect(tips, &r);
    EXPECT_GE(r.bottom - r.top, 2 * tm.tmHeight);
}

TEST_F(ColourTipsTest, EachFavouriteShowsItsContrastWithTheCurrentColourCutToHundredths) {
    main().CC[3]->SetBackColor(RGBColor(255, 0, 0));
    main().CC[4]->SetBackColor(RGBColor(119, 119, 119));
    SetCurrent(RGBColor(255, 255, 255));
    const std::string tip = std::string(kFavoriteHint) + kContrast;
    EXPECT_TRUE(HoverShows(Swatch(3), 3, 3, tip + "3.99:1, AA fail, AAA fail")) << Tip(Swatch(3));
    EXPECT_TRUE(HoverShows(Swatch(4), 3, 3, tip + "4.47:1, AA fail, AAA fail")) << Tip(Swatch(4));
    // The current colour changes: each tip follows on the next move over its swatch.
    SetCurrent(RGBColor(0, 0, 0));
    EXPECT_TRUE(HoverShows(Swatch(3), 4, 4, tip + "5.25:1, AA pass, AAA fail")) << Tip(Swatch(3));
    EXPECT_TRUE(HoverShows(Swatch(4), 4, 4, tip + "4.68:1, AA pass, AAA fail")) << Tip(Swatch(4));
}

TEST_F(ColourTipsTest, ASystemColourFavouriteIsMeasuredAsPainted) {
    // The window background, white here: against black it is 21:1. Read as the number it is
    // stored as (&H80000005&), it would be nearly black.
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    main().CC[2]->SetBackColor(SystemColor(COLOR_WINDOW));
    SetCurrent(RGBColor(0, 0, 0));
    EXPECT_TRUE(HoverShows(Swatch(2), 3, 3,
                           std::string(kFavoriteHint) + kContrast + "21.00:1, AA pass, AAA pass"))
        << Tip(Swatch(2));
}

} // namespace hv::test

// The current colour as the main window shows it: preview, code field, components.
#include "colour/colour_state.h"
#include "main_window_fixture.h"

namespace hv::test {

using ColourStateTest = MainWindowTest;

namespace {

bool WaitsForPaint(HWND w) {
    return GetUpdateRect(w, nullptr, FALSE) != FALSE;
}

} // namespace

TEST_F(ColourStateTest, LoadsWhiteWithDarkGreenCode) {
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
    EXPECT_EQ(PreviewPixel(), RGB(255, 255, 255));
    EXPECT_EQ(main().txtColorCode->ForeColor(), RGBColor(0, 128, 0));
    EXPECT_EQ(WindowText(main().hWnd()), "VB 6 Huevista");
    RECT client{};
    GetClientRect(main().hWnd(), &client);
    // 5625 x 2115 twips at the display's ratio (15 at Wine's default 96 DPI).
    EXPECT_EQ(client.right, 375);
    EXPECT_EQ(client.bottom, 141);
    EXPECT_EQ(GetWindowLongA(main().hWnd(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST_F(ColourStateTest, SetCurrentColorFillsPreviewCodeAndComponents) {
    const struct {
        ColorValue c;
        const char* shown;
    } cases[] = {
        {0x000000, "&H000& 0 0 0"},
        {0x0000FF, "&H00FF& 255 0 0"},
        {0xFF0000, "&H00FF0000& 0 0 255"},
        {0x123456, "&H00123456& 86 52 18"},
    };
    for (const auto& k : cases) {
        colour::SetCurrentColor(main().fields(), k.c);
        EXPECT_EQ(Shown(), k.shown);
        EXPECT_EQ(PreviewPixel(), static_cast<COLORREF>(k.c));
    }
}

// A pick while the pointer moves mostly lands on what is already shown: it must not rewrite
// or repaint anything then, and otherwise only the fields that change.
TEST_F(ColourStateTest, APickRewritesAndRepaintsOnlyWhatChanges) {
    auto& f = main();
    const HWND preview = f.picCurrentCol->hwnd(), code = f.txtColorCode->hwnd(), r = f.txtR->hwnd(),
               g = f.txtG->hwnd(), b = f.txtB->hwnd();
    colour::SetCurrentColor(f.fields(), RGBColor(255, 128, 0));
    RedrawWindow(f.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    {
        MessageLog spy(WM_SETTEXT);
        colour::SetCurrentColor(f.fields(), RGBColor(255, 128, 0));
        EXPECT_TRUE(spy.windows.empty());
    }
    for (HWND w : {preview, code, r, g, b})
        EXPECT_FALSE(WaitsForPaint(w));

    {
        MessageLog spy(WM_SETTEXT);
        colour::SetCurrentColor(f.fields(), RGBColor(255, 64, 0));
        EXPECT_EQ(spy.windows, (std::vector<HWND>{code, g}));
    }
    EXPECT_TRUE(WaitsForPaint(preview));
    EXPECT_FALSE(WaitsForPaint(r));
    EXPECT_FALSE(WaitsForPaint(b));
    EXPECT_EQ(Shown(), "&H0040FF& 255 64 0");
    EXPECT_EQ(PreviewPixel(), RGB(255, 64, 0));

    // A field the user typed into is rewritten even when the colour stays.
    SetWindowTextA(r, "12");
    colour::SetCurrentColor(f.fields(), RGBColor(255, 64, 0));
    EXPECT_EQ(Shown(), "&H0040FF& 255 64 0");
}

// A system colour's components are what it is now, never its index read as red.
TEST_F(ColourStateTest, ShowComponentsOfASystemColourShowsWhatItIsNow) {
    colour::ShowComponents(main().fields(), SystemColor(COLOR_BTNFACE));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Shown(), "&H00FFFFFF& " + std::to_string(GetRValue(face)) + " " +
                           std::to_string(GetGValue(face)) + " " +
                           std::to_string(GetBValue(face))); // preview and code keep theirs
}

TEST_F(ColourStateTest, FocusSelectsTheWholeText) {
    auto& r = *main().txtR;
    r.SetText("128");
    main().txtG->SetFocus();
    r.SetFocus();
    EXPECT_EQ(r.SelStart(), 0);
    EXPECT_EQ(r.SelLength(), 3);
    // A keystroke replaces the selection; nothing else changes.
    SendMessageA(r.hwnd(), WM_CHAR, 'a', 0);
    SendMessageA(r.hwnd(), WM_CHAR, 'b', 0);
    SendMessageA(r.hwnd(), WM_CHAR, 'c', 0);
    EXPECT_EQ(Shown(), "&H00FFFFFF& abc 255 255");
    EXPECT_EQ(PreviewPixel(), RGB(255, 255, 255));

    main().txtB->SetText("");
    main().txtB->SetFocus();
    EXPECT_EQ(main().txtB->SelLength(), 0);
    main().txtColorCode->SetFocus();
    EXPECT_EQ(main().txtColorCode->SelLength(), 11);
}

TEST_F(ColourStateTest, UpdateColorCodeReadsThePreview) {
    main().picCurrentCol->SetBackColor(0x00A0B);
    colour::UpdateColorCode(main().fields());
    EXPECT_EQ(main().txtColorCode->Text(), "&H00A0B&");
}

} // namespace hv::test

// Controls mark nothing for repainting while they are off the screen (the window hidden, or
// the control itself): whatever changed meanwhile must show once they are shown again. And
// windows skip only the painting they do not need: a framed form still gets its frame.
#include "colour/colour_state.h"
#include "forms/on_top.h"
#include "main_window_fixture.h"
#include "runtime/system_colour.h"

namespace hv::test {

using HiddenChangesTest = MainWindowTest;

namespace {
constexpr ColorValue kRed = RGBColor(200, 0, 0), kBlue = RGBColor(0, 0, 210);

// The colour in the middle of a window's client area.
COLORREF Middle(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return PixelAt(w, r.right / 2, r.bottom / 2);
}
} // namespace

TEST_F(HiddenChangesTest, WhatChangedWhileTheWindowWasHiddenShowsWhenItIsShown) {
    const HWND swatch = GetWindow(main().CC[3]->hwnd(), GW_CHILD); // its colour area
    ASSERT_TRUE(
        PumpUntil([&] { return Middle(main().picCurrentCol->hwnd()) == RGB(255, 255, 255); }));
    ShowWindow(main().hWnd(), SW_HIDE);
    PumpMessages();
    colour::SetCurrentColor(main().fields(), kRed);
    main().CC[3]->SetBackColor(kBlue);
    main().txtR->SetBackColor(kBlue);
    forms::SetTopMost(main(), true); // as the IDE's button shows it again
    EXPECT_TRUE(PumpUntil([&] { return Middle(main().picCurrentCol->hwnd()) == kRed; }))
        << std::hex << Middle(main().picCurrentCol->hwnd());
    EXPECT_TRUE(PumpUntil([&] { return Middle(swatch) == kBlue; })) << std::hex << Middle(swatch);
    // The text box's background, left of its centred digits.
    EXPECT_TRUE(PumpUntil([&] { return PixelAt(main().txtR->hwnd(), 2, 2) == kBlue; }))
        << std::hex << PixelAt(main().txtR->hwnd(), 2, 2);
}

TEST_F(HiddenChangesTest, AControlHiddenOnAShownWindowShowsItsNewLookWhenShownAgain) {
    rt::PictureBox& preview = *main().picCurrentCol;
    const HWND swatch = GetWindow(main().CC[0]->hwnd(), GW_CHILD);
    ASSERT_TRUE(PumpUntil([&] { return Middle(preview.hwnd()) == RGB(255, 255, 255); }));
    preview.SetVisible(false);
    main().CC[0]->SetVisible(false);
    PumpMessages();
    colour::SetCurrentColor(main().fields(), kBlue);
    main().CC[0]->SetBackColor(kRed);
    preview.SetVisible(true);
    main().CC[0]->SetVisible(true);
    EXPECT_TRUE(PumpUntil([&] { return Middle(preview.hwnd()) == kBlue; }))
        << std::hex << Middle(preview.hwnd());
    EXPECT_TRUE(PumpUntil([&] { return Middle(swatch) == kRed; })) << std::hex << Middle(swatch);
}

// Frameless windows of ours skip the default painting of a non-client area they lack; a form
// with a caption must still get its frame: its caption bar is the system's caption colour.
TEST(FramePaintTest, AFormWithACaptionStillHasItsCaptionPainted) {
    rt::Form form("frmFramed");
    ASSERT_TRUE(form.Create("Framed", 3000, 1500, nullptr, 0, rt::BorderStyle::FixedSingle));
    ShowWindow(form.hwnd(), SW_SHOWNA);
    UpdateWindow(form.hwnd());
    const int x = GetSystemMetrics(SM_CXFIXEDFRAME) + 2;
    const int y = GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    const auto caption = [&] {
        HDC dc = GetWindowDC(form.hwnd());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(form.hwnd(), dc);
        return c;
    };
    // At the caption's left end, where a gradient caption starts with the plain colour.
    EXPECT_TRUE(PumpUntil([&] {
        const COLORREF c = caption();
        return c == GetSysColor(COLOR_ACTIVECAPTION) || c == GetSysColor(COLOR_INACTIVECAPTION);
    })) << std::hex << caption();
}

} // namespace hv::test

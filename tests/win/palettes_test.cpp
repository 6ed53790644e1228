// Picking from the three palettes with real mouse messages on the real palette windows.
#include "assets/asset_ids.h"
#include "assets/palettes.h"
#include "main_window_fixture.h"
#include <commctrl.h>

namespace hv::test {

using PaletteTest = MainWindowTest;

TEST_F(PaletteTest, LeftPressOnStandardCellPicksItsColour) {
    HWND basic = main().picBasicCol->hwnd();
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 18, 30); // row 2, column 1
    EXPECT_EQ(Shown(), "&H00FF& 255 0 0");
    EXPECT_EQ(PreviewPixel(), RGB(255, 0, 0));
    Send(basic, WM_LBUTTONUP, 0, 18, 30);
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 12, 30); // on a separator line
    // No leading zeros: 0x080808 is "80808".
    EXPECT_EQ(Shown(), "&H0080808& 8 8 8");
    Send(basic, WM_LBUTTONUP, 0, 12, 30);
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 30, 70); // row 5, column 2
    EXPECT_EQ(Shown(), "&H00424284& 132 66 66");
    Send(basic, WM_LBUTTONUP, 0, 30, 70);
}

TEST_F(PaletteTest, OnlyTheLeftButtonAlonePicks) {
    HWND strip = main().picColors->hwnd();
    for (HWND box : {main().picBasicCol->hwnd(), strip, main().picColorBW->hwnd()}) {
        Send(box, WM_RBUTTONDOWN, MK_RBUTTON, 5, 15);
        Send(box, WM_RBUTTONUP, 0, 5, 15);
        Send(box, WM_MBUTTONDOWN, MK_MBUTTON, 5, 15);
        Send(box, WM_MBUTTONUP, 0, 5, 15);
    }
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
    // Dragging with left and right held together picks nothing.
    Send(strip, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 100, 19);
    Send(strip, WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, 100, 19);
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
    // Moving without a button picks nothing either.
    Send(strip, WM_MOUSEMOVE, 0, 100, 19);
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
}

TEST_F(PaletteTest, DraggingOnTheQuickStripPicksOnEveryMove) {
    HWND strip = main().picColors->hwnd();
    const Image img = assets::QuickColorPalette();
    Send(strip, WM_LBUTTONDOWN, MK_LBUTTON, 0, 10);
    EXPECT_EQ(main().picCurrentCol->BackColor(), img.at(0, 10));
    for (int x = 13; x <= 208; x += 13) {
        Send(strip, WM_MOUSEMOVE, MK_LBUTTON, x, 10);
        ASSERT_EQ(main().txtColorCode->Text(), ColorCodeText(img.at(x, 10))) << x;
    }
    Send(strip, WM_MOUSEMOVE, MK_LBUTTON, 50, 0);
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
    Send(strip, WM_MOUSEMOVE, MK_LBUTTON, 50, 19);
    EXPECT_EQ(Shown(), "&H000& 0 0 0");
    Send(strip, WM_LBUTTONUP, 0, 50, 19);
}

TEST_F(PaletteTest, DraggingOnTheStandardPaletteKeepsThePressedColour) {
    HWND basic = main().picBasicCol->hwnd();
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 18, 30);
    Send(basic, WM_MOUSEMOVE, MK_LBUTTON, 60, 60);
    Send(basic, WM_MOUSEMOVE, MK_LBUTTON, 90, 5);
    Send(basic, WM_LBUTTONUP, 0, 90, 5);
    EXPECT_EQ(Shown(), "&H00FF& 255 0 0");
}

TEST_F(PaletteTest, DragPastTheEdgeNeverPicksOutside) {
    HWND strip = main().picColors->hwnd(), grey = main().picColorBW->hwnd();
    Send(strip, WM_LBUTTONDOWN, MK_LBUTTON, 200, 10);
    const std::string inside = Shown();
    // The box keeps the mouse while the button is held, so these moves arrive.
    EXPECT_EQ(GetCapture(), strip);
    for (auto [x, y] : {std::pair{209, 10}, {-1, 10}, {100, -3}, {100, 20}, {500, 500}}) {
        Send(strip, WM_MOUSEMOVE, MK_LBUTTON, x, y);
        ASSERT_EQ(Shown(), inside) << x << "," << y;
    }
    Send(strip, WM_LBUTTONUP, 0, 500, 500);
    EXPECT_EQ(GetCapture(), nullptr);
    // The grey box shows only the top-left 31 x 20 pixels of its 35 x 21 picture.
    Send(grey, WM_LBUTTONDOWN, MK_LBUTTON, 31, 5);
    Send(grey, WM_LBUTTONUP, 0, 31, 5);
    EXPECT_EQ(Shown(), inside);
    EXPECT_EQ(main().picColorBW->Point(31 * 15 - 1, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(main().picColorBW->Point(31 * 15, 0), -1);
    EXPECT_EQ(main().picColorBW->Point(-1, 0), -1);
}

TEST_F(PaletteTest, GreyScalePicksNeutralGreys) {
    HWND grey = main().picColorBW->hwnd();
    Send(grey, WM_LBUTTONDOWN, MK_LBUTTON, 0, 10);
    EXPECT_EQ(Shown(), "&H00636363& 99 99 99");
    Send(grey, WM_MOUSEMOVE, MK_LBUTTON, 5, 19);
    EXPECT_EQ(Shown(), "&H000& 0 0 0");
    Send(grey, WM_LBUTTONUP, 0, 5, 19);
}

TEST_F(PaletteTest, PalettesShowTheirPicturesFromTheResources) {
    const struct {
        rt::PictureBox* box;
        Image img;
    } palettes[] = {
        {main().picBasicCol, assets::BasicPalette()},
        {main().picColors, assets::QuickColorPalette()},
        {main().picColorBW, assets::GreyScalePalette()},
    };
    for (const auto& p : palettes) {
        RECT client{};
        GetClientRect(p.box->hwnd(), &client);
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                ASSERT_EQ(PixelAt(p.box->hwnd(), x, y), static_cast<COLORREF>(p.img.at(x, y)))
                    << p.box->name() << " " << x << "," << y;
    }
    RECT r{};
    GetClientRect(main().picBasicCol->hwnd(), &r);
    EXPECT_EQ(r.right, 99);
    EXPECT_EQ(r.bottom, 74);
    GetClientRect(main().picColors->hwnd(), &r);
    EXPECT_EQ(r.right, 209);
    EXPECT_EQ(r.bottom, 20);
}

TEST_F(PaletteTest, PipettePointerOverEveryPalette) {
    HCURSOR pipette = nullptr;
    for (HWND box :
         {main().picBasicCol->hwnd(), main().picColors->hwnd(), main().picColorBW->hwnd()}) {
        SendMessageA(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        HCURSOR now = GetCursor();
        ASSERT_NE(now, LoadCursor(nullptr, IDC_ARROW));
        if (pipette) {
            EXPECT_EQ(now, pipette);
        }
        pipette = now;
    }
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(pipette, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 17u);
    BITMAP bm{};
    GetObjectA(info.hbmMask, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 32);
    // Every drawn pixel of the pointer as the pipette was drawn (the pointer is stored with
    // a colour table).
    const Image drawn = assets::PipetteCursor();
    ASSERT_NE(info.hbmColor, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> px(32 * 32);
    HDC dc = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, info.hbmColor, 0, 32, px.data(), &bi, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, dc);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (drawn.at(x, y) != assets::kCursorTransparent) {
                const DWORD p = px[std::size_t(y * 32 + x)];
                ASSERT_EQ(RGBColor(GetBValue(p), GetGValue(p), GetRValue(p)), drawn.at(x, y))
                    << x << "," << y;
            }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(PaletteTest, TooltipsNameEachPalette) {
    HWND tips = main().form().tooltipWindow();
    ASSERT_NE(tips, nullptr);
    const std::pair<rt::Control*, const char*> expected[] = {
        {main().picColorBW, "Quick grey scale palette"},
        {main().picColors, "Quick color palette"},
        {main().picBasicCol, "Standard palette"},
        {main().picCurrentCol, "Current color preview, Click to modify, Right-click for the color in code"},
        {main().txtColorCode, "VB color code"},
        {main().txtR, "Red value"},
    };
    for (auto [control, text] : expected) {
        char buf[128] = "";
        TTTOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;
        ti.hwnd = main().hWnd();
        ti.uId = reinterpret_cast<UINT_PTR>(control->hwnd());
        ti.lpszText = buf;
        SendMessageA(tips, TTM_GETTEXTA, sizeof buf, reinterpret_cast<LPARAM>(&ti));
        EXPECT_STREQ(buf, text);
    }
}

// The controls pass their mouse messages on to the tooltip themselves: the pointer resting
// on one brings up that control's tip.
TEST_F(PaletteTest, TheTipComesUpWhereThePointerRests) {
    HWND tips = main().form().tooltipWindow();
    POINT pt{40, 8};
    ClientToScreen(main().picColors->hwnd(), &pt);
    {
        const MouseMovesTo moves(main().picColors->hwnd());
        SendMoveTo(pt.x, pt.y);
        ASSERT_TRUE(WaitFor("the first move on the palette", [&] { return moves.count() > 0; }));
    }
    SendMoveTo(pt.x + 1, pt.y);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(tips) != FALSE; }, 5000));
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(SendMessageA(tips, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(main().picColors->hwnd()));
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255"); // no button held: nothing picked
}

TEST_F(PaletteTest, RealMouseInputPicksThroughTheWholeStack) {
    POINT pt{18, 30}; // red cell
    ClientToScreen(main().picBasicCol->hwnd(), &pt);
    SetCursorPos(pt.x, pt.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return main().txtColorCode->Text() == "&H00FF&"; }));
}

} // namespace hv::test

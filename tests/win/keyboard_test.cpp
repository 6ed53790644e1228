// The main window from the keyboard alone, with real keys: the Tab order through every control
// that acts on a click, Space and Enter on the buttons, the arrow keys, Home and End on the
// palettes and among the favourites, and the focus cue each stop draws, at the display's DPI.
#include "assets/palettes.h"
#include "control_host.h"
#include "forms/frm_about.h"
#include "main_window_fixture.h"
#include "runtime/clipboard.h"
#include "runtime/screen.h"
#include <vector>

namespace hv::test {

namespace {

// Real input: `vk` pressed and released, with Shift held around it when asked.
void Press(WORD vk, bool shift = false) {
    INPUT in[4] = {};
    int n = 0;
    auto key = [&](WORD k, bool up) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = k;
        in[n++].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    SendInput(n, in, sizeof(INPUT));
}

// The client area's pixels, row by row.
std::vector<COLORREF> Snapshot(HWND hwnd) {
    UpdateWindow(hwnd);
    RECT r{};
    GetClientRect(hwnd, &r);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(r.right) * r.bottom);
    HDC dc = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    GetDIBits(mem, bmp, 0, r.bottom, pixels.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, dc);
    return pixels;
}

ColorValue FromRRGGBB(unsigned v) {
    return RGBColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

} // namespace

class KeyboardTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SetForegroundWindow(main().hWnd());
        ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == main().hWnd(); }));
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
            RegDeleteTreeA(hive, "Software\\Lumo");
    }
    // Focus on `c` (by the program), and the key pressed there.
    void FocusAndPress(rt::Control* c, WORD vk, bool shift = false) {
        c->SetFocus();
        ASSERT_EQ(GetFocus(), c->hwnd());
        Press(vk, shift);
    }
    bool FocusReaches(const rt::Control* c) {
        return PumpUntil([&] { return GetFocus() == c->hwnd(); });
    }
    bool CurrentBecomes(ColorValue c) {
        return PumpUntil([&] { return main().picCurrentCol->BackColor() == c; });
    }
    std::vector<rt::Control*> Stops() {
        forms::frmMain& m = main();
        return {m.picColorBW,
                m.picColors,
                m.picBasicCol,
                m.picCurrentCol,
                m.txtColorCode,
                m.cmdInsert,
                m.cmdCopy,
                m.cmdCapture,
                m.cmdAbout,
                m.cmdRGBMenu,
                m.CC[colour::SelectedFavorite(m.favorites())],
                m.cmdInsertFav,
                m.cmdCopyFav,
                m.cmdACFav,
                m.picMinimize,
                m.picClose};
    }
    int CueWidth() const {
        return (15 + main_->form().TwipsPerPixelX() / 2) / main_->form().TwipsPerPixelX();
    }
};

TEST_F(KeyboardTest, TabAndShiftTabVisitEveryStopInReadingOrderAndWrap) {
    const auto stops = Stops();
    SetFocus(main().hWnd()); // the window itself, as a click on its background leaves it
    for (rt::Control* c : stops) {
        Press(VK_TAB);
        ASSERT_TRUE(FocusReaches(c)) << "forward to " << c->name();
    }
    Press(VK_TAB);
    ASSERT_TRUE(FocusReaches(stops.front())) << "wraps to the first";
    for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
        Press(VK_TAB, true);
        ASSERT_TRUE(FocusReaches(*it)) << "back to " << (*it)->name();
    }
    // From the window itself Shift+Tab starts at the last stop.
    SetFocus(main().hWnd());
    Press(VK_TAB, true);
    EXPECT_TRUE(FocusReaches(stops.back()));
    // The code field keeps no Tab character.
    main().txtColorCode->SetText("&H00FF&");
    FocusAndPress(main().txtColorCode, VK_TAB);
    ASSERT_TRUE(FocusReaches(main().cmdInsert));
    EXPECT_EQ(main().txtColorCode->Text(), "&H00FF&");
}

TEST_F(KeyboardTest, TabPassesOverADisabledButtonAndStopsAtTheSelectedFavouriteOnly) {
    forms::frmMain& m = main();
    m.cmdCapture->SetEnabled(false);
    FocusAndPress(m.cmdCopy, VK_TAB);
    EXPECT_TRUE(FocusReaches(m.cmdAbout));
    Press(VK_TAB, true);
    EXPECT_TRUE(FocusReaches(m.cmdCopy));
    m.cmdCapture->SetEnabled(true);
    // A favourite selected with the mouse is the group's stop.
    SendMessageA(GetWindow(m.CC[6]->hwnd(), GW_CHILD), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(3, 3));
    SendMessageA(GetWindow(m.CC[6]->hwnd(), GW_CHILD), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    FocusAndPress(m.cmdRGBMenu, VK_TAB);
    EXPECT_TRUE(FocusReaches(m.CC[6]));
    Press(VK_TAB);
    EXPECT_TRUE(FocusReaches(m.cmdInsertFav));
    Press(VK_TAB, true);
    EXPECT_TRUE(FocusReaches(m.CC[6]));
}

TEST_F(KeyboardTest, SpaceAndEnterActOnAButtonAsAClickDoes) {
    forms::frmMain& m = main();
    colour::SetCurrentColor(m.fields(), RGBColor(255, 0, 0));
    // Copy: the code on the clipboard.
    rt::ReplaceClipboardText("before", m.hWnd());
    FocusAndPress(m.cmdCopy, VK_SPACE);
    EXPECT_TRUE(PumpUntil([] { return rt::ClipboardText() == "&H00FF&"; }));
    // The favourite's store: the current colour into the selected favourite.
    FocusAndPress(m.cmdACFav, VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return m.CC[0]->BackColor() == RGBColor(255, 0, 0); }));
    // The formats button opens its menu; the preview its colour dialog on Space and its code
    // menu on the menu key; Enter on a favourite opens the dialog for it.
    struct Opened {
        rt::Control* control;
        WORD key;
        const char* windowClass;
    } opened[] = {{m.cmdRGBMenu, VK_RETURN, "#32768"},
                  {m.picCurrentCol, VK_SPACE, "#32770"},
                  {m.picCurrentCol, VK_APPS, "#32768"},
                  {m.CC[0], VK_RETURN, "#32770"}};
    for (const Opened& o : opened) {
        RunLater guard(5000, [] { EndMenu(); }); // never hang the run if a key goes astray
        ModalAnswer answer(
            [](HWND w) {
                PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0);
                SendKey(VK_ESCAPE);
            },
            o.windowClass);
        FocusAndPress(o.control, o.key);
        EXPECT_TRUE(PumpUntil([&] { return answer.answered(); })) << o.control->name();
        ASSERT_TRUE(PumpPostedMessages());
        EXPECT_FALSE(guard.ran()) << o.control->name();
    }
    EXPECT_EQ(m.picCurrentCol->BackColor(), RGBColor(255, 0, 0)); // each left as it was
    // About, then minimise and close.
    FocusAndPress(m.cmdAbout, VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(m.aboutForm().form().hwnd()); }));
    SetForegroundWindow(m.hWnd());
    FocusAndPress(m.picMinimize, VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(m.hWnd()) != FALSE; }));
    ShowWindow(m.hWnd(), SW_RESTORE);
    SetForegroundWindow(m.hWnd());
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == m.hWnd(); }));
    FocusAndPress(m.picClose, VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !m.Loaded(); }));
}

TEST_F(KeyboardTest, ArrowsHomeAndEndPickCellByCellOnTheStandardPalette) {
    forms::frmMain& m = main();
    const struct {
        WORD key;
        int col, row;
    } steps[] = {{VK_RIGHT, 1, 0}, {VK_DOWN, 1, 1}, {VK_END, 7, 1},  {VK_RIGHT, 7, 1},
                 {VK_HOME, 0, 1},  {VK_UP, 0, 0},   {VK_UP, 0, 0},   {VK_LEFT, 0, 0},
                 {VK_DOWN, 0, 1},  {VK_DOWN, 0, 2}, {VK_DOWN, 0, 3}, {VK_DOWN, 0, 4},
                 {VK_DOWN, 0, 5},  {VK_DOWN, 0, 5}, {VK_END, 7, 5}};
    m.picBasicCol->SetFocus();
    for (const auto& s : steps) {
        // Another colour first, so that each step's pick shows, even of the same cell.
        colour::SetCurrentColor(m.fields(), RGBColor(1, 2, 3));
        Press(s.key);
        const ColorValue want = FromRRGGBB(assets::kBasicCellsRRGGBB[s.row][s.col]);
        EXPECT_TRUE(CurrentBecomes(want)) << s.col << "," << s.row;
        EXPECT_EQ(m.txtColorCode->Text(), ColorCodeText(want));
        EXPECT_EQ(m.paletteKeys(2).col(), s.col);
        EXPECT_EQ(m.paletteKeys(2).row(), s.row);
    }
    // A press of the mouse moves the pick; the keys go on from there.
    Send(m.picBasicCol->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
    Send(m.picBasicCol->hwnd(), WM_LBUTTONUP, 0, 3, 3);
    Press(VK_RIGHT);
    EXPECT_TRUE(CurrentBecomes(FromRRGGBB(assets::kBasicCellsRRGGBB[0][1])));
}

// The quick palettes' cells are their pixels as drawn at 96 DPI, at every DPI.
TEST_F(KeyboardTest, ArrowsHomeAndEndPickPixelByPixelAlongTheQuickPalettes) {
    forms::frmMain& m = main();
    const struct {
        rt::PictureBox* box;
        int index;
        Image picture;
        int lastCol;
    } palettes[] = {{m.picColors, 1, assets::QuickColorPalette(), 208},
                    {m.picColorBW, 0, assets::GreyScalePalette(), 30}};
    for (const auto& p : palettes) {
        p.box->SetFocus();
        const struct {
            WORD key;
            int dcol, drow; // from the start; a negative dcol counts from the end
        } steps[] = {{VK_RIGHT, 1, 0}, {VK_RIGHT, 2, 0}, {VK_UP, 2, -1},  {VK_END, -1, -1},
                     {VK_HOME, 0, -1}, {VK_LEFT, 0, -1}, {VK_DOWN, 0, 0}, {VK_DOWN, 0, 1}};
        const int startRow = m.paletteKeys(p.index).row();
        EXPECT_EQ(startRow, 10);
        for (const auto& s : steps) {
            colour::SetCurrentColor(m.fields(), RGBColor(1, 2, 3));
            Press(s.key);
            const int col = s.dcol < 0 ? p.lastCol : s.dcol, row = startRow + s.drow;
            EXPECT_TRUE(CurrentBecomes(p.picture.at(col, row)))
                << p.box->name() << " " << col << "," << row;
        }
    }
}

TEST_F(KeyboardTest, ArrowsMoveTheSelectionAmongTheFavouritesAndTheFocusWithIt) {
    forms::frmMain& m = main();
    for (int i = 0; i < colour::kFavoriteCount; ++i)
        m.CC[i]->SetBackColor(RGBColor(i, 100, 200));
    const struct {
        WORD key;
        int selected;
    } steps[] = {{VK_RIGHT, 1}, {VK_DOWN, 2}, {VK_END, 9},  {VK_RIGHT, 9},
                 {VK_LEFT, 8},  {VK_UP, 7},   {VK_HOME, 0}, {VK_LEFT, 0}};
    m.CC[0]->SetFocus();
    for (const auto& s : steps) {
        Press(s.key);
        ASSERT_TRUE(FocusReaches(m.CC[s.selected])) << s.selected;
        for (int i = 0; i < colour::kFavoriteCount; ++i)
            EXPECT_EQ(m.CC[i]->Style() == 1, i == s.selected) << i;
        EXPECT_EQ(m.txtR->Text(), std::to_string(s.selected));
        EXPECT_EQ(m.txtTempFav->Text(), ColorCodeText(RGBColor(s.selected, 100, 200)));
    }
}

// Each kind of stop draws its cue when it takes the focus, as wide as the display's pixels
// are small (one pixel at 96 DPI, two at 144), and takes it away when it loses it.
TEST_F(KeyboardTest, EveryStopDrawsAFocusCueAtTheDisplaysDpi) {
    forms::frmMain& m = main();
    const int width = CueWidth();
    EXPECT_EQ(width, rt::TwipsPerPixelX() <= 10 ? 2 : 1);
    auto client = [](const rt::Control* c) {
        RECT r{};
        GetClientRect(c->hwnd(), &r);
        return r;
    };
    // The grey scale's pick at its start: the first of its 31 columns, the middle of its 20 rows.
    const RECT grey = client(m.picColorBW);
    RECT cell{0, 10 * grey.bottom / 20, grey.right / 31, 11 * grey.bottom / 20};
    InflateRect(&cell, 2, 2);
    IntersectRect(&cell, &cell, &grey);
    RECT button = client(m.cmdCopy);
    InflateRect(&button, -2, -2);
    const struct {
        rt::Control* control;
        RECT ring;
    } stops[] = {{m.picColorBW, cell},
                 {m.picCurrentCol, client(m.picCurrentCol)},
                 {m.cmdCopy, button},
                 {m.CC[0], client(m.CC[0])},
                 {m.picClose, client(m.picClose)}};
    for (const auto& s : stops) {
        SetFocus(m.hWnd());
        const auto before = Snapshot(s.control->hwnd());
        s.control->SetFocus();
        std::vector<COLORREF> with;
        ASSERT_TRUE(PumpUntil([&] { return (with = Snapshot(s.control->hwnd())) != before; }))
            << s.control->name();
        const int w = client(s.control).right;
        auto changed = [&](int x, int y) { return with[y * w + x] != before[y * w + x]; };
        // Every change lies on the ring, `width` pixels thick, just inside its rectangle.
        RECT inner = s.ring;
        InflateRect(&inner, -width, -width);
        int outside = 0;
        for (int y = 0; y < client(s.control).bottom; ++y)
            for (int x = 0; x < w; ++x) {
                const POINT p{x, y};
                if (changed(x, y) && (!PtInRect(&s.ring, p) || PtInRect(&inner, p))) ++outside;
            }
        EXPECT_EQ(outside, 0) << s.control->name();
        // Each of its columns on the right side has dots (the left one of the palette's ring
        // lies past the box's edge).
        for (int k = 0; k < width; ++k) {
            bool dots = false;
            for (int y = s.ring.top + width; y < s.ring.bottom - width; ++y)
                dots |= changed(s.ring.right - 1 - k, y);
            EXPECT_TRUE(dots) << s.control->name() << " column " << k;
        }
        SetFocus(m.hWnd());
        EXPECT_TRUE(PumpUntil([&] { return Snapshot(s.control->hwnd()) == before; }))
            << s.control->name();
    }
}

// A click on a button whose command hands the focus on gives it once, where the command puts
// it: the button is not focused in passing (a screen reader would announce it). A button
// that keeps the focus takes it at the press, as a push button does.
TEST_F(KeyboardTest, AClickOnCopyGivesTheFocusOnceToThePreviewAndTheFormatsButtonKeepsIt) {
    forms::frmMain& m = main();
    colour::SetCurrentColor(m.fields(), RGBColor(0, 128, 255));
    m.txtColorCode->SetFocus();
    auto pressOn = [](const rt::Control* c) {
        RECT r{};
        GetClientRect(c->hwnd(), &r);
        MoveMouseTo(ScreenPoint(c->hwnd(), r.right / 2, r.bottom / 2));
        LeftDown();
    };
    {
        MessageLog log(WM_SETFOCUS);
        pressOn(m.cmdCopy);
        LeftUp();
        ASSERT_TRUE(PumpUntil([] { return rt::ClipboardText() == "&H00FF8000&"; }));
        EXPECT_TRUE(FocusReaches(m.picCurrentCol));
        EXPECT_EQ(log.windows, std::vector<HWND>{m.picCurrentCol->hwnd()});
    }
    // Pressed again with the focus already there: no change at all.
    MessageLog log(WM_SETFOCUS);
    pressOn(m.cmdCopy);
    LeftUp();
    ASSERT_TRUE(PumpPostedMessages());
    EXPECT_TRUE(log.windows.empty());
    // The formats button is focused by the press (its release opens the menu).
    RunLater guard(5000, [] { EndMenu(); });
    ModalAnswer answer([](HWND) { EndMenu(); }, "#32768");
    pressOn(m.cmdRGBMenu);
    EXPECT_TRUE(FocusReaches(m.cmdRGBMenu));
    LeftUp();
    EXPECT_TRUE(PumpUntil([&] { return answer.answered(); }));
    EXPECT_FALSE(guard.ran());
}

} // namespace hv::test

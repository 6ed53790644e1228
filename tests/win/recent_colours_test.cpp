// The recent colours: what the user makes current goes to the stored list, and the preview's
// menu offers the list back, driven with real input inside the menu's modal loop.
#include "capture_fixture.h"
#include "core/addin_settings.h"
#include "core/recent_colours.h"
#include <algorithm>
#include <set>
#include "runtime/screen.h"
#include "store/settings.h"

namespace hv::test {

namespace {

const std::string kKey = rt::SettingsKey(settings::kApp, settings::kSection);

// The stored value's text; "(none)" when it is missing or no text.
std::string Stored() {
    char text[512] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kKey.c_str(), settings::kRecentColors, RRF_RT_REG_SZ,
                     nullptr, text, &size) != ERROR_SUCCESS)
        return "(none)";
    return text;
}
void Store(DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(
        RegSetKeyValueA(HKEY_CURRENT_USER, kKey.c_str(), settings::kRecentColors, type, data, size),
        ERROR_SUCCESS);
}
void Store(const std::string& text) {
    Store(REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
void Forget() {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey.c_str(), settings::kRecentColors);
}

std::vector<std::string> Items(HMENU menu) {
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        out.push_back(text);
    }
    return out;
}

// Run by a thread timer inside the menu's modal loop.
std::function<void()> g_check;
void CALLBACK Check(HWND, UINT, UINT_PTR, DWORD) {
    if (g_check) g_check();
}

} // namespace

class RecentColoursTest : public CaptureWindowTest {
  protected:
    void SetUp() override {
        Forget();
        CaptureWindowTest::SetUp();
    }
    void TearDown() override {
        CaptureWindowTest::TearDown();
        Forget();
    }
    HMENU Popup() { return main().codeMenu()->menu().handle(); }
    HMENU Recent() { return main().codeMenu()->recentMenu(); }
    // A right-click on the preview, `answer` run once the menu shows.
    void RightClick(const std::function<void(HWND)>& answer) {
        RunLater guard(5000, [] { EndMenu(); }); // never hang the run if the keys go astray
        ModalAnswer menu(answer, "#32768");
        Send(main().picCurrentCol->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
        Send(main().picCurrentCol->hwnd(), WM_RBUTTONUP, 0, 5, 5);
        EXPECT_TRUE(menu.answered());
        EXPECT_FALSE(guard.ran());
        PumpMessages();
    }
    void Keys(std::vector<WORD> keys) {
        RightClick([keys](HWND) {
            for (WORD k : keys)
                SendKey(k);
        });
    }
};

TEST_F(RecentColoursTest, PalettePressesAndTheEndsOfDragsAreRememberedNotWhatADragPasses) {
    HWND basic = main().picBasicCol->hwnd(), strip = main().picColors->hwnd();
    auto current = [&] { return std::to_string(main().picCurrentCol->BackColor()); };
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 18, 30);
    const std::string first = current();
    EXPECT_EQ(Stored(), "(none)") << "not before the button goes up";
    Send(basic, WM_LBUTTONUP, 0, 18, 30);
    EXPECT_EQ(Stored(), first);
    Send(strip, WM_LBUTTONDOWN, MK_LBUTTON, 0, 10);
    std::set<std::string> passed;
    for (int x = 13; x <= 208; x += 13) {
        Send(strip, WM_MOUSEMOVE, MK_LBUTTON, x, 10);
        passed.insert(current());
    }
    EXPECT_GT(passed.size(), 3u);
    EXPECT_EQ(Stored(), first) << "not while the drag goes on";
    Send(strip, WM_MOUSEMOVE, MK_LBUTTON, 50, 10);
    const std::string last = current();
    ASSERT_NE(last, first);
    Send(strip, WM_LBUTTONUP, 0, 50, 10);
    EXPECT_EQ(Stored(), last + " " + first) << "the colour where the drag ended, only";
    // Right presses pick nothing, so they add nothing.
    for (HWND box : {basic, strip}) {
        Send(box, WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
        Send(box, WM_RBUTTONUP, 0, 5, 5);
    }
    EXPECT_EQ(Stored(), last + " " + first);
    Send(basic, WM_LBUTTONDOWN, MK_LBUTTON, 18, 30);
    Send(basic, WM_LBUTTONUP, 0, 18, 30);
    EXPECT_EQ(Stored(), first + " " + last) << "again to the front, once";
}

TEST_F(RecentColoursTest, TheDialogsOkAndATypedColourAreRememberedACancelIsNot) {
    ModalAnswer cancel([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    ClickAt(main().picCurrentCol->hwnd(), 5, 5);
    ASSERT_TRUE(cancel.answered());
    EXPECT_EQ(Stored(), "(none)");
    ModalAnswer ok([](HWND dlg) {
        HWND red = GetDlgItem(dlg, 706); // the dialog's red field
        SendMessageA(red, EM_SETSEL, 0, -1);
        SendMessageA(red, WM_CHAR, '7', 0);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    ClickAt(main().picCurrentCol->hwnd(), 5, 5);
    ASSERT_TRUE(ok.answered());
    EXPECT_EQ(Stored(), std::to_string(RGBColor(7, 255, 255)));

    SetForegroundWindow(main().hWnd());
    main().txtColorCode->SetFocus();
    main().txtColorCode->SetText("RGB(1, 2, 3)");
    SendKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return Stored() != std::to_string(RGBColor(7, 255, 255)); }));
    EXPECT_EQ(Stored(),
              std::to_string(RGBColor(1, 2, 3)) + " " + std::to_string(RGBColor(7, 255, 255)));
    main().txtColorCode->SetText("no colour");
    SendKey(VK_RETURN);
    ASSERT_TRUE(
        PumpUntil([&] { return main().txtColorCode->BackColor() != RGBColor(255, 255, 255); }));
    EXPECT_EQ(Stored(),
              std::to_string(RGBColor(1, 2, 3)) + " " + std::to_string(RGBColor(7, 255, 255)));
}

TEST_F(RecentColoursTest, AKeptCaptureIsRememberedOnceAndEscapeIsNot) {
    const POINT at{100, 300};
    auto square = Square(kGreen, at);
    PumpMessages();
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    ASSERT_TRUE(MoveAndShow(Centre(at), "&H00FF00& 0 255 0")) << Shown();
    SendKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Stored(), "(none)") << "the colours passed over and the one Escape dropped";

    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    ASSERT_TRUE(MoveAndShow(Centre(at), "&H00FF00& 0 255 0")) << Shown();
    Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Stored(), std::to_string(kGreen));

    square = Square(kBlue, at);
    PumpMessages();
    ASSERT_NO_FATAL_FAILURE(ClickCapture());
    ASSERT_TRUE(MoveAndShow(Centre(at), "&H00FF0000& 0 0 255")) << Shown();
    SendKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !Capturing(); }));
    EXPECT_EQ(Stored(), std::to_string(kBlue) + " " + std::to_string(kGreen));
}

TEST_F(RecentColoursTest, TheMenuListsThemNewestFirstAndChoosingOneMakesItCurrent) {
    Store("255 65280 16711680");
    std::vector<std::string> items;
    UINT state = 0;
    // Up wraps to the last item, "Recent colors"; right opens it on its first colour.
    RightClick([&](HWND) {
        items = Items(Recent());
        state = GetMenuState(Popup(), GetMenuItemCount(Popup()) - 1, MF_BYPOSITION);
        for (WORD k : {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN})
            SendKey(k);
    });
    // Shown as the code field shows them: the ampersands doubled, so that none underlines.
    EXPECT_EQ(items, (std::vector<std::string>{"&&H00FF&&", "&&H00FF00&&", "&&H00FF0000&&"}));
    EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED));
    EXPECT_TRUE(state & MF_POPUP);
    EXPECT_EQ(Shown(), "&H00FF00& 0 255 0");
    EXPECT_EQ(PreviewPixel(), RGB(0, 255, 0));
    EXPECT_EQ(Stored(), "65280 255 16711680");
    // Every item has a swatch of its own colour, drawn by the owner (see the painting test).
    const ColorValue colours[] = {255, 65280, 16711680};
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_BITMAP | MIIM_DATA;
        ASSERT_TRUE(GetMenuItemInfoA(Recent(), i, TRUE, &mi));
        EXPECT_EQ(mi.hbmpItem, HBMMENU_CALLBACK);
        EXPECT_EQ(mi.dwItemData, static_cast<ULONG_PTR>(colours[i]));
    }
    // The commands above keep their places for the keyboard.
    char first[64] = "";
    GetMenuStringA(Popup(), 0, first, sizeof first, MF_BYPOSITION);
    EXPECT_STREQ(first, "Color from code");
}

TEST_F(RecentColoursTest, AnEmptyOrUnreadableListGreysTheSubmenuAndIsReplacedByTheNextColour) {
    auto greyed = [&] {
        UINT state = 0;
        RightClick([&](HWND) {
            state = GetMenuState(Popup(), GetMenuItemCount(Popup()) - 1, MF_BYPOSITION);
            SendKey(VK_ESCAPE);
        });
        return (state & MF_GRAYED) != 0 && GetMenuItemCount(Recent()) == 0;
    };
    EXPECT_TRUE(greyed());
    const DWORD number = 255;
    Store(REG_DWORD, &number, sizeof number);
    EXPECT_TRUE(greyed()) << "a number where a text belongs";
    Store("red, green; &HFF& -5 16777216");
    EXPECT_TRUE(greyed()) << "no word of it a colour";
    EXPECT_EQ(Stored(), "red, green; &HFF& -5 16777216") << "only read, not rewritten";
    // What is good in a bad text stays, in its order, behind the new colour.
    Store("oops 255 255 junk 0 " + std::string(3000, '7'));
    Keys({VK_ESCAPE});
    EXPECT_EQ(GetMenuItemCount(Recent()), 2);
    Send(main().picBasicCol->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 30, 70);
    Send(main().picBasicCol->hwnd(), WM_LBUTTONUP, 0, 30, 70);
    RecentColours expected{255, 0};
    PutFirst(expected, main().picCurrentCol->BackColor());
    EXPECT_EQ(Stored(), RecentText(expected));
    Store(REG_DWORD, &number, sizeof number);
    Send(main().picBasicCol->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 18, 30);
    Send(main().picBasicCol->hwnd(), WM_LBUTTONUP, 0, 18, 30);
    EXPECT_EQ(Stored(), std::to_string(main().picCurrentCol->BackColor()));
}

TEST_F(RecentColoursTest, SixteenAtMostAndTheMenuRefilledEachTime) {
    for (int i = 1; i <= 20; ++i) {
        main().txtColorCode->SetText(std::to_string(i));
        SetForegroundWindow(main().hWnd());
        main().txtColorCode->SetFocus();
        SendKey(VK_RETURN);
        ASSERT_TRUE(PumpUntil([&] {
            const RecentColours stored = ParseRecent(Stored());
            return !stored.empty() && stored.front() == i;
        }));
    }
    Keys({VK_ESCAPE});
    const std::vector<std::string> items = Items(Recent());
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items.front(), "&&H0014&&");
    EXPECT_EQ(items.back(), "&&H005&&");
    main().codeMenu()->FillRecent({255});
    EXPECT_EQ(Items(Recent()), std::vector<std::string>{"&&H00FF&&"});
    main().codeMenu()->FillRecent({});
    EXPECT_TRUE(Items(Recent()).empty());
}

// The swatch as the open submenu paints it: a square of the colour, as tall as the DPI makes
// a check mark, inside a frame. Checked from inside the menu's loop, once it is painted.
TEST_F(RecentColoursTest, TheSubmenuPaintsEachSwatchAtTheScreensDpi) {
    const ColorValue colour = RGBColor(0x12, 0xAB, 0x34);
    Store(std::to_string(colour) + " 255");
    int run = 0, height = 0;
    g_check = [&] {
        RECT item{};
        if (!GetMenuItemRect(nullptr, Recent(), 0, &item)) return;

        POINT mid{item.left + 2, (item.top + item.bottom) / 2};
        const HWND popup = WindowFromPoint(mid);
        if (ClassName(popup) != "#32768") return;
        ScreenToClient(popup, &mid);

        int best = 0, count = 0, first = -1;
        for (int x = mid.x; x < mid.x + MulDiv(48, rt::ScreenDpiX(), 96); ++x) {
            count = PixelAt(popup, x, mid.y) == static_cast<COLORREF>(colour) ? count + 1 : 0;
            if (count == 1 && first < 0) first = x;
            best = std::max(best, count);
        }
        if (best == 0) return;
        int up = 0;
        while (PixelAt(popup, first, mid.y - up - 1) == static_cast<COLORREF>(colour))
            ++up;
        int down = 0;
        while (PixelAt(popup, first, mid.y + down + 1) == static_cast<COLORREF>(colour))
            ++down;
        run = best;
        height = up + down + 1;
        EndMenu();
    };
    RunLater guard(5000, [] { EndMenu(); });
    UINT_PTR poll = 0;
    ModalAnswer menu(
        [&](HWND) {
            SendKey(VK_UP);
            SendKey(VK_RIGHT);
            poll = SetTimer(nullptr, 0, 30, &Check);
        },
        "#32768");
    Send(main().picCurrentCol->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(main().picCurrentCol->hwnd(), WM_RBUTTONUP, 0, 5, 5);
    KillTimer(nullptr, poll);
    g_check = nullptr;
    EXPECT_FALSE(guard.ran()) << "the swatch never showed";
    // Inside a one-pixel frame: the colour covers the square but its edge.
    const int side = MulDiv(12, rt::ScreenDpiY(), 96);
    EXPECT_EQ(run, side - 2);
    EXPECT_EQ(height, side - 2);
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255") << "closed without a choice";
}

} // namespace hv::test

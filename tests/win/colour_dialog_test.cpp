// The colour dialog opened by a click on the preview, answered inside its modal loop.
#include "main_window_fixture.h"

namespace hv::test {

namespace {
// Control numbers of the red, green and blue fields of the standard colour dialog.
constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;

std::string Item(HWND dlg, int id) { return WindowText(GetDlgItem(dlg, id)); }

void Type(HWND edit, const char* text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char* p = text; *p; ++p) SendMessageA(edit, WM_CHAR, *p, 0);
}
} // namespace

using ColourDialogTest = MainWindowTest;

TEST_F(ColourDialogTest, OpensOnTheCurrentColourAndOkTakesTheNewOne) {
    Send(main().picBasicCol->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 18, 30); // red
    Send(main().picBasicCol->hwnd(), WM_LBUTTONUP, 0, 18, 30);
    std::string title, red, green, blue;
    bool customShown = false;
    ModalAnswer answer([&](HWND dlg) {
        title = WindowText(dlg);
        red = Item(dlg, kRedEdit);
        green = Item(dlg, kGreenEdit);
        blue = Item(dlg, kBlueEdit);
        customShown = IsWindowVisible(GetDlgItem(dlg, kRedEdit));
        Type(GetDlgItem(dlg, kRedEdit), "18");
        Type(GetDlgItem(dlg, kGreenEdit), "52");
        Type(GetDlgItem(dlg, kBlueEdit), "86");
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    ClickAt(main().picCurrentCol->hwnd(), 5, 5);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(title, "Select color");
    EXPECT_EQ(red + " " + green + " " + blue, "255 0 0");
    EXPECT_TRUE(customShown);
    EXPECT_EQ(Shown(), "&H00563412& 18 52 86");
    EXPECT_EQ(PreviewPixel(), RGB(18, 52, 86));
}

TEST_F(ColourDialogTest, CancelKeepsTheColour) {
    Send(main().picBasicCol->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 80, 55); // row 4, column 6
    const std::string before = Shown();
    ModalAnswer answer([&](HWND dlg) {
        Type(GetDlgItem(dlg, kRedEdit), "1");
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    ClickAt(main().picCurrentCol->hwnd(), 5, 5);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(Shown(), before);
    EXPECT_EQ(before, "&H00840000& 0 0 132");
}

// A system colour made current ("Color from selected control") shows what it is now, also
// after a cancel gave it back: not its index as red.
TEST_F(ColourDialogTest, ACancelLeavesASystemColourShownByItsComponents) {
    colour::SetCurrentColor(main().fields(), SystemColor(COLOR_BTNFACE));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::string components = std::to_string(GetRValue(face)) + " " +
                                   std::to_string(GetGValue(face)) + " " +
                                   std::to_string(GetBValue(face));
    ModalAnswer answer([&](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    ClickAt(main().picCurrentCol->hwnd(), 5, 5);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(Shown(), ColorCodeText(SystemColor(COLOR_BTNFACE)) + " " + components);
}

// A right-click opens the code menu at the pointer, never the colour dialog.
TEST_F(ColourDialogTest, RightClickOnThePreviewOpensTheCodeMenuNotTheDialog) {
    RunLater guard(5000, [] {
        EndMenu();
        if (HWND dlg = FindWindowA("#32770", nullptr)) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    ModalAnswer menu([&](HWND) { SendKey(VK_ESCAPE); }, "#32768");
    Send(main().picCurrentCol->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
    Send(main().picCurrentCol->hwnd(), WM_RBUTTONUP, 0, 5, 5);
    ASSERT_TRUE(PumpPostedMessages());
    ASSERT_TRUE(PumpPastTimer(90));
    EXPECT_TRUE(menu.answered());
    EXPECT_FALSE(guard.ran());
    EXPECT_EQ(Shown(), "&H00FFFFFF& 255 255 255");
}

} // namespace hv::test

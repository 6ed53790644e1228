// A colour typed or pasted into the code field, taken on Enter.
#include "main_window_fixture.h"

namespace hv::test {

class TypedColourTest : public MainWindowTest {
  protected:
    // Puts `text` in the code field as a paste would and presses Enter there (real input).
    void Enter(const std::string& text) {
        SetForegroundWindow(main().hWnd());
        main().txtColorCode->SetFocus();
        main().txtColorCode->SetText(text);
        SendKey(VK_RETURN);
        PumpMessages();
    }
    COLORREF CodePixel() { return PixelAt(main().txtColorCode->hwnd(), 2, 2); }
};

TEST_F(TypedColourTest, EveryFormBecomesTheCurrentColourOnEnter) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"#FF8000", "&H0080FF& 255 128 0"},      {"10, 20, 30", "&H001E140A& 10 20 30"},
        {" RGB(1, 2, 3) ", "&H0030201& 1 2 3"},   {"&hff0000", "&H00FF0000& 0 0 255"},
        {"vbGreen", "&H00FF00& 0 255 0"},       {"QBColor(6)", "&H008080& 128 128 0"},
        {"255", "&H00FF& 255 0 0"},               {"&H00123456&", "&H00123456& 86 52 18"},
    };
    for (const auto& k : cases) {
        Enter(k.typed);
        EXPECT_EQ(Shown(), k.shown) << k.typed;
    }
    EXPECT_EQ(PreviewPixel(), RGB(86, 52, 18));
    // A system colour is its colour on this machine now.
    Enter("vbInfoBackground");
    const COLORREF info = GetSysColor(COLOR_INFOBK);
    EXPECT_EQ(main().picCurrentCol->BackColor(), static_cast<ColorValue>(info));
    EXPECT_EQ(main().txtR->Text(), std::to_string(GetRValue(info)));
}

TEST_F(TypedColourTest, AWrongTextTurnsTheFieldRedUntilItChangesAndKeepsTheColour) {
    Enter("RGB(1, 2, 3)");
    const COLORREF normal = CodePixel();
    for (const char* wrong : {"#12345", "RGB(300, 0, 0)", "red", ""}) {
        Enter(wrong);
        EXPECT_EQ(main().txtColorCode->Text(), wrong); // the text stays for the user to mend
        EXPECT_EQ(main().picCurrentCol->BackColor(), RGBColor(1, 2, 3)) << wrong;
        EXPECT_EQ(CodePixel(), RGB(255, 160, 160)) << wrong;
    }
    // A key typed is a change: the field is itself again.
    SendKey('A');
    PumpMessages();
    EXPECT_EQ(main().txtColorCode->Text(), "a");
    EXPECT_EQ(CodePixel(), normal);
    // Without Enter nothing is taken; Enter then takes it.
    main().txtColorCode->SetText("vbBlue");
    PumpMessages();
    EXPECT_EQ(main().picCurrentCol->BackColor(), RGBColor(1, 2, 3));
    SendKey(VK_RETURN);
    PumpMessages();
    EXPECT_EQ(Shown(), "&H00FF0000& 0 0 255");
    EXPECT_EQ(CodePixel(), normal);
}

} // namespace hv::test

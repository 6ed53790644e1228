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
    // Types `text` into the emptied field key by key, each character a key press of its own
    // (as an input method or the on-screen keyboard sends it), then presses Enter; the caller
    // waits for what Enter does.
    void TypeAndEnter(const std::string& text) {
        SetForegroundWindow(main().hWnd());
        main().txtColorCode->SetFocus();
        main().txtColorCode->SetText("");
        for (const char c : text) {
            INPUT in[2] = {};
            in[0].type = in[1].type = INPUT_KEYBOARD;
            in[0].ki.wScan = in[1].ki.wScan = static_cast<WORD>(c);
            in[0].ki.dwFlags = KEYEVENTF_UNICODE;
            in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
            SendInput(2, in, sizeof(INPUT));
        }
        ASSERT_TRUE(PumpUntil([&] { return main().txtColorCode->Text() == text; }))
            << main().txtColorCode->Text();
        SendKey(VK_RETURN);
    }
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

TEST_F(TypedColourTest, HslAndHsvTypedKeyByKeyBecomeTheColourAndOutOfRangeTurnsTheFieldRed) {
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"hsl(120, 100%, 25%)", "&H008000& 0 128 0"},
        {"HSV(240, 100%, 100%)", "&H00FF0000& 0 0 255"},
        {"hsl(210,50%,40%)", "&H00996633& 51 102 153"},
        {"hsv(0.5, 100%, 100%)", "&H002FF& 255 2 0"},
    };
    for (const auto& k : cases) {
        ASSERT_NO_FATAL_FAILURE(TypeAndEnter(k.typed));
        EXPECT_TRUE(PumpUntil([&] { return Shown() == k.shown; })) << k.typed << ": " << Shown();
    }
    EXPECT_EQ(PreviewPixel(), RGB(255, 2, 0));
    const COLORREF normal = CodePixel();
    // Typing turned the field back to its colour; Enter turns it red, the colour stays.
    for (const char* wrong : {"hsl(361, 100%, 50%)", "hsv(0, 101%, 50%)", "hsl(120, 100, 25)"}) {
        ASSERT_NO_FATAL_FAILURE(TypeAndEnter(wrong));
        EXPECT_TRUE(PumpUntil([&] { return CodePixel() == RGB(255, 160, 160); })) << wrong;
        EXPECT_EQ(main().txtColorCode->Text(), wrong);
        EXPECT_EQ(main().picCurrentCol->BackColor(), RGBColor(255, 2, 0)) << wrong;
    }
    ASSERT_NO_FATAL_FAILURE(TypeAndEnter("hsl(0, 0%, 50%)"));
    EXPECT_TRUE(PumpUntil([&] { return Shown() == "&H00808080& 128 128 128"; })) << Shown();
    EXPECT_EQ(CodePixel(), normal);
}

} // namespace hv::test

// The colour in code: read from the caret's line of the host's real code panes and written
// back in its form.
#include "code_pane_fixture.h"
#include "colour/colour_state.h"
#include "store/recent_store.h"
#include "core/addin_settings.h"
#include "store/settings.h"

namespace hv::test {

class CodeColourTest : public CodePaneTest {
  protected:
    // The pane holds `code` with the caret where its '|' was.
    void Put(std::wstring code) {
        const auto at = code.find(L'|');
        code.erase(at, 1);
        SetCode(*pane_, code.c_str());
        Select(*pane_, static_cast<int>(at), static_cast<int>(at));
    }
    void FromCode() { main_->codeMenu()->Click("mnuFromCode"); }
    void ReplaceInCode() { main_->codeMenu()->Click("mnuReplaceInCode"); }
    void Current(ColorValue c) { colour::SetCurrentColor(main_->fields(), c); }
    std::string Shown() const {
        return main_->txtColorCode->Text() + " " + main_->txtR->Text() + " " +
               main_->txtG->Text() + " " + main_->txtB->Text();
    }
};

TEST_F(CodeColourTest, FromCodeReadsEveryFormAsAPickWould) {
    const struct {
        const wchar_t* code;
        ColorValue colour;
    } cases[] = {
        {L"Me.BackColor = &H|FF&", 0xFF},
        {L"Me.BackColor = RGB(10, 20, |30)", RGBColor(10, 20, 30)},
        {L"x = vb|Blue", 0xFF0000},
        {L"x = |QBColor(3)", 0x808000},
        {L"lbl.ForeColor = 65280|", 0xFF00},
        {L"x = &H8000000F&|", static_cast<ColorValue>(GetSysColor(COLOR_BTNFACE))},
        {L"|x = vbInfoText", static_cast<ColorValue>(GetSysColor(COLOR_INFOTEXT))},
        {L"Sub A()\r\n  y = 1: x = vbRed   ' the |only one\r\nEnd Sub", 0xFF},
    };
    for (const auto& k : cases) {
        Current(RGBColor(1, 1, 1));
        Put(k.code);
        FromCode();
        EXPECT_EQ(main_->picCurrentCol->BackColor(), k.colour) << k.code;
        EXPECT_EQ(Shown(), ColorCodeText(k.colour) + " " + RedText(k.colour) + " " +
                               GreenText(k.colour) + " " + BlueText(k.colour));
    }
}

TEST_F(CodeColourTest, ReplaceWritesTheCurrentColourInTheSameForm) {
    const ColorValue teal = RGBColor(0, 128, 128), blue = 0xFF0000;
    const struct {
        const wchar_t* code;
        ColorValue current;
        const wchar_t* written;
    } cases[] = {
        {L"Me.BackColor = &H|FF& ' red", teal, L"Me.BackColor = &H808000& ' red"},
        {L"x = RGB(1, 2, 3)|: y = 2", teal, L"x = RGB(0, 128, 128): y = 2"},
        {L"x = |vbRed", blue, L"x = vbBlue"},
        {L"x = |vbRed", teal, L"x = &H808000&"},
        {L"x = QBColor(1|)", teal, L"x = QBColor(3)"},
        {L"x = QBColor(1|)", 0x123456, L"x = &H123456&"},
        {L"x = vbButton|Face", blue, L"x = &HFF0000&"},
        {L"x = &H80000005&|", teal, L"x = &H808000&"},
        {L"BackColor = |255", teal, L"BackColor = 8421376"},
    };
    for (const auto& k : cases) {
        Put(k.code);
        Current(k.current);
        ReplaceInCode();
        EXPECT_EQ(Code(*pane_), k.written) << k.code;
        EXPECT_EQ(GetFocus(), main_->picCurrentCol->hwnd());
    }
}

// Whatever writing the line did to the editor's caret, it ends right after the colour written,
// as the editor shows it (&H00808000& as &H808000&).
TEST_F(CodeColourTest, AfterReplaceTheCaretStandsRightAfterTheColour) {
    Put(L"Sub A()\r\n  x = &H|FF&: y = 2\r\nEnd Sub");
    Current(RGBColor(0, 128, 128));
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_), L"Sub A()\r\n  x = &H808000&: y = 2\r\nEnd Sub");
    EXPECT_EQ(Caret(*pane_), std::make_pair(2L, 16L));
    // Again at once: the caret is still at the colour, which is replaced again, and the
    // caret follows its new end.
    Current(0xFF);
    ReplaceInCode();
    const std::wstring line = pane_->Line(2);
    EXPECT_NE(line, L"  x = &H808000&: y = 2");
    EXPECT_EQ(Caret(*pane_), std::make_pair(2L, static_cast<long>(line.find(L':')) + 1));
}

TEST_F(CodeColourTest, TwoColoursOnALineAndTheCaretInEachOrInNone) {
    const std::wstring line = L"a = vbRed: b = RGB(1, 2, 3)";
    const int red = static_cast<int>(line.find(L"vbRed")), rgb = static_cast<int>(line.find(L"RGB"));
    SetCode(*pane_, line.c_str());
    Select(*pane_, red + 5, red + 5); // the end of vbRed
    FromCode();
    EXPECT_EQ(main_->picCurrentCol->BackColor(), 0xFF);
    Current(0xFF00);
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_), L"a = vbGreen: b = RGB(1, 2, 3)");
    Select(*pane_, rgb + 2, rgb + 2);
    FromCode();
    EXPECT_EQ(Shown(), "&H0030201& 1 2 3");
    Current(0xFF00);
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_), L"a = vbGreen: b = RGB(0, 255, 0)");

    // The caret in neither: the user is told, nothing changes.
    Current(RGBColor(9, 9, 9));
    Select(*pane_, 0, 0);
    const std::wstring several = L"Pigmora: More than one color on this line: put the caret in one of them";
    EXPECT_EQ(Told([&] { FromCode(); }), several);
    EXPECT_EQ(Told([&] { ReplaceInCode(); }), several);
    EXPECT_EQ(Code(*pane_), L"a = vbGreen: b = RGB(0, 255, 0)");
    EXPECT_EQ(Shown(), "&H0090909& 9 9 9");
    // None on the line, the ones in strings and comments included.
    Put(L"s = \"vbRed\" ' RGB(1, 2, 3)|");
    EXPECT_EQ(Told([&] { FromCode(); }), L"Pigmora: No color found on the caret's line");
    EXPECT_EQ(Told([&] { ReplaceInCode(); }), L"Pigmora: No color found on the caret's line");
    EXPECT_EQ(Code(*pane_), L"s = \"vbRed\" ' RGB(1, 2, 3)");
    EXPECT_EQ(Shown(), "&H0090909& 9 9 9");
    EXPECT_EQ(WithoutPane([&] { FromCode(); }), L"Pigmora: No code pane selected");
    EXPECT_EQ(Told([&] { ReplaceInCode(); }), L"Pigmora: No code pane selected");
}

// From code, then Replace: the line is byte for byte what it was, a system colour included
// (never written as the RGB it shows as today); texts that are no colour are never touched.
TEST_F(CodeColourTest, TheColourReadPutBackChangesNothingAndNonColoursAreLeftAlone) {
    for (const wchar_t* code : {L"x = vbButton|Face", L"x = &H8000000F&|", L"x = &H|FF",
                                L"BackColor = 255&|", L"x = rgb( 1 ,2,3 )|", L"x = VB|RED  ' c"}) {
        Put(code);
        FromCode();
        ReplaceInCode();
        std::wstring want = code;
        want.erase(want.find(L'|'), 1);
        EXPECT_EQ(Code(*pane_), want);
    }
    Current(RGBColor(1, 2, 3));
    for (const wchar_t* code : {L"x = &HFF|%", L"x = &HFF|#", L"x = rs!vb|Red", L"If a Then Rem vb|Red",
                                L"10 Rem &H|FF&", L"x = 1 Else Rem vb|Blue"}) {
        Put(code);
        std::wstring want = code;
        want.erase(want.find(L'|'), 1);
        EXPECT_EQ(Told([&] { ReplaceInCode(); }), L"Pigmora: No color found on the caret's line") << want;
        EXPECT_EQ(Code(*pane_), want);
    }
}

// The add-in changes only the expression's characters; the editor then shows the line its way
// (blanks made one, the comment as it was).
TEST_F(CodeColourTest, OnlyTheExpressionsCharactersChange) {
    // Tabs, characters beyond the code page and trailing blanks around it, lines either side.
    const std::wstring before = L"' \u4e2d\u6587\r\n\tpic.BackColor = \t&HFF&  ' caf\u00e9 \u2713  \r\nEnd Sub";
    SetCode(*pane_, before.c_str());
    const int at = static_cast<int>(before.find(L"&HFF"));
    Select(*pane_, at + 1, at + 1);
    Current(RGBColor(1, 2, 3));
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_),
              L"' \u4e2d\u6587\r\n\tpic.BackColor = &H30201& ' caf\u00e9 \u2713  \r\nEnd Sub");
    long line = 0, column = 0, endLine = 0, endColumn = 0;
    pane_->GetSelection(&line, &column, &endLine, &endColumn);
    EXPECT_EQ(line, 2);
    EXPECT_EQ(endLine, 2);
}

TEST_F(CodeColourTest, AFailingIdeLeavesTheModuleAndTheColourAsTheyWere) {
    const std::wstring code = L"Dim x\r\nx = RGB(1, 2, 3)";
    SetCode(*pane_, code.c_str());
    Select(*pane_, 12, 12);
    Current(RGBColor(7, 7, 7));
    for (const wchar_t* member : {L"CodeModule.Lines", L"CodePane.GetSelection", L"CodePane.CodeModule"}) {
        for (host::FaultKind kind : {host::FaultKind::Error, host::FaultKind::Empty}) {
            ide_->faults().Clear();
            ide_->faults().Set(member, kind);
            FromCode();
            ReplaceInCode();
            EXPECT_EQ(Code(*pane_), code) << member;
            EXPECT_EQ(Shown(), "&H0070707& 7 7 7") << member;
        }
    }
    ide_->faults().Clear();
    ide_->faults().Set(L"CodeModule.ReplaceLine", host::FaultKind::Error);
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_), code);
    ide_->faults().Clear();
    ReplaceInCode();
    EXPECT_EQ(Code(*pane_), L"Dim x\r\nx = RGB(7, 7, 7)");
}

// The preview's right-click menu, driven with the keyboard inside its modal loop.
TEST_F(CodeColourTest, ARightClickOnThePreviewOffersBothCommands) {
    HMENU popup = main_->codeMenu()->menu().handle();
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    char first[64] = "", second[64] = "", third[64] = "", last[64] = "";
    GetMenuStringA(popup, 0, first, sizeof first, MF_BYPOSITION);
    GetMenuStringA(popup, 1, second, sizeof second, MF_BYPOSITION);
    GetMenuStringA(popup, 2, third, sizeof third, MF_BYPOSITION);
    GetMenuStringA(popup, 4, last, sizeof last, MF_BYPOSITION);
    EXPECT_STREQ(first, "Color from code");
    EXPECT_STREQ(second, "Replace color in code");
    EXPECT_STREQ(third, "Project colors...");
    EXPECT_STREQ(last, "Recent colors");
    rt::SaveSetting(settings::kApp, settings::kSection, settings::kRecentColors, "255");

    Put(L"x = vbYellow|");
    auto rightClick = [&](std::vector<WORD> keys) {
        RunLater guard(5000, [] { EndMenu(); }); // never hang the run if the keys go astray
        ModalAnswer answer([&](HWND) { for (WORD k : keys) SendKey(k); }, "#32768");
        const HWND preview = main_->picCurrentCol->hwnd();
        SendMessageA(preview, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        SendMessageA(preview, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(answer.answered());
        PumpMessages();
    };
    rightClick({VK_DOWN, VK_RETURN});
    EXPECT_EQ(main_->picCurrentCol->BackColor(), 0xFFFF);
    EXPECT_EQ(colour::LoadRecentColors(), (RecentColours{0xFFFF, 255}))
        << "a colour from code is remembered";
    Current(0xFFFFFF);
    rightClick({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Code(*pane_), L"x = vbWhite");
    rightClick({VK_ESCAPE});
    EXPECT_EQ(Code(*pane_), L"x = vbWhite");
    EXPECT_EQ(main_->picCurrentCol->BackColor(), 0xFFFFFF);
}

} // namespace hv::test

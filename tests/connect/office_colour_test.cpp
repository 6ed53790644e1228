// Office's colours in code and among the formats, in the host playing Excel's VBA editor:
// recorded-macro snippets read and written through the host's code pane.
#include "code_pane_fixture.h"
#include "colour/colour_state.h"
#include "ide/office_host.h"

namespace hv::test {

class OfficeColourTest : public CodePaneTest {
  protected:
    void SetUp() override {
        CodePaneTest::SetUp();
        host::IdeOptions excel;
        excel.vba = true;
        excel.office = L"excel";
        Restart(excel);
    }
    void Put(std::wstring code) {
        const auto at = code.find(L'|');
        code.erase(at, 1);
        SetCode(*pane_, code.c_str());
        Select(*pane_, static_cast<int>(at), static_cast<int>(at));
    }
    void Current(ColorValue c) { colour::SetCurrentColor(main_->fields(), c); }
};

// Excel's recorder: a With block whose tint follows on the next line; a ColorIndex; Word's Long.
TEST_F(OfficeColourTest, FromCodeReadsRecordedThemeColoursIndexesAndWordLongs) {
    const struct {
        const wchar_t* code;
        ColorValue colour;
    } cases[] = {
        {L"    With Selection.Interior\r\n        .Pattern = xlSolid\r\n        .ThemeColor = xlThemeColor|Dark1\r\n"
         L"        .TintAndShade = -0.249977111117893\r\n        .PatternTintAndShade = 0\r\n    End With",
         RGBColor(0xBF, 0xBF, 0xBF)},
        {L"    Selection.Font.ColorIndex = 4|6", RGBColor(0xFF, 0x66, 0x00)},
        {L"    Selection.Font.Color = -738132071|", ApplyTintAndShade(RGBColor(0x44, 0x72, 0xC4), 0.4, TintRule::Drawing)},
    };
    for (const auto& k : cases) {
        Current(RGBColor(1, 1, 1));
        Put(k.code);
        main_->codeMenu()->Click("mnuFromCode");
        EXPECT_EQ(main_->picCurrentCol->BackColor(), k.colour) << k.code;
    }
}

TEST_F(OfficeColourTest, ReplaceWritesTheThemeColourAndItsTintOrTellsAndLeavesTheCode) {
    Put(L"With Selection.Interior\r\n    .ThemeColor = xlThemeColorDark1|\r\n    .TintAndShade = -0.249977111117893\r\nEnd With");
    Current(RGBColor(0x8E, 0xA9, 0xDB)); // Accent 1, lighter 40 %
    main_->codeMenu()->Click("mnuReplaceInCode");
    EXPECT_EQ(Code(*pane_), L"With Selection.Interior\r\n    .ThemeColor = xlThemeColorAccent1\r\n    .TintAndShade = 0.4\r\nEnd With");
    const std::wstring before = L"Selection.Font.ColorIndex = 3|";
    Put(before);
    Current(RGBColor(0xFE, 0x66, 0x00));
    const std::wstring told = Told([&] { main_->codeMenu()->Click("mnuReplaceInCode"); });
    EXPECT_NE(told.find(L"ColorIndex 46, which differs by 1"), std::wstring::npos) << told;
    EXPECT_EQ(Code(*pane_), L"Selection.Font.ColorIndex = 3");
}

TEST_F(OfficeColourTest, TheHostIsToldAndTheFormatsFollowIt) {
    EXPECT_EQ(output::OfficeHostOf(vbe_.Get()), OfficeHost::Excel);
    Put(L"|");
    Current(RGBColor(0x8E, 0xA9, 0xDB));
    main_->menuForm()->ClickOfficeFormat(0, false);
    EXPECT_EQ(Code(*pane_), L".ThemeColor = xlThemeColorAccent1: .TintAndShade = 0.4");
    SendMessageW(main_->picCurrentCol->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_NE(main_->picCurrentCol->ToolTipText().find("Theme color: Accent 1, Lighter 40%"), std::string::npos);
    // The VBA editor of no application told, and VB6: no Office formats.
    host::IdeOptions plain;
    Open(plain);
    EXPECT_EQ(output::OfficeHostOf(vbe_.Get()), OfficeHost::None);
}

} // namespace hv::test

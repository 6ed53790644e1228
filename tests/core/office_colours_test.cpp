// Office's colour rules against Office's own values: the recorder's tints, Excel's cell
// styles and picker colours, Microsoft's enumerations and the recorded Word Longs.
#include "core/office_palette.h"
#include "core/office_theme.h"
#include <gtest/gtest.h>

namespace hv {
namespace {

constexpr ColorValue Hex(std::uint32_t rrggbb) {
    return RGBColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

TEST(OfficeTint, TheRecordersTintsAreSixteenBitPercents) {
    // What Excel's recorder writes for the picker's steps.
    EXPECT_DOUBLE_EQ(RecordedTint(-25), -0.249977111117893);
    EXPECT_DOUBLE_EQ(RecordedTint(-50), -0.499984740745262);
    EXPECT_DOUBLE_EQ(RecordedTint(80), 0.799981688894314);
    EXPECT_DOUBLE_EQ(RecordedTint(60), 0.599993896298105);
    EXPECT_DOUBLE_EQ(RecordedTint(40), 0.399975585192419);
    EXPECT_DOUBLE_EQ(RecordedTint(5), 0.0499893185216834);
    EXPECT_DOUBLE_EQ(RecordedTint(-90), -0.899990844447157);
    EXPECT_EQ(ShortDecimalText(RecordedTint(-25)), "-0.249977111117893");
    EXPECT_EQ(ShortDecimalText(0.4), "0.4");
    EXPECT_EQ(ShortDecimalText(-0.0), "0");
}

TEST(OfficeTint, ExcelsColoursForTheRecordedTintsOfTheOffice2013Theme) {
    const OfficeTheme& t = OfficeTheme2013();
    // White at the recorder's -0.249977111117893 is &HBFBFBF&.
    EXPECT_EQ(ApplyTintAndShade(Hex(0xFFFFFF), -0.249977111117893), Hex(0xBFBFBF));
    // Accent 1 .. 6 at the recorder's 80/60/40 % lighter (Excel's "20/40/60% - AccentN"
    // cell styles) and 25/50 % darker, as Excel's picker shows them.
    const std::uint32_t want[6][5] = {
        {0xD9E1F2, 0xB4C6E7, 0x8EA9DB, 0x305496, 0x203764}, {0xFCE4D6, 0xF8CBAD, 0xF4B084, 0xC65911, 0x833C0C},
        {0xEDEDED, 0xDBDBDB, 0xC9C9C9, 0x7B7B7B, 0x525252}, {0xFFF2CC, 0xFFE699, 0xFFD966, 0xBF8F00, 0x806000},
        {0xDDEBF7, 0xBDD7EE, 0x9BC2E6, 0x2F75B5, 0x1F4E78}, {0xE2EFDA, 0xC6E0B4, 0xA9D08E, 0x548235, 0x375623},
    };
    for (int a = 0; a < 6; ++a) {
        const ColorValue base = t[static_cast<ThemeSlot>(static_cast<int>(ThemeSlot::Accent1) + a)];
        const TintSteps steps = ThemeTintSteps(base);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(ApplyTintAndShade(base, RecordedTint(steps.percent[k])), Hex(want[a][k])) << a << " " << k;
    }
    // The picker's steps follow the lightness: black, white, very light Background 2.
    EXPECT_EQ(ThemeTintSteps(Hex(0)).percent[0], 50);
    EXPECT_EQ(ThemeTintSteps(Hex(0xFFFFFF)).percent[4], -50);
    EXPECT_EQ(ThemeTintSteps(t[ThemeSlot::Light2]).percent[4], -90);
    EXPECT_EQ(ApplyTintAndShade(t[ThemeSlot::Light2], RecordedTint(-10)), Hex(0xD0CECE));
    EXPECT_EQ(ApplyTintAndShade(Hex(0), RecordedTint(15)), Hex(0x262626));
    // Out of range is taken as the end of the range.
    EXPECT_EQ(ApplyTintAndShade(Hex(0x4472C4), -3), Hex(0));
    EXPECT_EQ(ApplyTintAndShade(Hex(0x4472C4), 2), Hex(0xFFFFFF));
}

TEST(OfficeTint, ShapesAndWordTintUnroundedHls) {
    // PowerPoint's and Word's Accent 1 lighter 80 % and darker 25 %, and Office 2023's accent.
    EXPECT_EQ(ApplyTintAndShade(Hex(0x4472C4), 0.8, TintRule::Drawing), Hex(0xDAE3F3));
    EXPECT_EQ(ApplyTintAndShade(Hex(0x4472C4), -0.25, TintRule::Drawing), Hex(0x2F5597));
    EXPECT_EQ(OfficeTheme2023()[ThemeSlot::Accent1], Hex(0x156082));
    EXPECT_EQ(OfficeTheme2023()[ThemeSlot::Light1], OfficeTheme2013()[ThemeSlot::Light1]);
}

TEST(OfficeThemeConstants, EachApplicationsNumbersForTheSameSlots) {
    // XlThemeColor: as Excel maps them, Dark1 (1) is the white background, Light1 (2) the text.
    EXPECT_EQ(FindThemeConstant("xlThemeColorDark1")->slot, ThemeSlot::Light1);
    EXPECT_EQ(FindThemeConstant("XLTHEMECOLORLIGHT1")->slot, ThemeSlot::Dark1);
    EXPECT_EQ(FindThemeConstant("xlThemeColorLight2")->value, 4);
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Excel, 12), ThemeSlot::FollowedHyperlink);
    // MsoThemeColorIndex: Dark1 1 is dark; Text1 13, Background1 14, Text2 15, Background2 16.
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Office, 1), ThemeSlot::Dark1);
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Office, 14), ThemeSlot::Light1);
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Office, 15), ThemeSlot::Dark2);
    EXPECT_FALSE(ThemeSlotOf(ThemeFamily::Office, 0)); // msoNotThemeColor
    // WdThemeColorIndex from 0; Background1 12, Text1 13; wdNotThemeColor -1 is none.
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Word, 4), ThemeSlot::Accent1);
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Word, 12), ThemeSlot::Light1);
    EXPECT_EQ(FindThemeConstant("wdThemeColorHyperlinkFollowed")->value, 11);
    EXPECT_FALSE(ThemeSlotOf(ThemeFamily::Word, -1));
    // Access's theme indexes: 0 Text 1, 1 Background 1, 4 Accent 1, 11 Followed Hyperlink.
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Access, 1), ThemeSlot::Light1);
    EXPECT_EQ(ThemeSlotOf(ThemeFamily::Access, 11), ThemeSlot::FollowedHyperlink);
    EXPECT_FALSE(ThemeSlotOf(ThemeFamily::Access, 12));
    // What each writes for a slot.
    EXPECT_STREQ(ThemeConstantFor(ThemeFamily::Excel, ThemeSlot::Light1).name, "xlThemeColorDark1");
    EXPECT_STREQ(ThemeConstantFor(ThemeFamily::Office, ThemeSlot::Dark1).name, "msoThemeColorText1");
    EXPECT_STREQ(ThemeConstantFor(ThemeFamily::Word, ThemeSlot::Light2).name, "wdThemeColorBackground2");
    EXPECT_FALSE(FindThemeConstant("xlThemeColor"));
}

TEST(NearestThemeColour, ExactWithTheShortestTintOrApproximateWithTheDifference) {
    const OfficeTheme& t = OfficeTheme2013();
    const ThemeMatch light = NearestThemeColour(t, Hex(0xD9E1F2));
    EXPECT_EQ(light.slot, ThemeSlot::Accent1);
    EXPECT_DOUBLE_EQ(light.tint, 0.8);
    EXPECT_EQ(light.difference, 0);
    EXPECT_EQ(ThemeMatchText(light), "Accent 1, Lighter 80%");
    const ThemeMatch plain = NearestThemeColour(t, Hex(0xED7D31));
    EXPECT_EQ(plain.slot, ThemeSlot::Accent2);
    EXPECT_EQ(plain.tint, 0);
    EXPECT_EQ(ThemeMatchText(plain), "Accent 2");
    const ThemeMatch far = NearestThemeColour(t, Hex(0xFF00FF)); // no magenta in the theme
    EXPECT_GT(far.difference, 50);
    EXPECT_EQ(ChannelDifference(far.colour, Hex(0xFF00FF)), far.difference);
    // The picker's steps, as the preview names them; a colour between steps is none.
    EXPECT_EQ(ThemeMatchText(*ExactThemeStep(t, Hex(0xBFBFBF))), "Background 1, Darker 25%");
    EXPECT_EQ(ThemeMatchText(*ExactThemeStep(t, Hex(0x404040))), "Text 1, Lighter 25%");
    EXPECT_EQ(ThemeMatchText(*ExactThemeStep(t, Hex(0x305496))), "Accent 1, Darker 25%");
    EXPECT_FALSE(ExactThemeStep(t, Hex(0x305497)));
}

TEST(OfficePalettes, ExcelsFiftySixAndWordsSixteen) {
    // The default palette (the file format's icv 8-63): 1 black, 3 red, 6 yellow, 15 silver,
    // 17 9999FF, 46 FF6600, 56 333333; xlColorIndexAutomatic and xlColorIndexNone are no colour.
    EXPECT_EQ(ExcelColorIndexColour(1), Hex(0x000000));
    EXPECT_EQ(ExcelColorIndexColour(3), Hex(0xFF0000));
    EXPECT_EQ(ExcelColorIndexColour(6), Hex(0xFFFF00));
    EXPECT_EQ(ExcelColorIndexColour(15), Hex(0xC0C0C0));
    EXPECT_EQ(ExcelColorIndexColour(17), Hex(0x9999FF));
    EXPECT_EQ(ExcelColorIndexColour(46), Hex(0xFF6600));
    EXPECT_EQ(ExcelColorIndexColour(56), Hex(0x333333));
    EXPECT_FALSE(ExcelColorIndexColour(0));
    EXPECT_FALSE(ExcelColorIndexColour(57));
    EXPECT_FALSE(ExcelColorIndexColour(xlColorIndexAutomatic));
    EXPECT_FALSE(ExcelColorIndexColour(xlColorIndexNone));
    // Blue is 5 and 32: the lowest number wins; a near colour gives its difference.
    EXPECT_EQ(NearestExcelColorIndex(Hex(0x0000FF)).index, 5);
    const IndexMatch near = NearestExcelColorIndex(Hex(0xFE6601));
    EXPECT_EQ(near.index, 46);
    EXPECT_EQ(near.difference, 1);
    // WdColorIndex: wdRed 6, wdTeal 10, wdGray25 16; wdAuto 0 is no colour.
    EXPECT_EQ(WordColorIndexColour(6), Hex(0xFF0000));
    EXPECT_EQ(WordColorIndexColour(10), Hex(0x008080));
    EXPECT_EQ(WordColorIndexColour(16), Hex(0xC0C0C0));
    EXPECT_FALSE(WordColorIndexColour(0));
    EXPECT_EQ(NearestWordColorIndex(Hex(0x000081)).index, 9); // wdDarkBlue
}

TEST(WordColours, ConstantsAndTheEncodedThemeLongs) {
    bool automatic = false;
    EXPECT_EQ(WdColorConstant("wdColorGold"), 52479);
    EXPECT_EQ(WdColorConstant("WDCOLORGRAY125"), 14737632);
    EXPECT_FALSE(WdColorConstant("wdColorAutomatic", &automatic));
    EXPECT_TRUE(automatic);
    EXPECT_FALSE(WdColorConstant("wdColorPuce", &automatic));
    EXPECT_FALSE(automatic);
    EXPECT_STREQ(WdColorName(13421619), "wdColorAqua");
    // Word's recorder: -738131969 Accent 1, -738132071 its lighter 40 %, -738148353 darker
    // 25 %, -587137025 Text 1.
    const auto accent = DecodeWordThemeLong(static_cast<std::uint32_t>(-738131969));
    ASSERT_TRUE(accent);
    EXPECT_EQ(accent->themeIndex, 4);
    EXPECT_EQ(accent->TintAndShade(), 0);
    EXPECT_DOUBLE_EQ(DecodeWordThemeLong(static_cast<std::uint32_t>(-738132071))->TintAndShade(), 0.4);
    EXPECT_NEAR(DecodeWordThemeLong(static_cast<std::uint32_t>(-738148353))->TintAndShade(), -0.25, 0.002);
    EXPECT_EQ(DecodeWordThemeLong(static_cast<std::uint32_t>(-587137025))->themeIndex, 13);
    EXPECT_EQ(static_cast<std::int32_t>(EncodeWordThemeLong(4, 0.4)), -738132071);
    EXPECT_EQ(static_cast<std::int32_t>(EncodeWordThemeLong(4, -0.25)), -738148353);
    EXPECT_EQ(static_cast<std::int32_t>(EncodeWordThemeLong(13, 0)), -587137025);
    // Plain colours, wdColorAutomatic and system colours are no theme Longs.
    EXPECT_FALSE(DecodeWordThemeLong(0x00FFFFFF));
    EXPECT_FALSE(DecodeWordThemeLong(static_cast<std::uint32_t>(wdColorAutomatic)));
    EXPECT_FALSE(DecodeWordThemeLong(0x80000005));
    EXPECT_FALSE(DecodeWordThemeLong(0xD4009999)); // both a shade and a tint
}

} // namespace
} // namespace hv

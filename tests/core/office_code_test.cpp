// Office's colour members read from recorded-macro lines, and written back in their form.
#include "core/code_colour.h"
#include "core/office_formats.h"
#include <gtest/gtest.h>

namespace hv {
namespace {

constexpr ColorValue Hex(std::uint32_t rrggbb) {
    return RGBColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

OfficeColour Office(std::string_view line) {
    const auto found = FindCodeColours(line);
    EXPECT_EQ(found.size(), 1u) << line;
    if (found.size() != 1 || !found[0].office) return {};
    EXPECT_EQ(found[0].form, CodeColourForm::Office);
    return *found[0].office;
}

TEST(OfficeCode, RecordedThemeColoursWithTheirTintOnTheLineOrLater) {
    // Excel's recorder: white background darker 25 %, in a With block over two lines.
    OfficeColour c = Office("        .ThemeColor = xlThemeColorDark1");
    EXPECT_EQ(c.slot, ThemeSlot::Light1);
    EXPECT_EQ(c.object, "");
    EXPECT_EQ(c.value, Hex(0xFFFFFF));
    const std::string next = "        .TintAndShade = -0.249977111117893";
    EXPECT_FALSE(EndsTintSearch(c, next));
    SetTint(c, *FindOfficeTint(c, next));
    EXPECT_EQ(c.value, Hex(0xBFBFBF));
    // One line, an object named before each member; a number for the constant.
    c = Office("Selection.Interior.ThemeColor = 5: Selection.Interior.TintAndShade = 0.799981688894314");
    EXPECT_EQ(c.value, Hex(0xD9E1F2));
    // Another object's tint is not this one's; End With and another statement end the search.
    EXPECT_FALSE(FindOfficeTint(c, "Selection.Font.TintAndShade = 0.5"));
    EXPECT_TRUE(EndsTintSearch(c, "    End With"));
    EXPECT_TRUE(EndsTintSearch(Office(".ThemeColor = 5"), "Range(\"A1\").Select"));
    // Shapes: ObjectThemeColor with Brightness (unrounded HLS); Word's constants.
    c = Office("Selection.ShapeRange.Fill.ForeColor.ObjectThemeColor = msoThemeColorAccent1: "
               "Selection.ShapeRange.Fill.ForeColor.Brightness = 0.8");
    EXPECT_EQ(c.value, Hex(0xDAE3F3));
    EXPECT_EQ(Office("Selection.Font.TextColor.ObjectThemeColor = wdThemeColorText1").family, ThemeFamily::Word);
    // Access: BackThemeColorIndex with BackShade 75 (darker 25 %).
    c = Office("Me.Detail.BackThemeColorIndex = 1: Me.Detail.BackShade = 75");
    EXPECT_EQ(c.value, ApplyTintAndShade(Hex(0xFFFFFF), -0.25, TintRule::Drawing));
    // Not colours: xlColorIndexNone, an unknown constant, a variable.
    for (const char* none : {".ColorIndex = xlColorIndexNone", ".ColorIndex = 57", ".ThemeColor = xlThemeColorAccent9",
                             ".ThemeColor = n", ".ColorIndex = 3.5"})
        EXPECT_TRUE(FindCodeColours(std::string_view(none)).empty()) << none;
}

TEST(OfficeCode, IndexesWordLongsConstantsAndHashStrings) {
    EXPECT_EQ(Office("    .ColorIndex = 6").value, Hex(0xFFFF00));
    EXPECT_EQ(Office("Selection.Range.HighlightColorIndex = wdYellow").value, Hex(0xFFFF00));
    EXPECT_TRUE(Office("Selection.Range.HighlightColorIndex = 6").wordIndex);
    // Word's recorder: Accent 1 lighter 40 %, as a decimal and as hex.
    OfficeColour w = Office("Selection.Font.Color = -738132071");
    EXPECT_EQ(w.form, OfficeForm::WordThemeLong);
    EXPECT_EQ(w.value, ApplyTintAndShade(Hex(0x4472C4), 0.4, TintRule::Drawing));
    EXPECT_EQ(Office("Selection.Font.Color = &HD400FFFF").value, Hex(0x4472C4));
    EXPECT_EQ(Office("Me.BackColor = \"#1F4E78\"").value, Hex(0x1F4E78));
    const auto wd = FindCodeColours(std::string_view("Selection.Font.Color = wdColorGold"));
    ASSERT_EQ(wd.size(), 1u);
    EXPECT_EQ(wd[0].value, 52479);
    EXPECT_TRUE(FindCodeColours(std::string_view("Selection.Font.Color = wdColorAutomatic")).empty());
    // A wide line with letters beyond ASCII keeps its positions.
    const auto wide = FindCodeColours(std::wstring_view(L"\u00e9.Interior.ColorIndex = 3"));
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].start, 24u);
}

TEST(OfficeCode, WrittenBackOnlyWhereTheFormHoldsTheColourExactly) {
    std::string nearest;
    OfficeColour c = Office("Selection.Interior.ThemeColor = xlThemeColorAccent1");
    auto r = OfficeReplacement(c, Hex(0x8EA9DB), &nearest);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->colour, "xlThemeColorAccent1");
    EXPECT_EQ(r->tint, "0.4");
    r = OfficeReplacement(c, Hex(0xC65911), &nearest); // Accent 2, darker 25 %
    EXPECT_EQ(r->colour, "xlThemeColorAccent2");
    EXPECT_EQ(r->tint, "-0.25");
    EXPECT_FALSE(OfficeReplacement(c, Hex(0xFF00FF), &nearest));
    EXPECT_NE(nearest.find("differs by"), std::string::npos);
    c = Office(".ColorIndex = 6");
    EXPECT_EQ(OfficeReplacement(c, Hex(0xFF6600), nullptr)->colour, "46");
    EXPECT_FALSE(OfficeReplacement(c, Hex(0xFE6600), &nearest));
    EXPECT_EQ(nearest, "ColorIndex 46, which differs by 1");
    c = Office("Selection.Font.Color = -738131969");
    EXPECT_EQ(OfficeReplacement(c, ApplyTintAndShade(Hex(0x4472C4), 0.4, TintRule::Drawing), nullptr)->colour,
              "&HD400FF99");
    EXPECT_EQ(OfficeReplacement(Office("x.BackColor = \"#000000\""), Hex(0x0A0B0C), nullptr)->colour, "\"#0A0B0C\"");
    c = Office("Me.Detail.BackThemeColorIndex = 4: Me.Detail.BackTint = 100");
    r = OfficeReplacement(c, ApplyTintAndShade(Hex(0x4472C4), 0.4, TintRule::Drawing), nullptr);
    EXPECT_EQ(r->colour, "4");
    EXPECT_EQ(r->tint, "60");
}

} // namespace
} // namespace hv

namespace hv {
namespace {

TEST(OfficeFormats, FollowTheHostExactOrMarkedWithTheDifference) {
    EXPECT_TRUE(OfficeFormats(OfficeHost::None, RGBColor(1, 2, 3)).empty()); // VB6: none
    auto f = OfficeFormats(OfficeHost::Excel, RGBColor(0x8E, 0xA9, 0xDB));
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].code, ".ThemeColor = xlThemeColorAccent1: .TintAndShade = 0.4");
    EXPECT_EQ(f[0].caption, "Theme color: Accent 1, Lighter 40% (exact)");
    // 9999FF, ColorIndex 17, is the nearest of the 56.
    EXPECT_EQ(f[1].code, ".ColorIndex = 17 ' nearest, differs by 36");
    f = OfficeFormats(OfficeHost::PowerPoint, RGBColor(0xDA, 0xE3, 0xF3));
    EXPECT_EQ(f[0].code, ".ObjectThemeColor = msoThemeColorAccent1: .Brightness = 0.8");
    EXPECT_EQ(OfficeFormats(OfficeHost::Word, RGBColor(0x44, 0x72, 0xC4))[0].code, ".Color = &HD400FFFF");
    f = OfficeFormats(OfficeHost::Access, RGBColor(0xFF, 0, 0x80));
    EXPECT_EQ(f[1].code, "\"#FF0080\"");
    EXPECT_NE(f[0].caption.find("(nearest, differs by"), std::string::npos);
    EXPECT_EQ(ThemeColourHint(OfficeHost::Excel, RGBColor(0xBF, 0xBF, 0xBF)), "Theme color: Background 1, Darker 25%");
    EXPECT_EQ(ThemeColourHint(OfficeHost::Excel, RGBColor(0xBF, 0xBF, 0xBE)), "");
    EXPECT_EQ(OfficeHostNamed("Microsoft Access"), OfficeHost::Access);
    EXPECT_EQ(OfficeHostNamed("Visual Basic"), OfficeHost::None);
}

} // namespace
} // namespace hv

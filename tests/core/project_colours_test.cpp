#include "core/contrast.h"
#include "core/project_colours.h"
#include <gtest/gtest.h>

namespace hv {

namespace {

// A module with colours in known places, and colours that are no uses.
const wchar_t kModule[] = L"Private Sub Form_Load()\r\n"
                          L"    Me.BackColor = &HFF&   ' was &H00FF00&\r\n"
                          L"    Label1.ForeColor = RGB(255, 0, 0): x = \"&HFF0000&\"\r\n"
                          L"    Shape1.FillColor = QBColor(12) + vbButtonFace - &H8000000F&\r\n"
                          L"    Rem vbBlue\r\n"
                          L"    Text1.BackColor = 65280\r\n"
                          L"End Sub";

std::vector<ColourUse> ModuleUses() {
    std::vector<ColourUse> uses;
    AddCodeUses(uses, L"Module1", kModule);
    return uses;
}

ColourUse Property(const wchar_t* control, const wchar_t* property, ColorValue value) {
    ColourUse u;
    u.component = L"Form1";
    u.control = control;
    u.property = property;
    u.value = value;
    return u;
}

} // namespace

TEST(ProjectColours, CodeUsesAreTheExpressionsOutsideStringsAndComments) {
    const auto uses = ModuleUses();
    std::vector<std::pair<long, std::wstring>> found;
    for (const ColourUse& u : uses)
        found.emplace_back(u.line, u.text.substr(u.at.start, u.at.end - u.at.start));
    const std::vector<std::pair<long, std::wstring>> expected = {
        {2, L"&HFF&"},   {3, L"RGB(255, 0, 0)"}, {4, L"QBColor(12)"},
        {4, L"vbButtonFace"}, {4, L"&H8000000F&"}, {6, L"65280"}};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(uses[1].text, L"    Label1.ForeColor = RGB(255, 0, 0): x = \"&HFF0000&\"");
    EXPECT_EQ(UseText(uses[0]), L"Module1 (2): Me.BackColor = &HFF&   ' was &H00FF00&");
    EXPECT_EQ(UseText(Property(L"Label1", L"ForeColor", 0)), L"Form1.Label1.ForeColor");
    EXPECT_EQ(UseText(Property(L"Form1", L"BackColor", 0)), L"Form1.BackColor");
}

TEST(ProjectColours, RowsGroupByColourWithSystemColoursAsThemselves) {
    auto uses = ModuleUses();
    uses.push_back(Property(L"Label1", L"BackColor", SystemColor(15)));
    uses.push_back(Property(L"Label1", L"ForeColor", SystemColor(18)));
    const auto rows = GroupByColour(uses);
    ASSERT_EQ(rows.size(), 4u);
    // Red three times (&HFF&, RGB, QBColor(12)), the button face three times (the constant,
    // the code and the label's property, never its RGB), then by value, system colours last.
    EXPECT_EQ(rows[0].value, RGBColor(255, 0, 0));
    EXPECT_EQ(rows[0].uses, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(rows[1].value, SystemColor(15));
    EXPECT_EQ(rows[1].uses, (std::vector<std::size_t>{3, 4, 6}));
    EXPECT_EQ(rows[2].value, RGBColor(0, 255, 0));
    EXPECT_EQ(rows[3].value, SystemColor(18));
    EXPECT_EQ(ColourRowName(rows[0].value), "red");
    EXPECT_EQ(ColourRowName(rows[1].value), "vbButtonFace");
    EXPECT_EQ(ColourRowName(RGBColor(180, 30, 30)), "near firebrick");
    EXPECT_EQ(ColourRowName(SystemColor(26)), "&H8000001A&"); // no constant of VB's
}

TEST(ProjectColours, ReplaceWritesEachLiteralInItsOwnFormAndOneLineOnce) {
    const auto uses = ModuleUses();
    std::vector<ColourUse> all = uses;
    all.push_back(Property(L"Label1", L"ForeColor", RGBColor(255, 0, 0)));
    // Red and the button face on line 4 and the property; the system code is not chosen.
    const auto plan = PlanReplace(all, {6, 3, 0, 1, 2, 6}, RGBColor(0, 0, 255));
    ASSERT_EQ(plan.edits.size(), 4u);
    EXPECT_TRUE(plan.refused.empty());
    // In the order read, one edit a line.
    EXPECT_EQ(plan.edits[0].after, L"    Me.BackColor = &H00FF0000&   ' was &H00FF00&");
    EXPECT_EQ(plan.edits[1].after, L"    Label1.ForeColor = RGB(0, 0, 255): x = \"&HFF0000&\"");
    EXPECT_EQ(plan.edits[2].before, all[2].text);
    EXPECT_EQ(plan.edits[2].after,
              L"    Shape1.FillColor = QBColor(9) + &H00FF0000& - &H8000000F&");
    EXPECT_EQ(plan.edits[2].uses.size(), 2u);
    EXPECT_EQ(plan.edits[3].uses, std::vector<std::size_t>{6});
    EXPECT_EQ(plan.edits[3].oldValue, RGBColor(255, 0, 0));
    EXPECT_EQ(plan.edits[3].newValue, RGBColor(0, 0, 255));
    // A use that already holds the colour needs no edit.
    EXPECT_TRUE(PlanReplace(all, {0}, RGBColor(255, 0, 0)).edits.empty());
}

TEST(ProjectColours, ALineTooLongForVbIsRefusedNotCut) {
    std::vector<ColourUse> uses;
    AddCodeUses(uses, L"M", std::wstring(kMaxCodeLine - 14, L' ') + L"x = &HFF&");
    ASSERT_EQ(uses.size(), 1u);
    EXPECT_EQ(PlanReplace(uses, {0}, RGBColor(1, 2, 3)).edits.size(), 1u); // 1023: fits
    const auto plan = PlanReplace(uses, {0}, RGBColor(17, 34, 51));
    EXPECT_TRUE(plan.edits.empty());
    EXPECT_EQ(plan.refused, std::vector<std::size_t>{0});
}

TEST(ProjectColours, UndoOnlyWhereNothingChangedSince) {
    auto uses = ModuleUses();
    uses.push_back(Property(L"Label1", L"ForeColor", RGBColor(255, 0, 0)));
    const auto plan = PlanReplace(uses, {0, 6}, RGBColor(0, 0, 255));
    const ColourEdit &code = plan.edits[0], &property = plan.edits[1];
    EXPECT_TRUE(StillAsReplaced(code, uses[0], code.after, 0));
    EXPECT_FALSE(StillAsReplaced(code, uses[0], code.after + L" ", 0));
    EXPECT_TRUE(StillAsReplaced(property, uses[6], L"", RGBColor(0, 0, 255)));
    EXPECT_FALSE(StillAsReplaced(property, uses[6], L"", RGBColor(0, 0, 254)));
}

TEST(ProjectColours, ContrastListsThePairsBelowAaWithSystemColoursAsPainted) {
    const std::vector<TextColours> pairs = {
        {L"Form1", L"Red", RGBColor(255, 0, 0), RGBColor(255, 255, 255)},       // 3.99
        {L"Form1", L"Gray", RGBColor(118, 118, 118), RGBColor(255, 255, 255)},  // 4.54
        {L"Form1", L"Sys", SystemColor(18), SystemColor(15)},                   // as painted
        {L"Form1", L"Hair", RGBColor(210, 0, 210), RGBColor(255, 255, 255)},    // 4.49
    };
    const auto paint = [](ColorValue c) -> ColorValue {
        return IsSystemColor(c) ? RGBColor(128, 128, 128) : c;
    };
    const auto failing = FailingContrast(pairs, +paint);
    ASSERT_EQ(failing.size(), 3u);
    EXPECT_EQ(failing[0].index, 0u);
    EXPECT_EQ(RatioText(failing[0].hundredths), "3.99:1");
    EXPECT_EQ(failing[1].index, 2u);
    EXPECT_EQ(RatioText(failing[1].hundredths), "1.00:1");
    EXPECT_EQ(RatioText(failing[2].hundredths), "4.49:1");
    EXPECT_EQ(RatioText(2100), "21.00:1");
}

} // namespace hv

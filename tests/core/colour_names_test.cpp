#include "core/colour_names.h"
#include <gtest/gtest.h>
#include <set>

using namespace hv;

// The table as read back: every name decodes to lower-case letters, distinct, in the
// standard's alphabetical order, and each value is named by its own name (or by the first
// of its duplicate names).
TEST(ColourNames, TableReadsBackWhole) {
    std::set<std::string> seen;
    std::string last;
    int duplicates = 0;
    for (int i = 0; i < kNamedColourCount; ++i) {
        const std::string name = NamedColourName(i);
        ASSERT_FALSE(name.empty()) << i;
        for (char ch : name)
            EXPECT_TRUE(ch >= 'a' && ch <= 'z') << name;
        EXPECT_LT(last, name) << "order at " << i;
        EXPECT_TRUE(seen.insert(name).second) << name;
        last = name;
        const int found = NearestNamedColour(NamedColourValue(i));
        EXPECT_LE(found, i) << name;
        EXPECT_EQ(NamedColourValue(found), NamedColourValue(i)) << name;
        EXPECT_EQ(ColourName(NamedColourValue(i)), NamedColourName(found)) << name;
        if (found != i) ++duplicates;
    }
    EXPECT_EQ(seen.size(), 148u);
    // aqua/cyan, fuchsia/magenta and the seven gray/grey pairs.
    EXPECT_EQ(duplicates, 9);
    EXPECT_EQ(NamedColourName(0), "aliceblue");
    EXPECT_EQ(NamedColourName(kNamedColourCount - 1), "yellowgreen");
}

TEST(ColourNames, ValuesAreTheStandardsOwn) {
    const struct {
        const char* name;
        ColorValue rgb;
    } known[] = {
        {"red", RGBColor(255, 0, 0)},
        {"rebeccapurple", RGBColor(0x66, 0x33, 0x99)},
        {"lightgoldenrodyellow", RGBColor(0xFA, 0xFA, 0xD2)},
        {"darkslategray", RGBColor(0x2F, 0x4F, 0x4F)},
        {"mediumspringgreen", RGBColor(0x00, 0xFA, 0x9A)},
        {"orange", RGBColor(0xFF, 0xA5, 0x00)},
        {"orangered", RGBColor(0xFF, 0x45, 0x00)},
        {"whitesmoke", RGBColor(0xF5, 0xF5, 0xF5)},
        {"palevioletred", RGBColor(0xDB, 0x70, 0x93)},
        {"green", RGBColor(0, 128, 0)},
        {"lime", RGBColor(0, 255, 0)},
    };
    for (const auto& k : known)
        EXPECT_EQ(ColourName(k.rgb), k.name);
}

// Duplicate names tie exactly: the first in table order wins, the same way every time.
TEST(ColourNames, TiesGoToTheFirstInTableOrder) {
    EXPECT_EQ(ColourName(RGBColor(0, 255, 255)), "aqua");
    EXPECT_EQ(ColourName(RGBColor(255, 0, 255)), "fuchsia");
    EXPECT_EQ(ColourName(RGBColor(128, 128, 128)), "gray");
    EXPECT_EQ(ColourName(RGBColor(129, 128, 128)), "near gray");
    EXPECT_EQ(ColourName(RGBColor(0x77, 0x88, 0x99)), "lightslategray");
    EXPECT_EQ(ColourName(RGBColor(0x2F, 0x4F, 0x50)), "near darkslategray");
    EXPECT_EQ(ColourName(RGBColor(0, 254, 255)), "near aqua");
}

// Expected names from an independent computation (sRGB to CIELAB under D65, CIE76). The
// second group is where the nearest by plain red-green-blue distance is another name, so a
// distance taken in the wrong space fails here.
TEST(ColourNames, NearestIsByCielabDistance) {
    const struct {
        int r, g, b;
        const char* name;
    } cases[] = {
        {165, 77, 202, "near mediumorchid"},
        {187, 29, 109, "near mediumvioletred"},
        {19, 44, 222, "near mediumblue"},
        {46, 217, 30, "near limegreen"},
        {23, 68, 148, "near darkslateblue"},
        {157, 92, 52, "near sienna"},
        {254, 0, 0, "near red"},
        {1, 1, 1, "near black"},
        {255, 255, 254, "near white"},
        {100, 100, 100, "near dimgray"},
        {24, 37, 48, "near black"},
        {63, 114, 31, "near darkgreen"},
        {214, 73, 60, "near firebrick"},
        {238, 232, 185, "near lemonchiffon"},
        {153, 127, 92, "near tan"},
        {253, 175, 229, "near plum"},
        {214, 84, 175, "near orchid"},
        {77, 250, 215, "near aquamarine"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColourName(RGBColor(c.r, c.g, c.b)), c.name) << c.r << "," << c.g << "," << c.b;
}

// Every colour gets a name, and only the low three bytes count (a system colour's index
// byte is not read as blue's neighbour).
TEST(ColourNames, EveryColourHasOne) {
    for (int v = 0; v < 0x1000000; v += 0x10101 * 7 + 13) {
        const std::string n = ColourName(v);
        ASSERT_FALSE(n.empty());
        ASSERT_TRUE(n.rfind("near ", 0) == 0 || NamedColourValue(NearestNamedColour(v)) == v);
    }
    EXPECT_EQ(ColourName(static_cast<ColorValue>(0xFF0000FF)), "red");
}

// Office's theme colours: the twelve colours of a theme, the tints and shades Office puts on
// them, the constants each Office application names them by, and the theme colour and tint
// nearest to any colour.
#pragma once
#include "colour.h"
#include <optional>
#include <string>
#include <string_view>

namespace hv {

// The twelve colours in the order of a theme's colour scheme (dk1, lt1, dk2, lt2, accent1-6,
// hlink, folHlink). Dark1 is the text colour, Light1 the background.
enum class ThemeSlot { Dark1, Light1, Dark2, Light2, Accent1, Accent2, Accent3, Accent4, Accent5, Accent6, Hyperlink, FollowedHyperlink };
constexpr int kThemeSlots = 12;

struct OfficeTheme {
    const char* name;
    ColorValue colours[kThemeSlots];
    ColorValue operator[](ThemeSlot s) const { return colours[static_cast<int>(s)]; }
};

// The default "Office" theme of Office 2013 to 2021, and the one of Office 2023 and later.
const OfficeTheme& OfficeTheme2013();
const OfficeTheme& OfficeTheme2023();

// "Text 1", "Background 1", "Accent 1", "Followed Hyperlink": the names Office's colour
// pickers give the slots.
const char* ThemeSlotName(ThemeSlot s);

// How the applications put a tint on a colour. Both follow the Office Open XML standard's
// rule on the lightness of HLS: towards black (tint < 0: L * (1 + tint)) or towards white
// (tint > 0: L * (1 - tint) + MAX - MAX * (1 - tint)).
enum class TintRule {
    // Excel: on Windows' whole-number HLS (0-240), the new lightness cut to a whole number;
    // this gives Excel's own colours (Accent 1 lighter 80 % D9E1F2, the "20% - Accent1"
    // cell style), where the standard's 0-255 scale does not.
    Excel,
    // Shapes, Word and PowerPoint (DrawingML's lumMod/lumOff): HLS unrounded (Accent 1
    // lighter 80 % DAE3F3).
    Drawing,
};

// TintAndShade (Excel), Brightness (shapes): -1 darkest to 1 lightest, put on `base`.
// Tints beyond -1..1 are taken as -1 or 1.
ColorValue ApplyTintAndShade(ColorValue base, double tint, TintRule rule = TintRule::Excel);

// The steps of Office's colour picker under a theme colour, in percent (positive lighter,
// negative darker): they depend on the colour's lightness (black and white, very dark and
// very light colours have their own). Five steps.
struct TintSteps {
    int percent[5];
};
TintSteps ThemeTintSteps(ColorValue base);
// The TintAndShade the macro recorder writes for a step: percent / 100 kept as Excel keeps
// it, in sixteen bits (a multiple of 1/32767, rounded towards zero): -25 % is
// -0.249977111117893.
double RecordedTint(int percent);

// The Office applications, each with its own constants for the same colours.
enum class OfficeHost { None, Excel, Word, PowerPoint, Access };

enum class ThemeFamily {
    Excel,      // XlThemeColor, 1-12: xlThemeColorDark1 (1) is Background 1, Light1 (2) Text 1
    Office,     // MsoThemeColorIndex, 1-16 (shapes, PowerPoint)
    Word,       // WdThemeColorIndex, 0-15
    Access,     // BackThemeColorIndex and the like, 0-11
};

struct ThemeConstant {
    const char* name; // "" for Access, whose indexes have no constant
    int value;
    ThemeSlot slot;
    ThemeFamily family;
};

// The constant of this name (any case).
std::optional<ThemeConstant> FindThemeConstant(std::string_view name);
// The slot a number stands for in a family; nothing for a number outside it.
std::optional<ThemeSlot> ThemeSlotOf(ThemeFamily family, int value);
// The constant a family writes for a slot (Excel's xlThemeColorDark1 for Light1, Word's
// wdThemeColorText1 for Dark1, ...).
ThemeConstant ThemeConstantFor(ThemeFamily family, ThemeSlot slot);

// A theme colour with a tint, and how far it is from the colour it stands for.
struct ThemeMatch {
    ThemeSlot slot = ThemeSlot::Dark1;
    double tint = 0;        // -1..1, at most two decimals unless more are needed to be exact
    ColorValue colour = 0;  // what the slot with the tint gives
    int difference = 0;     // the largest difference of a channel, 0 when exact
};

// The theme colour and tint nearest to `c` in `theme`.
ThemeMatch NearestThemeColour(const OfficeTheme& theme, ColorValue c, TintRule rule = TintRule::Excel);
// The slot and picker step `c` exactly is (the slot itself has step 0), if any.
std::optional<ThemeMatch> ExactThemeStep(const OfficeTheme& theme, ColorValue c, TintRule rule = TintRule::Excel);

// "Accent 1, Lighter 40%", "Background 1, Darker 25%", "Text 2"; a tint that is no whole
// percent shows with its decimals ("Lighter 33.3%").
std::string ThemeMatchText(const ThemeMatch& m);

// The shortest decimal text that reads back as `value` to 15 significant digits, VB style:
// "0.4", "-0.249977111117893", "0".
std::string ShortDecimalText(double value);

// Whether `a` is the name `b` in any case (VB's names).
bool SameName(std::string_view a, const char* b);

// The largest difference of a channel between two colours.
int ChannelDifference(ColorValue a, ColorValue b);

} // namespace hv

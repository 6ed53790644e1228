// Office's numbered and named colours: Excel's ColorIndex palette, Word's WdColorIndex and
// WdColor constants, and Word's Color Longs that hold a theme colour instead of an RGB.
#pragma once
#include "colour.h"
#include <cstdint>
#include <optional>
#include <string_view>

namespace hv {

// XlColorIndex: named, never a colour.
constexpr int xlColorIndexAutomatic = -4105;
constexpr int xlColorIndexNone = -4142;
constexpr int kExcelPaletteSize = 56;

// Excel's default palette: ColorIndex 1 to 56; nothing for any other number.
std::optional<ColorValue> ExcelColorIndexColour(int index);
// WdColorIndex 1 to 16 (wdBlack .. wdGray25); wdAuto (0) and wdByAuthor (-1) are no colour.
std::optional<ColorValue> WordColorIndexColour(int index);
constexpr int kWordIndexCount = 16;
// The WdColorIndex constant of a name (wdRed 6, any case), and the name of a number 1-16.
std::optional<int> FindWordColorIndex(std::string_view name);
const char* WordColorIndexName(int index);

// The nearest entry of a palette: its number, its colour and the largest difference of a
// channel (0 when exact). The lowest number among equally near ones.
struct IndexMatch {
    int index = 0;
    ColorValue colour = 0;
    int difference = 0;
};
IndexMatch NearestExcelColorIndex(ColorValue c);
IndexMatch NearestWordColorIndex(ColorValue c);

// WdColor constants (wdColorRed ...): the colour of a name, any case. wdColorAutomatic is a
// constant but no colour: `automatic` tells it apart from an unknown name.
std::optional<ColorValue> WdColorConstant(std::string_view name, bool* automatic = nullptr);
// The constant's name for a colour, or nullptr.
const char* WdColorName(ColorValue c);
constexpr std::int32_t wdColorAutomatic = -16777216;

// Word keeps a theme colour in a Color Long: 0xD0 + WdThemeColorIndex in the top byte, 0 in
// the next, then the shade and the tint bytes (0xFF: none). &HD400FFFF is Accent 1,
// &HD400FF99 Accent 1 lighter 40 % (tint 0x99 keeps 60 % of the colour), &HD400BFFF darker 25 %.
struct WordThemeLong {
    int themeIndex = 0; // WdThemeColorIndex, 0-15
    int shade = 0xFF;
    int tint = 0xFF;
    // The TintAndShade it stands for: tint byte t lightens by 1 - t/255, shade s darkens so.
    double TintAndShade() const;
};
std::optional<WordThemeLong> DecodeWordThemeLong(std::uint32_t value);
// The Long for a theme index and a TintAndShade, rounded to Word's bytes.
std::uint32_t EncodeWordThemeLong(int themeIndex, double tintAndShade);

} // namespace hv

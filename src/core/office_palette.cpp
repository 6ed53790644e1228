#include "office_palette.h"
#include "office_theme.h"
#include <cmath>

namespace hv {

namespace {

constexpr ColorValue Hex(std::uint32_t rrggbb) {
    return RGBColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// Excel's default palette, ColorIndex 1-56 (the file format's icv 8-63), as #RRGGBB.
const ColorValue kExcel[kExcelPaletteSize] = {
    Hex(0x000000), Hex(0xFFFFFF), Hex(0xFF0000), Hex(0x00FF00), Hex(0x0000FF), Hex(0xFFFF00), Hex(0xFF00FF),
    Hex(0x00FFFF), Hex(0x800000), Hex(0x008000), Hex(0x000080), Hex(0x808000), Hex(0x800080), Hex(0x008080),
    Hex(0xC0C0C0), Hex(0x808080), Hex(0x9999FF), Hex(0x993366), Hex(0xFFFFCC), Hex(0xCCFFFF), Hex(0x660066),
    Hex(0xFF8080), Hex(0x0066CC), Hex(0xCCCCFF), Hex(0x000080), Hex(0xFF00FF), Hex(0xFFFF00), Hex(0x00FFFF),
    Hex(0x800080), Hex(0x800000), Hex(0x008080), Hex(0x0000FF), Hex(0x00CCFF), Hex(0xCCFFFF), Hex(0xCCFFCC),
    Hex(0xFFFF99), Hex(0x99CCFF), Hex(0xFF99CC), Hex(0xCC99FF), Hex(0xFFCC99), Hex(0x3366FF), Hex(0x33CCCC),
    Hex(0x99CC00), Hex(0xFFCC00), Hex(0xFF9900), Hex(0xFF6600), Hex(0x666699), Hex(0x969696), Hex(0x003366),
    Hex(0x339966), Hex(0x003300), Hex(0x333300), Hex(0x993300), Hex(0x993366), Hex(0x333399), Hex(0x333333),
};

// WdColorIndex 1-16: wdBlack, wdBlue, wdTurquoise, wdBrightGreen, wdPink, wdRed, wdYellow,
// wdWhite, wdDarkBlue, wdTeal, wdGreen, wdViolet, wdDarkRed, wdDarkYellow, wdGray50, wdGray25.
const ColorValue kWord[kWordIndexCount] = {
    Hex(0x000000), Hex(0x0000FF), Hex(0x00FFFF), Hex(0x00FF00), Hex(0xFF00FF), Hex(0xFF0000),
    Hex(0xFFFF00), Hex(0xFFFFFF), Hex(0x000080), Hex(0x008080), Hex(0x008000), Hex(0x800080),
    Hex(0x800000), Hex(0x808000), Hex(0x808080), Hex(0xC0C0C0),
};

const char* const kWordIndexNames[kWordIndexCount] = {
    "wdBlack", "wdBlue",     "wdTurquoise", "wdBrightGreen", "wdPink",  "wdRed",      "wdYellow",  "wdWhite",
    "wdDarkBlue", "wdTeal", "wdGreen",     "wdViolet",      "wdDarkRed", "wdDarkYellow", "wdGray50", "wdGray25",
};

struct NamedColour {
    const char* name;
    std::int32_t value; // as Word's enumeration gives it (BGR)
};

const NamedColour kWdColors[] = {
    {"wdColorAutomatic", wdColorAutomatic},
    {"wdColorBlack", 0},           {"wdColorWhite", 16777215},      {"wdColorRed", 255},
    {"wdColorBrightGreen", 65280}, {"wdColorBlue", 16711680},       {"wdColorYellow", 65535},
    {"wdColorPink", 16711935},     {"wdColorTurquoise", 16776960},  {"wdColorDarkRed", 128},
    {"wdColorGreen", 32768},       {"wdColorDarkBlue", 8388608},    {"wdColorDarkYellow", 32896},
    {"wdColorViolet", 8388736},    {"wdColorTeal", 8421376},        {"wdColorGray25", 12632256},
    {"wdColorGray50", 8421504},    {"wdColorAqua", 13421619},       {"wdColorBlueGray", 10053222},
    {"wdColorBrown", 13209},       {"wdColorDarkGreen", 13056},     {"wdColorDarkTeal", 6697728},
    {"wdColorGold", 52479},        {"wdColorIndigo", 10040115},     {"wdColorLavender", 16751052},
    {"wdColorLightBlue", 16737843}, {"wdColorLightGreen", 13434828}, {"wdColorLightOrange", 39423},
    {"wdColorLightTurquoise", 16777164}, {"wdColorLightYellow", 10092543}, {"wdColorLime", 52377},
    {"wdColorOliveGreen", 13107},  {"wdColorOrange", 26367},        {"wdColorPaleBlue", 16764057},
    {"wdColorPlum", 6697881},      {"wdColorRose", 13408767},       {"wdColorSeaGreen", 6723891},
    {"wdColorSkyBlue", 16763904},  {"wdColorTan", 10079487},        {"wdColorGray05", 15987699},
    {"wdColorGray10", 15132390},   {"wdColorGray125", 14737632},    {"wdColorGray15", 14277081},
    {"wdColorGray20", 13421772},   {"wdColorGray30", 11776947},     {"wdColorGray35", 10921638},
    {"wdColorGray375", 10526880},  {"wdColorGray40", 10066329},     {"wdColorGray45", 9211020},
    {"wdColorGray55", 7566195},    {"wdColorGray60", 6710886},      {"wdColorGray625", 6316128},
    {"wdColorGray65", 5855577},    {"wdColorGray70", 5000268},      {"wdColorGray75", 4210752},
    {"wdColorGray80", 3355443},    {"wdColorGray85", 2500134},      {"wdColorGray875", 2105376},
    {"wdColorGray90", 1644825},    {"wdColorGray95", 789516},
};

IndexMatch Nearest(const ColorValue* colours, int count, ColorValue c) {
    IndexMatch best;
    int bestDistance = -1;
    for (int i = 0; i < count; ++i) {
        const int r = RedOf(colours[i]) - RedOf(c), g = GreenOf(colours[i]) - GreenOf(c),
                  b = BlueOf(colours[i]) - BlueOf(c);
        const int d = r * r + g * g + b * b;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = {i + 1, colours[i], ChannelDifference(colours[i], c)};
        }
    }
    return best;
}

} // namespace

std::optional<ColorValue> ExcelColorIndexColour(int index) {
    if (index < 1 || index > kExcelPaletteSize) return std::nullopt;
    return kExcel[index - 1];
}

std::optional<ColorValue> WordColorIndexColour(int index) {
    if (index < 1 || index > kWordIndexCount) return std::nullopt;
    return kWord[index - 1];
}

std::optional<int> FindWordColorIndex(std::string_view name) {
    for (int i = 0; i < kWordIndexCount; ++i)
        if (SameName(name, kWordIndexNames[i])) return i + 1;
    return std::nullopt;
}

const char* WordColorIndexName(int index) {
    return index >= 1 && index <= kWordIndexCount ? kWordIndexNames[index - 1] : nullptr;
}

IndexMatch NearestExcelColorIndex(ColorValue c) {
    return Nearest(kExcel, kExcelPaletteSize, c);
}

IndexMatch NearestWordColorIndex(ColorValue c) {
    return Nearest(kWord, kWordIndexCount, c);
}

std::optional<ColorValue> WdColorConstant(std::string_view name, bool* automatic) {
    if (automatic) *automatic = false;
    for (const NamedColour& n : kWdColors) {
        if (!SameName(name, n.name)) continue;
        if (n.value == wdColorAutomatic) {
            if (automatic) *automatic = true;
            return std::nullopt;
        }
        return n.value;
    }
    return std::nullopt;
}

const char* WdColorName(ColorValue c) {
    for (const NamedColour& n : kWdColors)
        if (n.value == c) return n.name;
    return nullptr;
}

double WordThemeLong::TintAndShade() const {
    if (tint != 0xFF) return 1 - tint / 255.0;
    if (shade != 0xFF) return -(1 - shade / 255.0);
    return 0;
}

std::optional<WordThemeLong> DecodeWordThemeLong(std::uint32_t value) {
    if ((value >> 28) != 0xD || ((value >> 16) & 0xFF) != 0) return std::nullopt;
    WordThemeLong w{static_cast<int>((value >> 24) & 0x0F), static_cast<int>((value >> 8) & 0xFF),
                    static_cast<int>(value & 0xFF)};
    // Word never writes both; such a Long is no colour of Word's.
    if (w.shade != 0xFF && w.tint != 0xFF) return std::nullopt;
    return w;
}

std::uint32_t EncodeWordThemeLong(int themeIndex, double tintAndShade) {
    int shade = 0xFF, tint = 0xFF;
    const int byte = static_cast<int>(std::lround((1 - std::fabs(tintAndShade)) * 255));
    if (tintAndShade > 0) tint = byte;
    if (tintAndShade < 0) shade = byte;
    return (0xDu << 28) | (static_cast<std::uint32_t>(themeIndex & 0x0F) << 24) |
           (static_cast<std::uint32_t>(shade) << 8) | static_cast<std::uint32_t>(tint);
}

} // namespace hv

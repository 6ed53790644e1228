#include "office_theme.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hv {

namespace {

constexpr ColorValue Hex(std::uint32_t rrggbb) {
    return RGBColor((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}

// Office 2013-2021's theme "Office": Text 2 44546A, Background 2 E7E6E6, Blue 4472C4 ...
const OfficeTheme kOffice2013 = {
    "Office 2013-2022",
    {Hex(0x000000), Hex(0xFFFFFF), Hex(0x44546A), Hex(0xE7E6E6), Hex(0x4472C4), Hex(0xED7D31), Hex(0xA5A5A5),
     Hex(0xFFC000), Hex(0x5B9BD5), Hex(0x70AD47), Hex(0x0563C1), Hex(0x954F72)},
};
// Office 2023's new "Office" theme: the same black and white, new accents.
const OfficeTheme kOffice2023 = {
    "Office 2023+",
    {Hex(0x000000), Hex(0xFFFFFF), Hex(0x0E2841), Hex(0xE8E8E8), Hex(0x156082), Hex(0xE97132), Hex(0x196B24),
     Hex(0x0F9ED5), Hex(0xA02B93), Hex(0x4EA72E), Hex(0x467886), Hex(0x96607D)},
};

const char* const kSlotNames[kThemeSlots] = {
    "Text 1",   "Background 1", "Text 2",   "Background 2", "Accent 1",  "Accent 2",
    "Accent 3", "Accent 4",     "Accent 5", "Accent 6",     "Hyperlink", "Followed Hyperlink",
};

using S = ThemeSlot;
using F = ThemeFamily;

// Every constant; the first of a family for a slot is the one written.
const ThemeConstant kConstants[] = {
    // Excel's XlThemeColor counts from 1 and, as Excel maps it, gives Dark1 the background.
    {"xlThemeColorDark1", 1, S::Light1, F::Excel},
    {"xlThemeColorLight1", 2, S::Dark1, F::Excel},
    {"xlThemeColorDark2", 3, S::Light2, F::Excel},
    {"xlThemeColorLight2", 4, S::Dark2, F::Excel},
    {"xlThemeColorAccent1", 5, S::Accent1, F::Excel},
    {"xlThemeColorAccent2", 6, S::Accent2, F::Excel},
    {"xlThemeColorAccent3", 7, S::Accent3, F::Excel},
    {"xlThemeColorAccent4", 8, S::Accent4, F::Excel},
    {"xlThemeColorAccent5", 9, S::Accent5, F::Excel},
    {"xlThemeColorAccent6", 10, S::Accent6, F::Excel},
    {"xlThemeColorHyperlink", 11, S::Hyperlink, F::Excel},
    {"xlThemeColorFollowedHyperlink", 12, S::FollowedHyperlink, F::Excel},
    // MsoThemeColorIndex: Text1/Background1 are written (what the recorder writes for shapes).
    {"msoThemeColorText1", 13, S::Dark1, F::Office},
    {"msoThemeColorBackground1", 14, S::Light1, F::Office},
    {"msoThemeColorText2", 15, S::Dark2, F::Office},
    {"msoThemeColorBackground2", 16, S::Light2, F::Office},
    {"msoThemeColorDark1", 1, S::Dark1, F::Office},
    {"msoThemeColorLight1", 2, S::Light1, F::Office},
    {"msoThemeColorDark2", 3, S::Dark2, F::Office},
    {"msoThemeColorLight2", 4, S::Light2, F::Office},
    {"msoThemeColorAccent1", 5, S::Accent1, F::Office},
    {"msoThemeColorAccent2", 6, S::Accent2, F::Office},
    {"msoThemeColorAccent3", 7, S::Accent3, F::Office},
    {"msoThemeColorAccent4", 8, S::Accent4, F::Office},
    {"msoThemeColorAccent5", 9, S::Accent5, F::Office},
    {"msoThemeColorAccent6", 10, S::Accent6, F::Office},
    {"msoThemeColorHyperlink", 11, S::Hyperlink, F::Office},
    {"msoThemeColorFollowedHyperlink", 12, S::FollowedHyperlink, F::Office},
    // WdThemeColorIndex counts from 0.
    {"wdThemeColorText1", 13, S::Dark1, F::Word},
    {"wdThemeColorBackground1", 12, S::Light1, F::Word},
    {"wdThemeColorText2", 15, S::Dark2, F::Word},
    {"wdThemeColorBackground2", 14, S::Light2, F::Word},
    {"wdThemeColorMainDark1", 0, S::Dark1, F::Word},
    {"wdThemeColorMainLight1", 1, S::Light1, F::Word},
    {"wdThemeColorMainDark2", 2, S::Dark2, F::Word},
    {"wdThemeColorMainLight2", 3, S::Light2, F::Word},
    {"wdThemeColorAccent1", 4, S::Accent1, F::Word},
    {"wdThemeColorAccent2", 5, S::Accent2, F::Word},
    {"wdThemeColorAccent3", 6, S::Accent3, F::Word},
    {"wdThemeColorAccent4", 7, S::Accent4, F::Word},
    {"wdThemeColorAccent5", 8, S::Accent5, F::Word},
    {"wdThemeColorAccent6", 9, S::Accent6, F::Word},
    {"wdThemeColorHyperlink", 10, S::Hyperlink, F::Word},
    {"wdThemeColorHyperlinkFollowed", 11, S::FollowedHyperlink, F::Word},
    // Access: 0 Text 1, 1 Background 1, 2 Text 2, 3 Background 2, 4-9 accents, 10, 11 links.
    {"", 0, S::Dark1, F::Access},
    {"", 1, S::Light1, F::Access},
    {"", 2, S::Dark2, F::Access},
    {"", 3, S::Light2, F::Access},
    {"", 4, S::Accent1, F::Access},
    {"", 5, S::Accent2, F::Access},
    {"", 6, S::Accent3, F::Access},
    {"", 7, S::Accent4, F::Access},
    {"", 8, S::Accent5, F::Access},
    {"", 9, S::Accent6, F::Access},
    {"", 10, S::Hyperlink, F::Access},
    {"", 11, S::FollowedHyperlink, F::Access},
};

struct Hls {
    double h, l, s; // h 0..6 (sextants), l and s 0..1
};

Hls ToHls(ColorValue c) {
    const double r = RedOf(c) / 255.0, g = GreenOf(c) / 255.0, b = BlueOf(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    Hls o{0, (mx + mn) / 2, 0};
    const double d = mx - mn;
    if (d <= 0) return o;
    o.s = o.l <= 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (mx == r)
        o.h = (g - b) / d;
    else if (mx == g)
        o.h = 2 + (b - r) / d;
    else
        o.h = 4 + (r - g) / d;
    if (o.h < 0) o.h += 6;
    return o;
}

double HueChannel(double m1, double m2, double h) {
    if (h < 0) h += 6;
    if (h >= 6) h -= 6;
    if (h < 1) return m1 + (m2 - m1) * h;
    if (h < 3) return m2;
    if (h < 4) return m1 + (m2 - m1) * (4 - h);
    return m1;
}

int ToByte(double unit) {
    return static_cast<int>(std::floor(std::clamp(unit, 0.0, 1.0) * 255 + 0.5 + 1e-9));
}

ColorValue FromHls(const Hls& c) {
    if (c.s <= 0) {
        const int v = ToByte(c.l);
        return RGBColor(v, v, v);
    }
    const double m2 = c.l <= 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s;
    const double m1 = 2 * c.l - m2;
    return RGBColor(ToByte(HueChannel(m1, m2, c.h + 2)), ToByte(HueChannel(m1, m2, c.h)),
                    ToByte(HueChannel(m1, m2, c.h - 2)));
}

constexpr double kTens[] = {1, 10, 100, 1000, 10000};

double RoundTo(double v, int decimals) {
    const double scale = kTens[decimals];
    return std::round(v * scale) / scale;
}

int SquaredDistance(ColorValue a, ColorValue b) {
    const int r = RedOf(a) - RedOf(b), g = GreenOf(a) - GreenOf(b), bl = BlueOf(a) - BlueOf(b);
    return r * r + g * g + bl * bl;
}

// Windows' whole-number HLS (hue, lightness, saturation 0-240), each step rounded as the
// classic conversion does.
constexpr int kHlsMax = 240, kRgbMax = 255;

struct WholeHls {
    int h, l, s;
};

WholeHls ToWholeHls(ColorValue c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
    WholeHls o{0, ((mx + mn) * kHlsMax + kRgbMax) / (2 * kRgbMax), 0};
    if (mx == mn) return o;
    const int d = mx - mn, sum = mx + mn;
    o.s = o.l <= kHlsMax / 2 ? (d * kHlsMax + sum / 2) / sum
                             : (d * kHlsMax + (2 * kRgbMax - sum) / 2) / (2 * kRgbMax - sum);
    const auto delta = [&](int v) { return ((mx - v) * (kHlsMax / 6) + d / 2) / d; };
    if (r == mx)
        o.h = delta(b) - delta(g);
    else if (g == mx)
        o.h = kHlsMax / 3 + delta(r) - delta(b);
    else
        o.h = 2 * kHlsMax / 3 + delta(g) - delta(r);
    if (o.h < 0) o.h += kHlsMax;
    if (o.h > kHlsMax) o.h -= kHlsMax;
    return o;
}

int WholeHue(int m1, int m2, int h) {
    if (h < 0) h += kHlsMax;
    if (h > kHlsMax) h -= kHlsMax;
    if (h < kHlsMax / 6) return m1 + ((m2 - m1) * h + kHlsMax / 12) / (kHlsMax / 6);
    if (h < kHlsMax / 2) return m2;
    if (h < kHlsMax * 2 / 3) return m1 + ((m2 - m1) * (kHlsMax * 2 / 3 - h) + kHlsMax / 12) / (kHlsMax / 6);
    return m1;
}

ColorValue FromWholeHls(const WholeHls& c) {
    if (c.s == 0) {
        const int v = (c.l * kRgbMax + kHlsMax / 2) / kHlsMax;
        return RGBColor(v, v, v);
    }
    const int m2 = c.l <= kHlsMax / 2 ? (c.l * (kHlsMax + c.s) + kHlsMax / 2) / kHlsMax
                                      : c.l + c.s - (c.l * c.s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * c.l - m2;
    const auto channel = [&](int h) {
        return std::clamp((WholeHue(m1, m2, h) * kRgbMax + kHlsMax / 2) / kHlsMax, 0, 255);
    };
    return RGBColor(channel(c.h + kHlsMax / 3), channel(c.h), channel(c.h - kHlsMax / 3));
}

ColorValue ExcelTint(ColorValue base, double tint) {
    WholeHls c = ToWholeHls(base);
    double l = c.l;
    if (tint < 0) l = l * (1 + tint);
    if (tint > 0) l = l * (1 - tint) + (kHlsMax - kHlsMax * (1 - tint));
    // Excel keeps a tint in sixteen bits (n / 32767, cut towards zero), so a tint read back
    // falls short of its percent by up to 1/32767: the lightness is cut to a whole number
    // allowing for that much (the "20% - Accent2" style's tint 0.799981688894314 gives
    // FCE4D6, as exact 0.8 does).
    c.l = std::clamp(static_cast<int>(l + kHlsMax / 32767.0), 0, kHlsMax);
    return FromWholeHls(c);
}

} // namespace

const OfficeTheme& OfficeTheme2013() {
    return kOffice2013;
}
const OfficeTheme& OfficeTheme2023() {
    return kOffice2023;
}

const char* ThemeSlotName(ThemeSlot s) {
    return kSlotNames[static_cast<int>(s)];
}

ColorValue ApplyTintAndShade(ColorValue base, double tint, TintRule rule) {
    tint = std::clamp(tint, -1.0, 1.0);
    if (rule == TintRule::Excel) return ExcelTint(base, tint);
    Hls c = ToHls(base);
    if (tint < 0)
        c.l = c.l * (1 + tint);
    else if (tint > 0)
        c.l = c.l * (1 - tint) + (1 - (1 - tint));
    return FromHls(c);
}

TintSteps ThemeTintSteps(ColorValue base) {
    const double l = ToHls(base).l;
    if (l <= 0) return {{50, 35, 25, 15, 5}};
    if (l >= 1) return {{-5, -15, -25, -35, -50}};
    if (l < 0.2) return {{90, 75, 50, 25, 10}};
    if (l > 0.8) return {{-10, -25, -50, -75, -90}};
    return {{80, 60, 40, -25, -50}};
}

double RecordedTint(int percent) {
    const int steps = static_cast<int>(std::trunc(percent * 32767.0 / 100.0));
    return steps / 32767.0;
}

std::optional<ThemeConstant> FindThemeConstant(std::string_view name) {
    for (const ThemeConstant& c : kConstants)
        if (SameName(name, c.name)) return c;
    return std::nullopt;
}

std::optional<ThemeSlot> ThemeSlotOf(ThemeFamily family, int value) {
    for (const ThemeConstant& c : kConstants)
        if (c.family == family && c.value == value) return c.slot;
    return std::nullopt;
}

ThemeConstant ThemeConstantFor(ThemeFamily family, ThemeSlot slot) {
    for (const ThemeConstant& c : kConstants)
        if (c.family == family && c.slot == slot) return c;
    return kConstants[0]; // every family names every slot
}

bool SameName(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; b[i]; ++i) {
        if (i >= a.size()) return false;
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return i == a.size() && i > 0;
}

int ChannelDifference(ColorValue a, ColorValue b) {
    return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                     std::abs(BlueOf(a) - BlueOf(b))});
}

ThemeMatch NearestThemeColour(const OfficeTheme& theme, ColorValue c, TintRule rule) {
    ThemeMatch best;
    int bestDistance = -1;
    const double target = ToHls(c).l;
    for (int s = 0; s < kThemeSlots; ++s) {
        const ColorValue base = theme.colours[s];
        const double l = ToHls(base).l;
        // The tint that moves the slot's lightness to the colour's, then the few short
        // decimals around it: the fewest decimals win among equally near ones.
        double exact = 0;
        if (target < l && l > 0) exact = target / l - 1;
        if (target > l && l < 1) exact = (target - l) / (1 - l);
        for (int decimals = 2; decimals <= 4; ++decimals) {
            const double step = 1 / kTens[decimals];
            for (int k = -1; k <= 1; ++k) {
                const double tint = std::clamp(RoundTo(exact, decimals) + k * step, -1.0, 1.0);
                const ColorValue got = ApplyTintAndShade(base, tint, rule);
                const int d = SquaredDistance(got, c);
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = {static_cast<ThemeSlot>(s), RoundTo(tint, decimals), got, ChannelDifference(got, c)};
                }
            }
            if (bestDistance == 0) return best;
        }
    }
    return best;
}

std::optional<ThemeMatch> ExactThemeStep(const OfficeTheme& theme, ColorValue c, TintRule rule) {
    for (int s = 0; s < kThemeSlots; ++s) {
        const ColorValue base = theme.colours[s];
        if (base == c) return ThemeMatch{static_cast<ThemeSlot>(s), 0, c, 0};
        for (int percent : ThemeTintSteps(base).percent) {
            const double tint = RecordedTint(percent);
            if (ApplyTintAndShade(base, tint, rule) == c) return ThemeMatch{static_cast<ThemeSlot>(s), tint, c, 0};
        }
    }
    return std::nullopt;
}

std::string ThemeMatchText(const ThemeMatch& m) {
    std::string text = ThemeSlotName(m.slot);
    if (m.tint == 0) return text;
    text += m.tint > 0 ? ", Lighter " : ", Darker ";
    return text + ShortDecimalText(RoundTo(std::fabs(m.tint) * 100, 1)) + "%";
}

std::string ShortDecimalText(double value) {
    // The fewest decimals that give the value back to 15 significant digits; written by hand,
    // as the C runtime's formatting of doubles costs the DLL tens of KB.
    const double magnitude = std::fabs(value);
    long long scaled = 0;
    int decimals = 0;
    for (double scale = 1;; ++decimals, scale *= 10) {
        scaled = std::llround(magnitude * scale);
        if (decimals == 15 || std::fabs(static_cast<double>(scaled) / scale - magnitude) <= 1e-15 * std::max(1.0, magnitude))
            break;
    }
    std::string digits = std::to_string(scaled);
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    if (decimals > 0) digits.insert(digits.size() - decimals, ".");
    return (value < 0 && scaled != 0 ? "-" : "") + digits;
}

} // namespace hv

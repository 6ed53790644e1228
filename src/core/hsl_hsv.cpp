#include "hsl_hsv.h"
#include <algorithm>
#include <cmath>

namespace hv {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

class Reader {
  public:
    explicit Reader(std::string_view s) : s_(s) {}
    void Blanks() {
        while (i_ < s_.size() && IsBlank(s_[i_]))
            ++i_;
    }
    // The character, after blanks; false (nothing taken) for another.
    bool Take(char c) {
        Blanks();
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    // Digits, and after a point more digits, within [0, max].
    bool Number(double max, double& out) {
        Blanks();
        const std::size_t start = i_;
        double digits = 0, scale = 1;
        bool point = false;
        for (; i_ < s_.size(); ++i_) {
            const char c = s_[i_];
            if (c == '.' && !point && i_ > start) {
                point = true;
            } else if (c >= '0' && c <= '9') {
                digits = digits * 10 + (c - '0');
                if (point) scale *= 10;
            } else {
                break;
            }
        }
        out = digits / scale;
        return i_ > start && s_[i_ - 1] != '.' && out <= max;
    }
    bool AtEnd() {
        Blanks();
        return i_ == s_.size();
    }

  private:
    std::string_view s_;
    std::size_t i_ = 0;
};

int Channel(double unit) {
    // The small allowance keeps a half that arithmetic left a hair below it a half.
    return static_cast<int>(unit * 255 + 0.5 + 1e-9);
}

// The colour of hue h at chroma c, with m added to each channel: each channel's share of the
// chroma rises and falls with the hue, red's peak at 0 degrees, green's at 120, blue's at 240.
ColorValue FromChroma(double h, double c, double m) {
    int ch[3];
    for (int i = 0; i < 3; ++i) {
        double k = 5 - 2 * i + h / 60; // sixths of the circle, 1 to 11
        if (k >= 6) k -= 6;
        ch[i] = Channel(m + c - c * std::clamp(std::min(k, 4 - k), 0.0, 1.0));
    }
    return RGBColor(ch[0], ch[1], ch[2]);
}

// Hue in degrees, and the largest and smallest channel, 0..1. The channels are compared as
// whole numbers: on an x87 unit a double kept in a register need not equal its stored copy.
void HueMaxMin(ColorValue c, double& h, double& max, double& min) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b}), d = hi - lo;
    h = d == 0    ? 0
        : hi == r ? 60.0 * (g - b) / d + (g < b ? 360 : 0)
        : hi == g ? 60.0 * (b - r) / d + 120
                  : 60.0 * (r - g) / d + 240;
    max = hi / 255.0;
    min = lo / 255.0;
}

std::string Text(const char* name, double h, double a, double b) {
    std::string t = name;
    t += '(';
    AppendDecimal(t, static_cast<unsigned>(h + 0.5) % 360);
    t += ", ";
    AppendDecimal(t, static_cast<unsigned>(a * 100 + 0.5));
    t += "%, ";
    AppendDecimal(t, static_cast<unsigned>(b * 100 + 0.5));
    t += "%)";
    return t;
}

} // namespace

ColorValue HslColor(double h, double s, double l) {
    const double c = (1 - std::fabs(2 * l - 1)) * s;
    return FromChroma(h, c, l - c / 2);
}

ColorValue HsvColor(double h, double s, double v) {
    const double c = v * s;
    return FromChroma(h, c, v - c);
}

std::optional<ColorValue> ParseHslHsv(std::string_view text) {
    const std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos || text.size() - at < 3) return std::nullopt;
    const char h0 = text[at] | 0x20, s0 = text[at + 1] | 0x20, kind = text[at + 2] | 0x20;
    if (h0 != 'h' || s0 != 's' || (kind != 'l' && kind != 'v')) return std::nullopt;
    Reader p(text.substr(at + 3));
    double h, s, l;
    if (!p.Take('(') || !p.Number(360, h) || !p.Take(',') || !p.Number(100, s) || !p.Take('%') ||
        !p.Take(',') || !p.Number(100, l) || !p.Take('%') || !p.Take(')') || !p.AtEnd())
        return std::nullopt;
    return kind == 'l' ? HslColor(h, s / 100, l / 100) : HsvColor(h, s / 100, l / 100);
}

std::string HslText(ColorValue c) {
    double h, max, min;
    HueMaxMin(c, h, max, min);
    const double l = (max + min) / 2, d = max - min;
    return Text("hsl", h, d == 0 ? 0 : d / (1 - std::fabs(2 * l - 1)), l);
}

std::string HsvText(ColorValue c) {
    double h, max, min;
    HueMaxMin(c, h, max, min);
    return Text("hsv", h, max == 0 ? 0 : (max - min) / max, max);
}

} // namespace hv

#include "colour.h"
#include <cmath>

namespace hv {

std::string HexText(std::int32_t value) {
    static const char digits[] = "0123456789ABCDEF";
    auto bits = static_cast<std::uint32_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), digits[bits & 0xF]);
        bits >>= 4;
    } while (bits != 0);
    return text;
}

std::string ColorCodeText(ColorValue c) { return "&H00" + HexText(c) + "&"; }

void AppendDecimal(std::string& text, unsigned value) {
    if (value >= 10) AppendDecimal(text, value / 10);
    text += static_cast<char>('0' + value % 10);
}

std::string RedText(ColorValue c) { return std::to_string(RedOf(c)); }
std::string GreenText(ColorValue c) { return std::to_string(GreenOf(c)); }
std::string BlueText(ColorValue c) { return std::to_string(BlueOf(c)); }

ColorValue MixColor(ColorValue a, ColorValue b, double t) {
    auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return RGBColor(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)),
                    mix(BlueOf(a), BlueOf(b)));
}

} // namespace hv

// Colour values as VB holds them: a 32-bit signed integer 0x00BBGGRR, or a system colour
// (top bit set, the system colour index in the low byte) that is resolved when painted.
#pragma once
#include <cstdint>
#include <string>

namespace hv {

using ColorValue = std::int32_t;

constexpr ColorValue RGBColor(int red, int green, int blue) {
    return static_cast<ColorValue>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr bool IsSystemColor(ColorValue c) { return c < 0; }

// 0x80000000 | index, e.g. SystemColor(5) is the window background &H80000005&.
constexpr ColorValue SystemColor(int index) {
    return static_cast<ColorValue>(0x80000000u | static_cast<std::uint32_t>(index & 0xFF));
}

constexpr int RedOf(ColorValue c) { return c & 0xFF; }
constexpr int GreenOf(ColorValue c) { return (c & 0xFF00) / 256; }
constexpr int BlueOf(ColorValue c) { return (c & 0xFF0000) >> 16; }

// The colour a fraction `t` (0..1) of the way from `a` to `b`, each component rounded.
ColorValue MixColor(ColorValue a, ColorValue b, double t);

// VB's Hex() of a 32-bit integer: upper case, no leading zeros, two's complement if negative.
std::string HexText(std::int32_t value);

// "&H00" + Hex(c) + "&": pure red is "&H00FF&", black "&H000&".
std::string ColorCodeText(ColorValue c);

// Appends a whole number that is not negative in decimal digits.
void AppendDecimal(std::string& text, unsigned value);

std::string RedText(ColorValue c);
std::string GreenText(ColorValue c);
std::string BlueText(ColorValue c);

} // namespace hv

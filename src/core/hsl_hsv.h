// Hue, saturation and lightness (or value): a colour typed as hsl(h, s%, l%) or
// hsv(h, s%, v%), and the texts that write a colour so.
#pragma once
#include "colour.h"
#include <optional>
#include <string>
#include <string_view>

namespace hv {

// "hsl(h, s%, l%)" or "hsv(h, s%, v%)": h in degrees 0 to 360, the others in percent 0 to
// 100. The name in any case; blanks between the parts; numbers without sign or exponent, a
// fraction after a point allowed; the percent signs required, so that a fraction 0 to 1 is
// not taken for a percentage. Anything else, or a number out of range, is no colour.
std::optional<ColorValue> ParseHslHsv(std::string_view text);

// h 0..360, s, l and v 0..1; each channel rounded half up.
ColorValue HslColor(double h, double s, double l);
ColorValue HsvColor(double h, double s, double v);

// "hsl(120, 100%, 25%)" and "hsv(120, 100%, 50%)", whole numbers rounded, to be typed back.
std::string HslText(ColorValue c);
std::string HsvText(ColorValue c);

} // namespace hv

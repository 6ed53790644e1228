// Names for colours: the CSS named colours (CSS Color Module Level 4, 148 names, in the
// standard's alphabetical order), and for any other colour the nearest of them by CIE76
// distance (straight-line distance in CIELAB, D65 white), said as "near <name>".
#pragma once
#include "colour.h"
#include <string>

namespace hv {

constexpr int kNamedColourCount = 148;

// The table's i-th name and colour (0 <= i < kNamedColourCount).
std::string NamedColourName(int i);
ColorValue NamedColourValue(int i);

// The entry nearest to `c` (its low three bytes); where several are as near (the duplicate
// names aqua/cyan, gray/grey, ...), the first in table order.
int NearestNamedColour(ColorValue c);

// "red" for a named colour, "near firebrick" for any other.
std::string ColourName(ColorValue c);

} // namespace hv

// The contrast between two colours as the web's accessibility guidelines (WCAG 2.1) measure
// it for text: from 1:1 (the same luminance) to 21:1 (black on white).
#pragma once
#include "colour.h"
#include <string>

namespace hv {

// Relative luminance of an RGB colour, 0 for black to 1 for white (sRGB channels made linear,
// with the 0.03928 threshold as WCAG 2.1 writes it).
double RelativeLuminance(ColorValue c);
// (lighter + 0.05) / (darker + 0.05).
double ContrastRatio(ColorValue a, ColorValue b);
// The ratio in hundredths, cut, never rounded up: 399 for 3.998...:1.
int ContrastHundredths(double ratio);
// "3.99:1" for 399 hundredths.
std::string RatioText(int hundredths);
// "Contrast with the current color: 3.99:1, AA fail, AAA fail": normal text passes AA from
// 4.5:1 on and AAA from 7:1, decided on the ratio itself, so what shows never passes on a
// rounding.
std::string ContrastText(ColorValue a, ColorValue b);

} // namespace hv

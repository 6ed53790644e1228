#include "contrast.h"
#include <utility>

namespace hv {

namespace {
// ((c + 0.055) / 1.055) ^ 2.4 is x^2 times the fifth root of x^2, the root found by Newton's
// method from 1 (x is at most 1, so it falls towards the root): the library's pow would add
// several KB to the DLL for this one curve.
double Linear(int channel) {
    const double c = channel / 255.0;
    if (c <= 0.03928) return c / 12.92;
    const double x = (c + 0.055) / 1.055, a = x * x;
    double y = 1;
    for (int i = 0; i < 30; ++i)
        y = (4 * y + a / (y * y * y * y)) / 5;
    return a * y;
}
} // namespace

double RelativeLuminance(ColorValue c) {
    return 0.2126 * Linear(RedOf(c)) + 0.7152 * Linear(GreenOf(c)) + 0.0722 * Linear(BlueOf(c));
}

double ContrastRatio(ColorValue a, ColorValue b) {
    double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    if (la < lb) std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

int ContrastHundredths(double ratio) {
    // The allowance is far below any two colours' difference, only above arithmetic's: white
    // on black is 21:1, not 20.99:1.
    return static_cast<int>(ratio * 100 + 1e-9);
}

std::string RatioText(int h) {
    // Appended piece by piece: a chain of + costs the DLL a temporary at each step.
    std::string t;
    AppendDecimal(t, static_cast<unsigned>(h / 100));
    t += '.';
    t += static_cast<char>('0' + h / 10 % 10);
    t += static_cast<char>('0' + h % 10);
    t += ":1";
    return t;
}

std::string ContrastText(ColorValue a, ColorValue b) {
    // Pass or fail is the ratio's own, exactly; the allowance that shows 21.00 for 20.999...
    // never shows a threshold the ratio misses.
    const double ratio = ContrastRatio(a, b);
    const bool aa = ratio >= 4.5, aaa = ratio >= 7;
    int h = ContrastHundredths(ratio);
    if (!aa && h >= 450) h = 449;
    if (!aaa && h >= 700) h = 699;
    std::string t = "Contrast with the current color: ";
    t += RatioText(h);
    t += aa ? ", AA pass" : ", AA fail";
    t += aaa ? ", AAA pass" : ", AAA fail";
    return t;
}

} // namespace hv

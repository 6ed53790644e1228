#include "contrast.h"
#include <cmath>
#include <utility>

namespace hv {

namespace {
double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
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
    return static_cast<int>(std::floor(ratio * 100 + 1e-9));
}

std::string ContrastText(ColorValue a, ColorValue b) {
    const int h = ContrastHundredths(ContrastRatio(a, b));
    const std::string cents = std::to_string(h % 100);
    // Cut to hundredths, the ratio passes exactly when what shows does.
    return "Contrast with the current color: " + std::to_string(h / 100) + "." +
           (h % 100 < 10 ? "0" : "") + cents + ":1, AA " + (h >= 450 ? "pass" : "fail") + ", AAA " +
           (h >= 700 ? "pass" : "fail");
}

} // namespace hv

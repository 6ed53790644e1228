#include "pick_square.h"

namespace hv {

int ParsePickSquare(const std::string& text) {
    return text.size() == 1 && (text[0] == '3' || text[0] == '5') ? text[0] - '0' : 1;
}

void ColourMean::Add(ColorValue c) {
    if (c < 0) return;
    ++n_;
    r_ += RedOf(c);
    g_ += GreenOf(c);
    b_ += BlueOf(c);
}

ColorValue ColourMean::Mean() const {
    if (!n_) return -1;
    const auto half_up = [this](long sum) { return static_cast<int>((2 * sum + n_) / (2 * n_)); };
    return RGBColor(half_up(r_), half_up(g_), half_up(b_));
}

} // namespace hv

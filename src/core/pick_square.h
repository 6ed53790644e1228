// What a capture picks: the pixel under the pointer, or the mean of the 3 x 3 or 5 x 5 square
// around it, a noisy or dithered area read as the colour the eye sees. Pixels that lie on no
// monitor are left out: the screenshot holds nothing that was shown there.
#pragma once
#include "colour.h"
#include "loupe_layout.h"
#include <string>
#include <vector>

namespace hv {

// The stored side of the square: "1", "3" or "5"; anything else is 1, the pixel alone.
int ParsePickSquare(const std::string& text);

// Channel sums of some pixels; the mean rounds each channel half up. Negative values (no
// colour) are not counted.
class ColourMean {
  public:
    void Add(ColorValue c);
    int count() const { return n_; }
    // -1 while no pixel was counted.
    ColorValue Mean() const;

  private:
    int n_ = 0;
    long r_ = 0, g_ = 0, b_ = 0;
};

// The mean of the side x side square centred on (x, y), of its pixels inside any of `shown`;
// `pixel(x, y)` reads one. -1 when no pixel of the square is shown.
template <class PixelReader>
ColorValue SquareMean(int x, int y, int side, const std::vector<PixelRect>& shown,
                      PixelReader pixel) {
    ColourMean mean;
    const int half = side / 2;
    for (int j = y - half; j <= y + half; ++j)
        for (int i = x - half; i <= x + half; ++i)
            for (const PixelRect& r : shown)
                if (r.Contains(i, j)) {
                    mean.Add(pixel(i, j));
                    break; // a pixel shown on two monitors counts once
                }
    return mean.Mean();
}

} // namespace hv

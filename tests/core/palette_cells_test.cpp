// The keyboard's pick on a palette: the pixel under each cell is the cell's own as drawn.
#include "core/image_scale.h"
#include "core/palette_cells.h"
#include <gtest/gtest.h>

namespace hv {

// A quick palette's strip at 100, 125, 150 and 200 % (and lengths between): every cell's
// middle shows the cell's colour, and a press there finds the cell again.
TEST(PaletteCells, TheMiddleOfEachCellShowsItsOwnColourAtEveryScale) {
    const int cells = 40;
    Image strip(cells, 1);
    for (int c = 0; c < cells; ++c)
        strip.at(c, 0) = RGBColor(c, 255 - c, 3 * c);
    for (int length = cells; length <= 2 * cells + 3; ++length) {
        const Image drawn = ResizeNearest(strip, length, 1);
        for (int c = 0; c < cells; ++c) {
            const int x = CellMiddle(c, cells, length);
            ASSERT_EQ(drawn.at(x, 0), strip.at(c, 0)) << "cell " << c << " of " << length;
            ASSERT_EQ(CellAt(x, cells, length), c) << "cell " << c << " of " << length;
        }
    }
    // The middle of the span rounded to whole pixels is not: for cell 5 of 40 over 45 pixels
    // it is pixel (5 + 6) / 2 = 5, which shows cell 4.
    EXPECT_EQ(ResizeNearest(strip, 45, 1).at(5, 0), strip.at(4, 0));
    EXPECT_EQ(CellMiddle(5, cells, 45), 6);
}

} // namespace hv

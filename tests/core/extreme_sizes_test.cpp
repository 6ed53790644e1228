// Sizes at the edges of int and of a 32-bit address space: a defined answer, never a wrapped
// product (the native run is under the sanitizers; the Wine run is the 32-bit build).
#include "core/checked_size.h"
#include "core/image_scale.h"
#include <gtest/gtest.h>
#include <climits>

namespace hv {

TEST(CheckedArea, RefusesWhatWouldWrapOrExceedTheLimit) {
    EXPECT_EQ(CheckedArea(0, 0), 0u);
    EXPECT_EQ(CheckedArea(1824, 768, 4), 1824u * 768u * 4u);
    EXPECT_EQ(CheckedArea(INT_MAX, 0, 4), 0u);
    EXPECT_FALSE(CheckedArea(-1, 5));
    EXPECT_FALSE(CheckedArea(5, -1));
    EXPECT_FALSE(CheckedArea(1, 1, 0));
    // 65536 x 65536 wraps to 0 in 32 bits; 32768 x 32768 x 4 to 0 as well.
    EXPECT_FALSE(CheckedArea(65536, 65536, 1, UINT32_MAX));
    EXPECT_FALSE(CheckedArea(32768, 32768, 4, UINT32_MAX));
    EXPECT_FALSE(CheckedArea(INT_MAX, INT_MAX, 8));
    EXPECT_EQ(CheckedArea(8192, 8192, 1, kMaxPixels), kMaxPixels);
    EXPECT_FALSE(CheckedArea(8192, 8193, 1, kMaxPixels));
    static_assert(*CheckedArea(3, 4, 2) == 24);
}

TEST(ExtremeSizes, ImagesTooLargeOrNegativeAreEmpty) {
    for (auto [w, h] : {std::pair{65536, 65536}, {INT_MAX, 2}, {2, INT_MAX}, {-1, 10}, {10, -1},
                        {INT_MIN, INT_MIN}, {8193, 8192}}) {
        const Image image(w, h, 7);
        EXPECT_EQ(image.width, 0) << w << " x " << h;
        EXPECT_EQ(image.height, 0);
        EXPECT_TRUE(image.pixels.empty());
    }
    const Image most(1, 1 << 16);
    EXPECT_EQ(most.pixels.size(), 1u << 16);
}

TEST(ExtremeSizes, LengthsSaturateAndScalingRefusesWhatItCannotHold) {
    EXPECT_EQ(ScaleLength(INT_MAX, 144, 96), INT_MAX);
    EXPECT_EQ(ScaleLength(INT_MIN, 144, 96), INT_MIN);
    EXPECT_EQ(ScaleLength(INT_MAX, INT_MAX, 1), INT_MAX);
    EXPECT_EQ(ScaleLength(INT_MAX, -INT_MAX, 1), INT_MIN);
    EXPECT_EQ(ScaleLength(INT_MAX, 1, INT_MAX), 1);
    EXPECT_EQ(ScaleLength(1 << 20, 144, 96), 3 << 19);

    const Image dot(1, 1, RGBColor(1, 2, 3)), four(2, 2, RGBColor(4, 5, 6));
    for (auto [w, h] : {std::pair{INT_MAX, 2}, {2, INT_MAX}, {INT_MAX, INT_MAX}, {65536, 65536},
                        {20000, 20000}}) {
        EXPECT_TRUE(ScalePixelArt(dot, w, h).pixels.empty()) << w << " x " << h;
        EXPECT_TRUE(ScalePixelArt(four, w, h).pixels.empty()) << w << " x " << h;
        EXPECT_TRUE(ResizeNearest(four, w, h).pixels.empty()) << w << " x " << h;
    }
    // A source of one pixel enlarged a hundredfold still works, pixel for pixel.
    const Image big = ScalePixelArt(dot, 100, 100);
    ASSERT_EQ(big.pixels.size(), 10000u);
    EXPECT_EQ(big.at(99, 99), RGBColor(1, 2, 3));
    EXPECT_EQ(ResizeNearest(four, 3000, 2).at(2999, 1), RGBColor(4, 5, 6));
}

} // namespace hv

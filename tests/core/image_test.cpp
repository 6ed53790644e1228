#include "core/image.h"
#include <gtest/gtest.h>

using namespace hv;

namespace {
std::uint32_t U32(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
} // namespace

TEST(EncodeBmp, WritesBottomUpPaddedRowsInBlueGreenRedOrder) {
    Image img(3, 2, 0);
    img.at(0, 0) = RGBColor(1, 2, 3);    // top left
    img.at(2, 1) = RGBColor(10, 20, 30); // bottom right
    const auto b = EncodeBmp(img);
    const size_t data = U32(b, 10), row = 12; // 3 pixels * 3 bytes, padded to 12
    ASSERT_EQ(b.size(), data + 2 * row);
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 18), 3u);
    EXPECT_EQ(U32(b, 22), 2u); // positive height: bottom-up
    // The first stored row is the bottom one.
    EXPECT_EQ(b[data + 6], 30);
    EXPECT_EQ(b[data + 7], 20);
    EXPECT_EQ(b[data + 8], 10);
    EXPECT_EQ(b[data + row + 0], 3);
    EXPECT_EQ(b[data + row + 1], 2);
    EXPECT_EQ(b[data + row + 2], 1);
}

TEST(EncodeCursor, CarriesHotSpotAndMasksTheTransparentColour) {
    const ColorValue clear = RGBColor(255, 0, 255);
    Image img(32, 32, clear);
    img.at(1, 17) = 0;
    const auto b = EncodeCursor(img, clear, 1, 17);
    EXPECT_EQ(b[2], 2); // a cursor, not an icon
    EXPECT_EQ(b[10] | b[11] << 8, 1);
    EXPECT_EQ(b[12] | b[13] << 8, 17);
    const size_t dib = U32(b, 18);
    EXPECT_EQ(U32(b, dib + 8), 64u); // colour and mask rows
    // AND mask: rows bottom-up after the 32 colour rows of 96 bytes; bit clear where drawn.
    const size_t mask = dib + 40 + 32 * 96;
    const size_t row17 = mask + (31 - 17) * 4;
    EXPECT_EQ(b[row17] & 0x40, 0);   // x = 1 drawn
    EXPECT_NE(b[row17] & 0x80, 0);   // x = 0 transparent
    EXPECT_EQ(b[mask], 0xFF);        // bottom row all transparent
}

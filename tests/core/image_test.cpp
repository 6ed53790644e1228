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
    // Two colours (black and the cleared transparent one, also black): 4 bits a pixel with
    // a table of 16. AND mask: rows bottom-up after the 32 colour rows of 16 bytes; bit
    // clear where drawn.
    EXPECT_EQ(b[dib + 14], 4);
    const size_t mask = dib + 40 + 16 * 4 + 32 * 16;
    EXPECT_EQ(b.size(), mask + 32 * 4);
    const size_t row17 = mask + (31 - 17) * 4;
    EXPECT_EQ(b[row17] & 0x40, 0);   // x = 1 drawn
    EXPECT_NE(b[row17] & 0x80, 0);   // x = 0 transparent
    EXPECT_EQ(b[mask], 0xFF);        // bottom row all transparent
}

// Each pixel's colour read back through the colour table, whatever the depth chosen.
TEST(EncodeCursor, StoresFewColoursWithATableAndKeepsEveryPixel) {
    const ColorValue clear = RGBColor(255, 0, 255);
    for (int colours : {3, 40, 300}) {
        Image img(32, 32, clear);
        for (int i = 0; i < 32 * 31; ++i)
            img.pixels[std::size_t(i)] = RGBColor(i % colours % 256, (i % colours) / 2, 7);
        const auto b = EncodeCursor(img, clear, 0, 0);
        const size_t dib = U32(b, 18);
        const int bits = b[dib + 14];
        EXPECT_EQ(bits, colours <= 15 ? 4 : colours <= 255 ? 8 : 24) << colours;
        const size_t table = bits == 24 ? 0 : (size_t(1) << bits) * 4;
        const size_t row = ((32 * size_t(bits) + 31) / 32) * 4;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const size_t at = dib + 40 + table + (31 - y) * row;
                ColorValue got;
                if (bits == 24) {
                    const size_t p = at + x * 3;
                    got = RGBColor(b[p + 2], b[p + 1], b[p]);
                } else {
                    const unsigned index =
                        bits == 8 ? b[at + x] : (x % 2 ? b[at + x / 2] & 0xF : b[at + x / 2] >> 4);
                    const size_t e = dib + 40 + index * 4;
                    got = RGBColor(b[e + 2], b[e + 1], b[e]);
                }
                const ColorValue want = img.at(x, y) == clear ? 0 : img.at(x, y);
                ASSERT_EQ(got, want) << colours << " colours, at " << x << "," << y;
            }
    }
}

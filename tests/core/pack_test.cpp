#include "assets/frame.h"
#include "core/image.h"
#include "core/pack.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>

using namespace hv;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes RoundTrip(const Bytes& in) {
    const Bytes packed = Pack(in.data(), in.size());
    Bytes out{1, 2, 3};
    EXPECT_TRUE(Unpack(packed.data(), packed.size(), out));
    return out;
}

Bytes Noise(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& v : b) v = static_cast<std::uint8_t>(rng());
    return b;
}

} // namespace

TEST(Pack, RoundTripsWhatEverItPacks) {
    EXPECT_EQ(RoundTrip({}), Bytes{});
    EXPECT_EQ(RoundTrip({7}), Bytes{7});
    const Bytes noise = Noise(70000, 1); // literal runs only, past the 64 KB window
    EXPECT_EQ(RoundTrip(noise), noise);
    // A run longer than the longest match, then a repeat from beyond the window, then a short
    // repeat that overlaps itself.
    Bytes mixed(200000, 0x41);
    const Bytes tail = Noise(1000, 2);
    mixed.insert(mixed.end(), tail.begin(), tail.end());
    mixed.insert(mixed.end(), noise.begin(), noise.begin() + 3000);
    mixed.insert(mixed.end(), tail.begin(), tail.end());
    for (int i = 0; i < 500; ++i) mixed.push_back(static_cast<std::uint8_t>(i % 3));
    EXPECT_EQ(RoundTrip(mixed), mixed);
}

TEST(Pack, ShrinksADrawnPictureAndItComesBackPixelForPixel) {
    const Image picture = assets::MainBackground();
    const Bytes bmp = EncodeBmp(picture);
    const Bytes packed = Pack(bmp.data(), bmp.size());
    EXPECT_LT(packed.size() * 20, bmp.size());
    Bytes unpacked;
    ASSERT_TRUE(Unpack(packed.data(), packed.size(), unpacked));
    Image back;
    ASSERT_TRUE(DecodeBmp(unpacked.data(), unpacked.size(), back));
    EXPECT_EQ(back.width, picture.width);
    EXPECT_EQ(back.height, picture.height);
    EXPECT_EQ(back.pixels, picture.pixels);
}

TEST(Pack, DamagedPackingsAreRefusedWithoutReadingOrWritingOutOfBounds) {
    Bytes source(5000, 9);
    const Bytes more = Noise(300, 3);
    source.insert(source.end(), more.begin(), more.end());
    const Bytes good = Pack(source.data(), source.size());
    Bytes out;
    // Every cut-short packing, under the sanitizers.
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(Unpack(good.data(), n, out)) << n;
        EXPECT_TRUE(out.empty());
    }
    const Bytes cases[] = {
        {4, 0, 0, 0, 0x80, 1, 0},             // a match before anything was written
        {4, 0, 0, 0, 0, 'a', 0x80, 2, 0},      // a match from before the start
        {4, 0, 0, 0, 0, 'a', 0x80, 0, 0},      // offset 0
        {2, 0, 0, 0, 3, 'a', 'b', 'c', 'd'},   // more literals than the size
        {3, 0, 0, 0, 0, 'a', 0xFF, 1, 0, 9, 9}, // a long match past the size
        {0xFF, 0xFF, 0xFF, 0xFF, 0, 'a'},       // a size no packing this short can give
        {9, 0, 0, 0, 0, 'a', 0x81, 1},          // a match without its offset's second byte
    };
    for (const Bytes& c : cases) {
        EXPECT_FALSE(Unpack(c.data(), c.size(), out));
        EXPECT_TRUE(out.empty());
    }
    EXPECT_FALSE(Unpack(nullptr, 0, out));
}

TEST(DecodeBmp, ReadsBothRowOrdersAndRefusesOtherFormats) {
    Image picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) picture.at(x, y) = RGBColor(x * 40, y * 80, 7);
    Bytes bmp = EncodeBmp(picture);
    Image back;
    ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), back));
    EXPECT_EQ(back.pixels, picture.pixels);

    // Top-down: negative height, rows stored from the top.
    Bytes topDown = bmp;
    const std::int32_t negative = -3;
    std::memcpy(&topDown[22], &negative, 4);
    const size_t row = 16, data = 54;
    for (int y = 0; y < 3; ++y)
        std::memcpy(&topDown[data + row * y], &bmp[data + row * (2 - y)], row);
    ASSERT_TRUE(DecodeBmp(topDown.data(), topDown.size(), back));
    EXPECT_EQ(back.pixels, picture.pixels);

    EXPECT_FALSE(DecodeBmp(bmp.data(), bmp.size() - 1, back)); // last row cut short
    Bytes eightBit = bmp;
    eightBit[28] = 8;
    EXPECT_FALSE(DecodeBmp(eightBit.data(), eightBit.size(), back));
    Bytes compressed = bmp;
    compressed[30] = 1; // BI_RLE8
    EXPECT_FALSE(DecodeBmp(compressed.data(), compressed.size(), back));
    Bytes farOffset = bmp;
    farOffset[10] = 0xF0;
    EXPECT_FALSE(DecodeBmp(farOffset.data(), farOffset.size(), back));
    EXPECT_FALSE(DecodeBmp(bmp.data(), 20, back));
    EXPECT_EQ(back.pixels, picture.pixels); // a refusal leaves the output alone
}

// A plain in-memory picture: pixels as colour values (0x00BBGGRR), row 0 at the top.
// Pictures of the add-in are drawn into these from code and written out as resources.
#pragma once
#include "colour.h"
#include <cstddef>
#include <cstdint>
#include <vector>

namespace hv {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<ColorValue> pixels;

    Image() = default;
    // A size that is negative or above kMaxPixels gives an empty image (0 x 0).
    Image(int w, int h, ColorValue fill = 0);

    ColorValue& at(int x, int y) { return pixels[size_t(y) * width + x]; }
    ColorValue at(int x, int y) const { return pixels[size_t(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    void fillRect(int x0, int y0, int x1, int y1, ColorValue c); // inclusive corners, clipped
};

// A 24-bit bottom-up .bmp file.
std::vector<std::uint8_t> EncodeBmp(const Image& image);
// Reads back what EncodeBmp writes (24-bit, uncompressed, either row order); false for
// anything else or a file cut short.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Image& out);

// A .cur file holding one colour cursor; pixels equal to `transparent` are left out.
std::vector<std::uint8_t> EncodeCursor(const Image& image, ColorValue transparent, int hotX,
                                       int hotY);

} // namespace hv

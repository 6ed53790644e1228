// A plain in-memory picture: pixels as colour values (0x00BBGGRR), row 0 at the top.
// Pictures of the add-in are drawn into these from code and written out as resources.
#pragma once
#include "colour.h"
#include <cstddef>
#include <cstdint>
#include <optional>
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
// Where the pixels of a .bmp file that DecodeBmp takes lie, for a reader that puts them
// somewhere else than an Image.
struct BmpPixels {
    int width = 0, rows = 0;
    const std::uint8_t* top = nullptr; // the top row's first pixel: blue, green, red
    std::ptrdiff_t stride = 0;         // bytes from a row to the one below it
};
// Nothing for whatever DecodeBmp refuses.
std::optional<BmpPixels> FindBmpPixels(const std::uint8_t* data, std::size_t size);
// Reads back what EncodeBmp writes (24-bit, uncompressed, either row order); false for
// anything else, a file cut short, or more pixels than an Image holds.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, Image& out);

// A .cur file holding one colour cursor; pixels equal to `transparent` are left out.
std::vector<std::uint8_t> EncodeCursor(const Image& image, ColorValue transparent, int hotX,
                                       int hotY);

} // namespace hv

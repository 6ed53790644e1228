#include "image.h"
#include "checked_size.h"
#include <algorithm>
#include <utility>

namespace hv {

Image::Image(int w, int h, ColorValue fill) {
    const auto count = CheckedArea(w, h, 1, kMaxPixels);
    if (!count) return;
    width = w;
    height = h;
    pixels.assign(*count, fill);
}

void Image::fillRect(int x0, int y0, int x1, int y1, ColorValue c) {
    for (int y = std::max(0, y0); y <= std::min(height - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(width - 1, x1); ++x)
            at(x, y) = c;
}

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

size_t RowBytes(int width, int bitsPerPixel) { return ((size_t(width) * bitsPerPixel + 31) / 32) * 4; }

// BITMAPINFOHEADER, then 24-bit rows bottom-up.
void PutDib(std::vector<std::uint8_t>& out, const Image& image, int headerHeight) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(headerHeight));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // BI_RGB
    put32(out, 0);
    put32(out, 2835); // 72 DPI, as paint programs write it
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    const size_t row = RowBytes(image.width, 24);
    for (int y = image.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < image.width; ++x) {
            ColorValue c = image.at(x, y);
            out.push_back(static_cast<std::uint8_t>(BlueOf(c)));
            out.push_back(static_cast<std::uint8_t>(GreenOf(c)));
            out.push_back(static_cast<std::uint8_t>(RedOf(c)));
        }
        out.resize(start + row, 0);
    }
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    std::vector<std::uint8_t> out;
    const std::uint32_t dataOffset = 14 + 40;
    const auto fileSize = static_cast<std::uint32_t>(dataOffset + RowBytes(image.width, 24) * image.height);
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, dataOffset);
    PutDib(out, image, image.height);
    return out;
}

namespace {

std::uint32_t get32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

std::optional<BmpPixels> FindBmpPixels(const std::uint8_t* data, std::size_t size) {
    if (!data || size < 14 + 40 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const std::uint8_t* h = data + 14;
    const auto width = static_cast<std::int32_t>(get32(h + 4));
    const auto height = static_cast<std::int32_t>(get32(h + 8));
    const std::uint32_t offset = get32(data + 10);
    if (get32(h) < 40 || (h[12] | h[13] << 8) != 1 || (h[14] | h[15] << 8) != 24 ||
        get32(h + 16) != 0 || width <= 0 || width > 0x8000 || height == 0 ||
        height < -0x8000 || height > 0x8000 || offset > size)
        return std::nullopt;
    const int rows = height < 0 ? -height : height;
    const size_t row = RowBytes(width, 24);
    if ((size - offset) / row < size_t(rows)) return std::nullopt;
    // Stored bottom-up unless the height is negative.
    const auto stride = static_cast<std::ptrdiff_t>(row);
    return BmpPixels{width, rows,
                     data + offset + (height < 0 ? 0 : row * static_cast<size_t>(rows - 1)),
                     height < 0 ? stride : -stride};
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, Image& out) {
    const auto bmp = FindBmpPixels(data, size);
    if (!bmp) return false;
    Image image(bmp->width, bmp->rows);
    if (image.width != bmp->width) return false; // too many pixels for an Image
    for (int y = 0; y < bmp->rows; ++y) {
        const std::uint8_t* p = bmp->top + bmp->stride * y;
        for (int x = 0; x < bmp->width; ++x, p += 3) image.at(x, y) = RGBColor(p[2], p[1], p[0]);
    }
    out = std::move(image);
    return true;
}

std::vector<std::uint8_t> EncodeCursor(const Image& image, ColorValue transparent, int hotX,
                                       int hotY) {
    Image colour = image;
    for (auto& p : colour.pixels)
        if (p == transparent) p = 0; // XOR with black leaves the screen as it is
    // A cursor drawn in a few colours is stored with a colour table, 4 or 8 bits a pixel
    // (a 32 x 32 one takes a sixth of its 24-bit size in the DLL); more colours stay 24-bit.
    std::vector<ColorValue> table;
    for (ColorValue p : colour.pixels)
        if (table.size() <= 256 && std::find(table.begin(), table.end(), p) == table.end())
            table.push_back(p);
    std::vector<std::uint8_t> dib;
    if (table.size() > 256) {
        PutDib(dib, colour, image.height * 2); // colour rows, then the AND mask
    } else {
        const int bits = table.size() <= 16 ? 4 : 8;
        put32(dib, 40);
        put32(dib, static_cast<std::uint32_t>(image.width));
        put32(dib, static_cast<std::uint32_t>(image.height * 2));
        put16(dib, 1);
        put16(dib, static_cast<unsigned>(bits));
        for (int i = 0; i < 6; ++i) put32(dib, 0); // BI_RGB, sizes, a full table of 2^bits
        for (int i = 0; i < (1 << bits); ++i) {
            const ColorValue c = i < int(table.size()) ? table[std::size_t(i)] : 0;
            dib.push_back(static_cast<std::uint8_t>(BlueOf(c)));
            dib.push_back(static_cast<std::uint8_t>(GreenOf(c)));
            dib.push_back(static_cast<std::uint8_t>(RedOf(c)));
            dib.push_back(0);
        }
        const size_t rowBytes = RowBytes(image.width, bits);
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(rowBytes, 0);
            for (int x = 0; x < image.width; ++x) {
                const auto index = static_cast<unsigned>(
                    std::find(table.begin(), table.end(), colour.at(x, y)) - table.begin());
                if (bits == 8)
                    row[std::size_t(x)] = static_cast<std::uint8_t>(index);
                else
                    row[std::size_t(x) / 2] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
            }
            dib.insert(dib.end(), row.begin(), row.end());
        }
    }
    const size_t maskRow = RowBytes(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) == transparent) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        dib.insert(dib.end(), row.begin(), row.end());
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 2); // cursor
    put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(image.width));
    out.push_back(static_cast<std::uint8_t>(image.height));
    out.push_back(0);
    out.push_back(0);
    put16(out, static_cast<unsigned>(hotX));
    put16(out, static_cast<unsigned>(hotY));
    put32(out, static_cast<std::uint32_t>(dib.size()));
    put32(out, 6 + 16);
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

} // namespace hv

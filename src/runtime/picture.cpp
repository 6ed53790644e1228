#include "picture.h"
#include <algorithm>
#include "../core/checked_size.h"
#include "../core/pack.h"
#include "../core/units.h"
#include "mask_region.h"
#include "module.h"
#include "screen.h"
#include "system_colour.h"

namespace hv::rt {

HBITMAP CreateTopDownDib(int w, int h, void** bits) {
    // Refused before GDI sees it: its byte count must not wrap in a 32-bit process.
    if (w <= 0 || h <= 0 || !CheckedArea(w, h, 1, kMaxPixels)) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

std::shared_ptr<Picture> Picture::OnNewDib(int w, int h, std::uint32_t** pixels) {
    std::shared_ptr<Picture> pic(new Picture);
    void* bits = nullptr;
    pic->bitmap_.reset(CreateTopDownDib(w, h, &bits));
    if (!pic->bitmap_) return nullptr;
    *pixels = static_cast<std::uint32_t*>(bits);
    pic->bits_ = *pixels;
    pic->SetSize(w, h);
    return pic;
}

std::shared_ptr<Picture> Picture::FromBitmap(HBITMAP source) {
    UniqueBitmap owned(source);
    BITMAP bm{};
    if (!source || !GetObjectA(source, sizeof bm, &bm)) return nullptr;
    std::uint32_t* pixels = nullptr;
    std::shared_ptr<Picture> pic = OnNewDib(bm.bmWidth, bm.bmHeight, &pixels);
    if (!pic) return nullptr;
    UniqueMemoryDc src(CreateCompatibleDC(nullptr)), dst(CreateCompatibleDC(nullptr));
    {
        SelectGuard s(src.get(), source), d(dst.get(), pic->bitmap_.get());
        BitBlt(dst.get(), 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    return pic;
}

// The build packs each bitmap (RCDATA); a missing or damaged one gives no picture.
std::shared_ptr<Picture> Picture::FromResource(int id) {
    HMODULE module = ThisModule();
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* packed = loaded ? LockResource(loaded) : nullptr;
    std::vector<std::uint8_t> bmp;
    if (!packed ||
        !Unpack(static_cast<const std::uint8_t*>(packed), SizeofResource(module, found), bmp))
        return nullptr;
    const auto pixels = FindBmpPixels(bmp.data(), bmp.size());
    if (!pixels || !CheckedArea(pixels->width, pixels->rows, 1, kMaxPixels)) return nullptr;
    // Straight into the bitmap's own memory: an Image between them would be one more copy,
    // the background's alone 206 KB of heap.
    std::uint32_t* out = nullptr;
    std::shared_ptr<Picture> pic = OnNewDib(pixels->width, pixels->rows, &out);
    if (!pic) return nullptr;
    for (int y = 0; y < pixels->rows; ++y) {
        const std::uint8_t* p = pixels->top + pixels->stride * y;
        for (int x = 0; x < pixels->width; ++x, p += 3)
            *out++ = static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16);
    }
    return pic;
}

std::shared_ptr<Picture> Picture::FromImage(const Image& image) {
    std::uint32_t* out = nullptr;
    std::shared_ptr<Picture> pic = OnNewDib(image.width, image.height, &out);
    if (!pic) return nullptr;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const ColorValue c = image.pixels[i];
        out[i] = static_cast<std::uint32_t>(RedOf(c) << 16 | GreenOf(c) << 8 | BlueOf(c));
    }
    return pic;
}

void Picture::SetSize(int w, int h) {
    width_ = w;
    height_ = h;
    widthHimetric_ = PixelsToHimetric(w, ScreenDpiX());
    heightHimetric_ = PixelsToHimetric(h, ScreenDpiY());
}

ColorValue Picture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    if (bits_) {
        const std::uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
        return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    if (objectDc_) {
        const COLORREF c = GetPixel(objectDc_.get(), x, y);
        return c == CLR_INVALID ? -1 : static_cast<ColorValue>(c);
    }
    return -1;
}

void Picture::Draw(HDC dc, int x, int y) const {
    if (objectDc_) {
        BitBlt(dc, x, y, width_, height_, objectDc_.get(), 0, 0, SRCCOPY);
        return;
    }
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    SelectGuard sel(mem.get(), bitmap_.get());
    BitBlt(dc, x, y, width_, height_, mem.get(), 0, 0, SRCCOPY);
}

void Picture::DrawEnlarged(HDC dc, const RECT& dest, const RECT& src) const {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    const auto stretch = [&](HDC from) {
        StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from,
                   src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
    };
    if (objectDc_) {
        stretch(objectDc_.get());
    } else {
        UniqueMemoryDc mem(CreateCompatibleDC(dc));
        SelectGuard sel(mem.get(), bitmap_.get());
        stretch(mem.get());
    }
    SetStretchBltMode(dc, oldMode);
}

HRGN Picture::Shape(COLORREF mask) const {
    if (!shape_ || shapeMask_ != mask) {
        shape_ = MaskRegion(*this, mask);
        shapeMask_ = mask;
    }
    return shape_.get();
}

void PaintPictureOn(HDC dc, const RECT& client, const Picture* picture, ColorValue back) {
    const int w = picture ? picture->widthPixels() : 0, h = picture ? picture->heightPixels() : 0;
    if (w < client.right) FillWithColor(dc, {w, 0, client.right, client.bottom}, back);
    if (h < client.bottom) FillWithColor(dc, {0, h, std::min<LONG>(w, client.right), client.bottom}, back);
    if (picture) picture->Draw(dc, 0, 0);
}

} // namespace hv::rt

#include "picture_object_image.h"
#include <olectl.h>
#include <sstream>
#include <vector>

namespace hv::test {

namespace {
IPicture* AsPicture(IPictureDisp* disp) {
    IPicture* pic = nullptr;
    if (disp) disp->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&pic));
    return pic;
}
} // namespace

HBITMAP PictureBitmap(IPictureDisp* picture) {
    OLE_HANDLE h = 0;
    if (IPicture* pic = AsPicture(picture)) {
        pic->get_Handle(&h);
        pic->Release();
    }
    return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(h));
}

HPALETTE PicturePalette(IPictureDisp* picture) {
    OLE_HANDLE h = 0;
    if (IPicture* pic = AsPicture(picture)) {
        pic->get_hPal(&h);
        pic->Release();
    }
    return reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(h));
}

Image PictureObjectImage(IPictureDisp* picture) {
    HBITMAP bitmap = PictureBitmap(picture);
    BITMAP bm{};
    if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm)) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> bits(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HPALETTE palette = PicturePalette(picture);
    HPALETTE old = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    if (palette) RealizePalette(dc);
    const int rows = GetDIBits(dc, bitmap, 0, bm.bmHeight, bits.data(), &bi, DIB_RGB_COLORS);
    if (palette) SelectPalette(dc, old, FALSE);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (rows != bm.bmHeight) return {};
    Image img(bm.bmWidth, bm.bmHeight);
    for (size_t i = 0; i < bits.size(); ++i)
        img.pixels[i] = RGBColor((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
    return img;
}

Image PictureImage(const rt::Picture& picture, int x0, int y0, int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.at(x, y) = picture.Pixel(x0 + x, y0 + y);
    return img;
}

std::string CompareArea(const Image& grab, int gx, int gy, const Image& expected) {
    int differ = 0;
    std::ostringstream first;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const ColorValue got = grab.contains(gx + x, gy + y) ? grab.at(gx + x, gy + y) : -1;
            if (got == expected.at(x, y)) continue;
            if (differ++ == 0)
                first << "at " << x << "," << y << " got " << std::hex << got << " want "
                      << expected.at(x, y) << std::dec;
        }
    return differ ? first.str() + " (" + std::to_string(differ) + " pixels differ)" : "";
}

} // namespace hv::test

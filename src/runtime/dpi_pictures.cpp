#include "dpi_pictures.h"
#include "../core/image_scale.h"
#include "../core/units.h"
#include "picture_box.h"
#include "screen.h"

namespace hv::rt {

namespace {
constexpr int kDesignDpi = 96;
} // namespace

int PixelsAtDpiX(int pixels96) {
    return ScaleLength(pixels96, ScreenDpiX(), kDesignDpi);
}
int PixelsAtDpiY(int pixels96) {
    return ScaleLength(pixels96, ScreenDpiY(), kDesignDpi);
}

Image PictureImage(const Picture& picture) {
    Image image(picture.widthPixels(), picture.heightPixels());
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.at(x, y) = picture.Pixel(x, y);
    return image;
}

PicturePtr ArtForDpi(PicturePtr art96) {
    if (!art96) return art96;
    const int w = PixelsAtDpiX(art96->widthPixels()), h = PixelsAtDpiY(art96->heightPixels());
    if (w == art96->widthPixels() && h == art96->heightPixels()) return art96;
    return Picture::FromImage(ScalePixelArt(PictureImage(*art96), w, h));
}

PicturePtr ArtForDpi(int resourceId) {
    return ArtForDpi(Picture::FromResource(resourceId));
}

SIZE InnerPixelsAt96(const PictureBox& box) {
    RECT window{}, client{};
    if (!GetWindowRect(box.hwnd(), &window) || !GetClientRect(box.hwnd(), &client)) return {};
    // The frame around the inner area keeps its pixels at any DPI.
    const int frameX = (window.right - window.left) - client.right;
    const int frameY = (window.bottom - window.top) - client.bottom;
    return {TwipsToPixels(box.Width(), TwipsPerPixelForDpi(kDesignDpi)) - frameX,
            TwipsToPixels(box.Height(), TwipsPerPixelForDpi(kDesignDpi)) - frameY};
}

PicturePtr PaletteForBox(int resourceId, const PictureBox& box) {
    PicturePtr palette = Picture::FromResource(resourceId);
    RECT client{};
    if (!palette || !GetClientRect(box.hwnd(), &client)) return palette;
    const SIZE inner96 = InnerPixelsAt96(box);
    const int innerX96 = inner96.cx, innerY96 = inner96.cy;
    if (innerX96 <= 0 || innerY96 <= 0 || (innerX96 == client.right && innerY96 == client.bottom))
        return palette;
    const int w = ScaleLength(palette->widthPixels(), client.right, innerX96);
    const int h = ScaleLength(palette->heightPixels(), client.bottom, innerY96);
    return Picture::FromImage(ResizeNearest(PictureImage(*palette), w, h));
}

} // namespace hv::rt

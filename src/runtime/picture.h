// A picture as VB's StdPicture: a bitmap with its size in pixels and in HIMETRIC, either a
// 32-bit DIB of our own or the bitmap of an OLE picture object. Shared between the controls
// that show it.
#pragma once
#include "../core/image.h"
#include "com_ptr.h"
#include "handles.h"
#include <memory>
#include <ocidl.h>

namespace hv::rt {

// A top-down 32-bit DIB section (BGRA rows), so pixels can be read and written without a
// device context.
HBITMAP CreateTopDownDib(int w, int h, void** bits);

class Picture {
  public:
    static std::shared_ptr<Picture> FromResource(int id);
    static std::shared_ptr<Picture> FromImage(const Image& image);
    // Takes ownership of a bitmap (any kind; it is converted to a 32-bit DIB section).
    static std::shared_ptr<Picture> FromBitmap(HBITMAP bitmap);
    // Shows and reads a picture object's bitmap where it is, without a copy (a screen grab is
    // large), and keeps the object alive as long as this picture. The bitmap stays selected
    // into this picture's own context, so only this picture may draw it. Null without a bitmap.
    static std::shared_ptr<Picture> FromPictureObject(ComPtr<IPictureDisp> object);
    ~Picture();

    int widthPixels() const { return width_; }
    int heightPixels() const { return height_; }
    // Size in HIMETRIC (0.01 mm) at the display's resolution when the picture was made.
    int widthHimetric() const { return widthHimetric_; }
    int heightHimetric() const { return heightHimetric_; }
    HBITMAP bitmap() const { return bitmap_ ? bitmap_.get() : objectBitmap_; }

    // The colour of one pixel, or -1 outside the picture.
    ColorValue Pixel(int x, int y) const;
    // Draws the picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;
    // Draws the picture's `src` rectangle into `dest`, each pixel a hard-edged block.
    void DrawEnlarged(HDC dc, const RECT& dest, const RECT& src) const;
    // The pixels not of `mask` (a COLORREF) as a region, made on first use and kept: a
    // button asks for its face's shape at every press and release. Owned by the picture.
    HRGN Shape(COLORREF mask) const;

  private:
    Picture() = default;
    // A picture on a new top-down DIB section of w x h of its own, whose pixels (0x00RRGGBB)
    // the caller writes; nothing when the section can't be made.
    static std::shared_ptr<Picture> OnNewDib(int w, int h, std::uint32_t** pixels);
    void SetSize(int w, int h);
    UniqueBitmap bitmap_;
    const std::uint32_t* bits_ = nullptr; // top-down BGRA rows
    int width_ = 0, height_ = 0;
    int widthHimetric_ = 0, heightHimetric_ = 0;
    // A picture object's bitmap (and palette), selected into objectDc_.
    ComPtr<IPictureDisp> object_;
    UniqueMemoryDc objectDc_;
    HBITMAP objectBitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HPALETTE oldPalette_ = nullptr;
    mutable UniqueRegion shape_;
    mutable COLORREF shapeMask_ = 0;
};

// Paints a surface of `client`'s size: the picture (may be null) at its top-left corner and the
// back colour only where the picture leaves room, so that no pixel is painted twice (a
// screen-sized picture would be, at every paint).
void PaintPictureOn(HDC dc, const RECT& client, const Picture* picture, ColorValue back);

using PicturePtr = std::shared_ptr<Picture>;

// A picture object owning the bitmap and the palette (which may be empty). Without a bitmap,
// or when no object is made, there is no picture and the handles are deleted here.
ComPtr<IPictureDisp> BitmapToPicture(UniqueBitmap bitmap, UniquePalette palette);

} // namespace hv::rt

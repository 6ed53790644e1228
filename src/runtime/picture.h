// A picture object: a device-independent bitmap with its size in pixels and in HIMETRIC,
// as VB's StdPicture. Shared between the controls that show it.
#pragma once
#include "../core/image.h"
#include "handles.h"
#include <memory>

namespace hv::rt {

class Picture {
  public:
    static std::shared_ptr<Picture> FromResource(int id);
    static std::shared_ptr<Picture> FromImage(const Image& image);
    // Takes ownership of a bitmap (any kind; it is converted to a 32-bit DIB section).
    static std::shared_ptr<Picture> FromBitmap(HBITMAP bitmap);

    int widthPixels() const { return width_; }
    int heightPixels() const { return height_; }
    // Size in HIMETRIC (0.01 mm) at the display's resolution when the picture was made.
    int widthHimetric() const { return widthHimetric_; }
    int heightHimetric() const { return heightHimetric_; }
    HBITMAP bitmap() const { return bitmap_.get(); }

    // The colour of one pixel, or -1 outside the picture.
    ColorValue Pixel(int x, int y) const;
    // Draws the picture with its top-left corner at (x, y).
    void Draw(HDC dc, int x, int y) const;

  private:
    Picture() = default;
    void SetSize(int w, int h);
    UniqueBitmap bitmap_;
    const std::uint32_t* bits_ = nullptr; // top-down BGRA rows
    int width_ = 0, height_ = 0;
    int widthHimetric_ = 0, heightHimetric_ = 0;
};

using PicturePtr = std::shared_ptr<Picture>;

} // namespace hv::rt

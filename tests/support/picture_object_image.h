// A picture object's bitmap read back by the platform (GetDIBits, through the object's own
// palette when it has one), independently of the add-in's picture code; and comparisons.
#pragma once
#include "core/image.h"
#include "runtime/picture.h"
#include <string>
#include <windows.h>
#include <ocidl.h>

namespace hv::test {

HBITMAP PictureBitmap(IPictureDisp* picture);
HPALETTE PicturePalette(IPictureDisp* picture);
// An empty image when the object holds no readable bitmap.
Image PictureObjectImage(IPictureDisp* picture);

// What the add-in's picture reads, pixel by pixel, in the area of w x h from (x, y).
Image PictureImage(const rt::Picture& picture, int x, int y, int w, int h);

// "" when `grab` shows `expected` at (x, y) one pixel for one pixel, else the first
// difference and how many pixels differ.
std::string CompareArea(const Image& grab, int x, int y, const Image& expected);

} // namespace hv::test

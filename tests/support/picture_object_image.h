// A picture object's bitmap read back by the platform (GetDIBits, through the object's own
// palette when it has one), independently of the add-in's picture code.
#pragma once
#include "core/image.h"
#include <windows.h>
#include <ocidl.h>

namespace hv::test {

HBITMAP PictureBitmap(IPictureDisp* picture);
HPALETTE PicturePalette(IPictureDisp* picture);
// An empty image when the object holds no readable bitmap.
Image PictureObjectImage(IPictureDisp* picture);

} // namespace hv::test

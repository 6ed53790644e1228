// ScreenCapture: what is on the screen at one moment, as a picture object. The bitmap is the
// display's own kind; on a 256-colour palette display it carries a copy of the system
// palette. The picture object owns both, so dropping it frees them.
#pragma once
#include "../runtime/com_ptr.h"
#include "../runtime/handles.h"
#include <olectl.h>

namespace hv::capture {

// The two capabilities of the source device that decide whether a palette is copied.
struct DeviceCaps {
    int rasterCaps = 0;  // RASTERCAPS bits
    int paletteSize = 0; // SIZEPALETTE
};
DeviceCaps ReadDeviceCaps(HDC dc);
using DeviceCapsReader = DeviceCaps (*)(HDC);

// Only a palette device with exactly 256 entries gets its palette copied.
bool TakesPalettePath(const DeviceCaps& caps);

// Every monitor: the virtual screen, one bitmap pixel per screen pixel from its top-left corner.
rt::ComPtr<IPictureDisp> GrabDesktop();

// Width x Height pixels from (Left, Top) of the window's client area (clientOnly) or of the
// whole window. readCaps stands in for the device's answers (tests of the palette path).
// A size that is not positive, or a window whose context cannot be had, gives no picture.
rt::ComPtr<IPictureDisp> GrabWindowArea(HWND hWnd, bool clientOnly, int left, int top, int width,
                                        int height, DeviceCapsReader readCaps = ReadDeviceCaps);

} // namespace hv::capture

#include "screen_capture.h"
#include "../core/checked_size.h"
#include "../core/units.h"
#include "../runtime/picture.h"
#include "../runtime/screen.h"
#include <optional>

namespace hv::capture {

namespace {

// A LOGPALETTE with room for all 256 entries.
struct SystemPaletteRecord {
    WORD palVersion = 0x300;
    WORD palNumEntries = 256;
    PALETTEENTRY entries[256] = {};
};

rt::UniquePalette CopySystemPalette(HDC source) {
    SystemPaletteRecord record;
    GetSystemPaletteEntries(source, 0, 256, record.entries);
    return rt::UniquePalette(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&record)));
}

} // namespace

DeviceCaps ReadDeviceCaps(HDC dc) {
    return {GetDeviceCaps(dc, RASTERCAPS), GetDeviceCaps(dc, SIZEPALETTE)};
}

bool TakesPalettePath(const DeviceCaps& caps) {
    return (caps.rasterCaps & RC_PALETTE) != 0 && caps.paletteSize == 256;
}

rt::ComPtr<IPictureDisp> GrabDesktop() {
    // GetDC(NULL): the whole screen in screen coordinates, where a monitor left of or above the
    // primary one lies at negative ones.
    const RECT v = rt::VirtualScreenRect();
    return GrabWindowArea(nullptr, true, v.left, v.top, v.right - v.left, v.bottom - v.top);
}

rt::ComPtr<IPictureDisp> GrabWindowArea(HWND hWnd, bool clientOnly, int left, int top, int width,
                                        int height, DeviceCapsReader readCaps) {
    // A virtual screen larger than a bitmap may be is refused, not wrapped.
    if (width <= 0 || height <= 0 || !CheckedArea(width, height, 1, kMaxPixels)) return nullptr;
    rt::UniqueBitmap bitmap;
    rt::UniquePalette palette;
    {
        // Destroyed in reverse: the memory context is deleted before the source is released.
        rt::WindowDc source(hWnd, clientOnly);
        if (!source.get()) return nullptr;
        rt::UniqueMemoryDc memory(CreateCompatibleDC(source.get()));
        bitmap.reset(CreateCompatibleBitmap(source.get(), width, height));
        if (!memory || !bitmap) return nullptr;
        const rt::SelectGuard bitmapIn(memory.get(), bitmap.get());

        const bool palettePath =
            TakesPalettePath(readCaps ? readCaps(source.get()) : ReadDeviceCaps(source.get()));
        std::optional<rt::PaletteGuard> paletteIn;
        if (palettePath) {
            palette = CopySystemPalette(source.get());
            paletteIn.emplace(memory.get(), palette.get());
            RealizePalette(memory.get());
        }

        BitBlt(memory.get(), 0, 0, width, height, source.get(), left, top, SRCCOPY);
    }
    return rt::BitmapToPicture(std::move(bitmap), std::move(palette));
}

} // namespace hv::capture

#include "mouse_pointer.h"
#include "module.h"
#include <iterator>

namespace hv::rt {

MouseIcon LoadMouseIcon(int resourceId) {
    auto cursor = static_cast<HCURSOR>(
        LoadImageA(ThisModule(), MAKEINTRESOURCEA(resourceId), IMAGE_CURSOR, 0, 0, 0));
    return cursor ? std::make_shared<UniqueCursor>(cursor) : nullptr;
}

HCURSOR StandardPointer(int mousePointer) {
    static const LPCSTR kShapes[] = {nullptr,      IDC_ARROW,       IDC_CROSS,    IDC_IBEAM,
                                     IDC_ICON,     IDC_SIZE,        IDC_SIZENESW, IDC_SIZENS,
                                     IDC_SIZENWSE, IDC_SIZEWE,      IDC_UPARROW,  IDC_WAIT,
                                     IDC_NO,       IDC_APPSTARTING, IDC_HELP,     IDC_SIZEALL};
    if (mousePointer <= vbDefault || mousePointer >= static_cast<int>(std::size(kShapes)))
        return nullptr;
    return LoadCursorA(nullptr, kShapes[mousePointer]);
}

UniqueCursor CursorFromPicture(const Picture& picture) {
    const int w = picture.widthPixels(), h = picture.heightPixels();
    // An all-zero AND mask: every pixel of the picture is drawn.
    UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!mask) return UniqueCursor();
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectGuard sel(dc.get(), mask.get());
        PatBlt(dc.get(), 0, 0, w, h, BLACKNESS);
    }
    ICONINFO info{FALSE, 0, 0, mask.get(), picture.bitmap()};
    return UniqueCursor(CreateIconIndirect(&info));
}

} // namespace hv::rt

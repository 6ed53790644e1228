#include "mask_region.h"
#include <vector>

namespace hv::rt {

UniqueRegion MaskRegion(const Picture& picture, COLORREF mask) {
    const int w = picture.widthPixels(), h = picture.heightPixels();
    const ColorValue transparent = static_cast<ColorValue>(mask & 0xFFFFFF);
    // One rectangle per run of visible pixels in a row, joined in a single call.
    std::vector<RECT> runs;
    for (int y = 0; y < h; ++y) {
        int x = 0;
        while (x < w) {
            while (x < w && picture.Pixel(x, y) == transparent)
                ++x;
            const int start = x;
            while (x < w && picture.Pixel(x, y) != transparent)
                ++x;
            if (x > start) runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(runs.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    rgn->rdh.rcBound = RECT{0, 0, w, h};
    if (!runs.empty()) std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(rgn->Buffer));
    return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn));
}

} // namespace hv::rt

#pragma once
#include "../core/colour.h"
#include <windows.h>

namespace hv::rt {

// The COLORREF to paint for a colour value; system colours are looked up now.
inline COLORREF ResolveColor(ColorValue c) {
    if (IsSystemColor(c)) return GetSysColor(c & 0xFF);
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

} // namespace hv::rt

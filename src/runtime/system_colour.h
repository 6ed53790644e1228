#pragma once
#include "../core/colour.h"
#include "handles.h"
#include <windows.h>

namespace hv::rt {

// The COLORREF to paint for a colour value; system colours are looked up now.
inline COLORREF ResolveColor(ColorValue c) {
    if (IsSystemColor(c)) return GetSysColor(c & 0xFF);
    return static_cast<COLORREF>(c & 0xFFFFFF);
}

// Fills the rectangle with the colour (a system colour resolved now).
inline void FillWithColor(HDC dc, const RECT& r, ColorValue c) {
    // The context's own brush: no brush made and deleted for every fill.
    const COLORREF was = SetDCBrushColor(dc, ResolveColor(c));
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, was);
}

// Fills the window's whole client area.
inline void FillClient(HWND w, HDC dc, ColorValue c) {
    RECT client{};
    GetClientRect(w, &client);
    FillWithColor(dc, client, c);
}

} // namespace hv::rt

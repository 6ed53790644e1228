#include "loupe_layout.h"
#include <algorithm>
#include <charconv>

namespace hv {

int ClampLoupeZoom(int zoom) {
    return std::clamp(zoom, kLoupeMinZoom, kLoupeMaxZoom);
}

int ParseLoupeZoom(const std::string& text) {
    int zoom = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, zoom);
    if (ec != std::errc() || p != end || text.empty()) return kLoupeDefaultZoom;
    return ClampLoupeZoom(zoom);
}

int LoupeCells(int viewSide, int zoom) {
    if (zoom < 1) zoom = 1;
    int cells = std::max(viewSide, 0) / zoom;
    if (cells % 2 == 0) --cells;
    return std::max(cells, 1);
}

LoupeSpot PlaceLoupe(int px, int py, int width, int height, int gap, const PixelRect& monitor,
                     const PixelRect& avoid) {
    const int right = px + 1 + gap, left = px - gap - width;
    const int below = py + 1 + gap, above = py - gap - height;
    const auto rect = [&](LoupeSpot s) { return PixelRect{s.x, s.y, s.x + width, s.y + height}; };
    const auto clampX = [&](int x) {
        return std::max(std::min(x, monitor.right - width), monitor.left);
    };
    const auto clampY = [&](int y) {
        return std::max(std::min(y, monitor.bottom - height), monitor.top);
    };
    const auto fits = [&](LoupeSpot s) {
        const PixelRect r = rect(s);
        return monitor.Holds(r) && !avoid.Meets(r) && !r.Contains(px, py);
    };
    // Beside the pointer, flipped at the monitor's edges and at the main window...
    const LoupeSpot beside[] = {{right, below}, {left, below}, {right, above}, {left, above}};
    for (const LoupeSpot s : beside)
        if (fits(s)) return s;
    // ...or, with the pointer on or close around the main window, beside that window.
    const LoupeSpot outside[] = {{avoid.right + gap, clampY(below)},
                                 {avoid.left - gap - width, clampY(below)},
                                 {clampX(right), avoid.bottom + gap},
                                 {clampX(right), avoid.top - gap - height}};
    for (const LoupeSpot s : outside)
        if (fits(s)) return s;
    // Hemmed in: on the monitor and off the pointer's pixel matter more than the main window.
    for (const LoupeSpot s : beside)
        if (monitor.Holds(rect(s))) return s;
    // A monitor too small for it beside the pointer: the side with more room, kept on it.
    return {clampX(monitor.right - px > px - monitor.left ? right : left),
            clampY(monitor.bottom - py > py - monitor.top ? below : above)};
}

int WheelNotches::Add(int delta) {
    constexpr int kNotch = 120;
    // Turning back drops what the other way had gathered.
    if ((rest_ > 0 && delta < 0) || (rest_ < 0 && delta > 0)) rest_ = 0;
    rest_ += delta;
    const int steps = rest_ / kNotch;
    rest_ -= steps * kNotch;
    return steps;
}

} // namespace hv

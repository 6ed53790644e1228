// The capture's magnifier as plain geometry in screen pixels: how many screenshot pixels it
// shows at a zoom, where it stands beside the pointer, and the zoom the wheel and the stored
// setting give.
#pragma once
#include <string>

namespace hv {

// Right and bottom are exclusive, as in a Win32 RECT.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool Holds(const PixelRect& r) const {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
    bool Meets(const PixelRect& r) const {
        return r.left < right && left < r.right && r.top < bottom && top < r.bottom;
    }
};

constexpr int kLoupeMinZoom = 4, kLoupeMaxZoom = 16, kLoupeDefaultZoom = 8;
// From this zoom on a cell is wide enough for a grid line beside its colour.
constexpr int kLoupeGridZoom = 6;

int ClampLoupeZoom(int zoom);
// The stored zoom: a whole number, kept within range; any other text gives the default.
int ParseLoupeZoom(const std::string& text);

// Screenshot pixels along one side of a view `viewSide` screen pixels wide at `zoom`: odd, so
// that the picked pixel is the middle one, and at least one.
int LoupeCells(int viewSide, int zoom);

// The loupe's top-left corner for a pointer at (px, py): `gap` pixels right of and below it,
// flipped left and/or above where it would leave the monitor or meet `avoid` (the main
// window). Its rectangle never holds the pointer's pixel while the monitor has room for it.
struct LoupeSpot {
    int x = 0, y = 0;
};
LoupeSpot PlaceLoupe(int px, int py, int width, int height, int gap, const PixelRect& monitor,
                     const PixelRect& avoid);

// Wheel deltas to zoom steps: one step a notch (120), finer wheels' deltas adding up.
class WheelNotches {
  public:
    int Add(int delta);

  private:
    int rest_ = 0;
};

} // namespace hv

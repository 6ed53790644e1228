// VB's rectangle Shape with a one-pixel solid outline and a transparent interior. Windowless:
// the window it lies on draws it.
#pragma once
#include "../core/colour.h"
#include <windows.h>

namespace hv::rt {

struct Shape {
    double left = 0, top = 0, width = 0, height = 0; // twips on its container
    ColorValue BorderColor = 0;
    bool Visible = true;

    void Move(double l, double t, double w, double h) {
        left = l;
        top = t;
        width = w;
        height = h;
    }
    void Draw(HDC dc, int twipsPerPixelX, int twipsPerPixelY) const;
};

} // namespace hv::rt

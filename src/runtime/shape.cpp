#include "shape.h"
#include "../core/units.h"
#include "handles.h"
#include "system_colour.h"

namespace hv::rt {

void Shape::Draw(HDC dc, int tppX, int tppY) const {
    const int x = TwipsToPixels(left, tppX), y = TwipsToPixels(top, tppY);
    const int w = TwipsToPixels(width, tppX), h = TwipsToPixels(height, tppY);
    if (!Visible || w <= 0 || h <= 0) return;
    UniqueBrush line(CreateSolidBrush(ResolveColor(BorderColor)));
    RECT r{x, y, x + w, y + h};
    FrameRect(dc, &r, line.get());
}

} // namespace hv::rt

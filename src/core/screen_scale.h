// Where a system scales what a DPI-unaware thread sees of the screen (Windows 7 and 8.1, which
// have no per-thread DPI contexts), one of the thread's units covers `scale` screen pixels.
#pragma once
#include <cmath>

namespace hv {

// The screen pixel under the centre of unit `unit`: the one a press there points at.
inline int ScreenPixelOfUnit(int unit, double scale) {
    return scale == 1.0 ? unit : static_cast<int>(std::floor((unit + 0.5) * scale));
}

} // namespace hv

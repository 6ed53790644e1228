#include "on_top.h"
#include "../core/units.h"
#include "frm_main.h"

namespace hv::forms {

void SetTopMost(frmMain& main, bool topmost) {
    rt::Form& f = main.form();
    if (!f.exists()) return;
    // The display's own twips per pixel, not a fixed 15: at 120 DPI a fixed ratio would
    // shrink the window and move it off its place.
    const int tx = f.TwipsPerPixelX(), ty = f.TwipsPerPixelY();
    int left = TwipsToPixels(f.Left(), tx), top = TwipsToPixels(f.Top(), ty);
    const int width = TwipsToPixels(f.Width(), tx), height = TwipsToPixels(f.Height(), ty);
    SetWindowPos(f.hwnd(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, left, top, width, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

} // namespace hv::forms

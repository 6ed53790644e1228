#include "on_top.h"
#include "../core/units.h"
#include "../runtime/screen.h"
#include "frm_main.h"

namespace hv::forms {

void SetTopMost(frmMain& main, bool topmost) {
    rt::Form& f = main.form();
    if (!f.exists()) return;
    HWND after = topmost ? HWND_TOPMOST : HWND_NOTOPMOST;
    if (IsIconic(f.hwnd())) {
        // A minimised window keeps its icon's place; restoring calls this again.
        SetWindowPos(f.hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
    }
    // The display's own twips per pixel, not a fixed 15: at 120 DPI a fixed ratio would
    // shrink the window and move it off its place.
    const int tx = f.TwipsPerPixelX(), ty = f.TwipsPerPixelY();
    const int left = TwipsToPixels(f.Left(), tx), top = TwipsToPixels(f.Top(), ty);
    const int width = TwipsToPixels(f.Width(), tx), height = TwipsToPixels(f.Height(), ty);
    // Wholly inside the work area of the screen it is on.
    const RECT r = rt::KeptOnMonitor(RECT{left, top, left + width, top + height});
    // The backgrounds are erased as each window paints, not in a pass of their own before
    // (our windows erase nothing; each pass costs every child a device context).
    SetWindowPos(f.hwnd(), after, r.left, r.top, width, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_DEFERERASE);
}

} // namespace hv::forms

#include "palettes.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/picture_box.h"

namespace hv::colour {

bool PickColor(rt::PictureBox& palette, const rt::MouseEvent& e, ColourFields& f) {
    if (e.Button != rt::vbLeftButton) return false;
    const ColorValue c = palette.Point(e.X, e.Y);
    if (c == -1) return false;
    SetCurrentColor(f, c);
    return true;
}

ColorValue AskForColour(rt::ColorDialog& dialog, ColorValue start, HWND owner, bool* chosen) {
    dialog.DialogTitle = "Select color";
    dialog.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    dialog.Color = start;
    const bool ok = dialog.ShowColor(owner); // a cancel leaves Color as set above
    if (chosen) *chosen = ok;
    return dialog.Color;
}

bool ChooseColorWithDialog(rt::ColorDialog& cdlCol, ColourFields& f, HWND owner) {
    bool chosen = false;
    AskForColour(cdlCol, f.picCurrentCol.BackColor(), owner, &chosen);
    f.picCurrentCol.SetBackColor(cdlCol.Color);
    ShowComponents(f, cdlCol.Color);
    UpdateColorCode(f);
    return chosen;
}

} // namespace hv::colour

#include "palettes.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/picture_box.h"

namespace hv::colour {

void PickColor(rt::PictureBox& palette, const rt::MouseEvent& e, ColourFields& f) {
    if (e.Button != rt::vbLeftButton) return;
    const ColorValue c = palette.Point(e.X, e.Y);
    if (c == -1) return;
    SetCurrentColor(f, c);
}

ColorValue AskForColour(rt::ColorDialog& dialog, ColorValue start, HWND owner) {
    dialog.DialogTitle = "Select color";
    dialog.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    dialog.Color = start;
    dialog.ShowColor(owner); // a cancel leaves Color as set above
    return dialog.Color;
}

void ChooseColorWithDialog(rt::ColorDialog& cdlCol, ColourFields& f, HWND owner) {
    AskForColour(cdlCol, f.picCurrentCol.BackColor(), owner);
    f.picCurrentCol.SetBackColor(cdlCol.Color);
    ShowComponents(f, cdlCol.Color);
    UpdateColorCode(f);
}

} // namespace hv::colour

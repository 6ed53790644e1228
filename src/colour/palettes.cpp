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

void ChooseColorWithDialog(rt::ColorDialog& cdlCol, ColourFields& f, HWND owner) {
    cdlCol.DialogTitle = "Select color";
    cdlCol.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    cdlCol.Color = f.picCurrentCol.BackColor();
    cdlCol.ShowColor(owner); // a cancel leaves Color as set above
    f.picCurrentCol.SetBackColor(cdlCol.Color);
    ShowComponents(f, cdlCol.Color);
    UpdateColorCode(f);
}

} // namespace hv::colour

#include "colour_state.h"
#include "../runtime/picture_box.h"
#include "../runtime/system_colour.h"
#include "../runtime/text_box.h"

namespace hv::colour {

void ShowComponents(ColourFields& f, ColorValue c) {
    // A system colour by what it is now, wherever it comes from (a dialog cancelled on it).
    c = static_cast<ColorValue>(rt::ResolveColor(c));
    f.txtR.SetText(RedText(c));
    f.txtG.SetText(GreenText(c));
    f.txtB.SetText(BlueText(c));
}

void SetCurrentColor(ColourFields& f, ColorValue c) {
    // A system colour stays one; its components are those it has now.
    f.picCurrentCol.SetBackColor(c);
    f.txtColorCode.SetText(ColorCodeText(c));
    ShowComponents(f, c);
}

void UpdateColorCode(ColourFields& f) {
    f.txtColorCode.SetText(ColorCodeText(f.picCurrentCol.BackColor()));
}

ShownColour ReadShown(const ColourFields& f) {
    return {f.picCurrentCol.BackColor(), f.txtColorCode.Text(), f.txtR.Text(), f.txtG.Text(),
            f.txtB.Text()};
}

void ShowAgain(ColourFields& f, const ShownColour& shown) {
    f.picCurrentCol.SetBackColor(shown.preview);
    f.txtColorCode.SetText(shown.code);
    f.txtR.SetText(shown.red);
    f.txtG.SetText(shown.green);
    f.txtB.SetText(shown.blue);
}

} // namespace hv::colour

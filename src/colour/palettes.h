// Picking the current colour from a palette picture, and from the colour dialog.
#pragma once
#include "colour_state.h"
#include "../runtime/mouse.h"

namespace hv::rt {
class ColorDialog;
}

namespace hv::colour {

// The pick of all three palettes: the left button alone picks the colour under the pointer.
// Positions outside the box (the box keeps the mouse while a button is held) pick nothing.
// True when it picked.
bool PickColor(rt::PictureBox& palette, const rt::MouseEvent& e, ColourFields& f);

// Click on the preview: the colour dialog, opened on the current colour. Cancel leaves the
// colour as it was. True after OK.
bool ChooseColorWithDialog(rt::ColorDialog& cdlCol, ColourFields& f, HWND owner);
// The colour dialog, fully open on `start`; the chosen colour, or `start` after a cancel
// (`chosen`, when given, tells which).
ColorValue AskForColour(rt::ColorDialog& dialog, ColorValue start, HWND owner,
                        bool* chosen = nullptr);

} // namespace hv::colour

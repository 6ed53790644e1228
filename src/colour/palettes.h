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

// The keyboard on a palette: cols x rows cells of equal size over the box (the standard
// palette's colours, or the quick palettes' own pixels as drawn at 96 DPI). The arrow keys
// move the pick a cell, Home and End to the row's ends, and each move picks the cell's middle
// as a press there does. A press of the mouse moves the pick to the cell pressed.
class PaletteKeys {
  public:
    PaletteKeys(rt::PictureBox& box, int cols, int rows, int row);
    bool KeyDown(int key); // true when the key was one of the palette's
    void PressedAt(const rt::MouseEvent& e);
    // The colour under the pick.
    ColorValue Picked() const;
    int col() const { return col_; }
    int row() const { return row_; }

  private:
    RECT Cell() const; // client pixels
    POINT Middle() const;
    void Moved();
    rt::PictureBox& box_;
    int cols_, rows_, col_ = 0, row_;
};

// Click on the preview: the colour dialog, opened on the current colour. Cancel leaves the
// colour as it was. True after OK.
bool ChooseColorWithDialog(rt::ColorDialog& cdlCol, ColourFields& f, HWND owner);
// The colour dialog, fully open on `start`; the chosen colour, or `start` after a cancel
// (`chosen`, when given, tells which).
ColorValue AskForColour(rt::ColorDialog& dialog, ColorValue start, HWND owner,
                        bool* chosen = nullptr);

} // namespace hv::colour

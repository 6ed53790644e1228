#include "palettes.h"
#include "../core/palette_cells.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include <algorithm>

namespace hv::colour {

bool PickColor(rt::PictureBox& palette, const rt::MouseEvent& e, ColourFields& f) {
    if (e.Button != rt::vbLeftButton) return false;
    const ColorValue c = palette.Point(e.X, e.Y);
    if (c == -1) return false;
    SetCurrentColor(f, c);
    return true;
}

PaletteKeys::PaletteKeys(rt::PictureBox& box, int cols, int rows, int row)
    : box_(box), cols_(std::max(1, cols)), rows_(std::max(1, rows)), row_(row) {
    Moved();
}

RECT PaletteKeys::Cell() const {
    RECT client{};
    GetClientRect(box_.hwnd(), &client);
    return {col_ * client.right / cols_, row_ * client.bottom / rows_,
            (col_ + 1) * client.right / cols_, (row_ + 1) * client.bottom / rows_};
}

bool PaletteKeys::KeyDown(int key) {
    int col = col_, row = row_;
    switch (key) {
    case VK_LEFT:
        --col;
        break;
    case VK_RIGHT:
        ++col;
        break;
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_HOME:
        col = 0;
        break;
    case VK_END:
        col = cols_ - 1;
        break;
    default:
        return false;
    }
    col_ = std::clamp(col, 0, cols_ - 1);
    row_ = std::clamp(row, 0, rows_ - 1);
    Moved();
    // At the middle of the cell, as the mouse would press it (which moves the pick there).
    const POINT at = Middle();
    const rt::MouseEvent e = rt::MakeMouseEvent(rt::vbLeftButton, MAKELPARAM(at.x, at.y),
                                                box_.form().TwipsPerPixelX(),
                                                box_.form().TwipsPerPixelY());
    if (box_.OnMouseDown) box_.OnMouseDown(e);
    return true;
}

void PaletteKeys::PressedAt(const rt::MouseEvent& e) {
    RECT client{};
    GetClientRect(box_.hwnd(), &client);
    const int x = static_cast<int>(e.X) / box_.form().TwipsPerPixelX();
    const int y = static_cast<int>(e.Y) / box_.form().TwipsPerPixelY();
    if (e.Button != rt::vbLeftButton || x < 0 || y < 0 || x >= client.right || y >= client.bottom)
        return;
    // The cell whose span holds the pixel's centre: the pixel a picture enlarged pixel for
    // pixel (nearest neighbour) shows there, and the cell whose Middle is this pixel.
    const int col = CellAt(x, cols_, client.right);
    const int row = CellAt(y, rows_, client.bottom);
    if (col == col_ && row == row_) return;
    col_ = col;
    row_ = row;
    Moved();
}

// The focus cue rings the picked cell, and screen readers hear of the new value.
void PaletteKeys::Moved() {
    RECT r = Cell();
    InflateRect(&r, 2, 2);
    box_.SetFocusCueRect(r);
    rt::NotifyAcc(EVENT_OBJECT_VALUECHANGE, box_.hwnd());
}

// The pixel under the middle of the cell's exact span: where the cells are narrower than two
// pixels (a quick palette at 125 %), the middle of the rounded span can be a neighbour's pixel.
POINT PaletteKeys::Middle() const {
    RECT client{};
    GetClientRect(box_.hwnd(), &client);
    return {CellMiddle(col_, cols_, client.right), CellMiddle(row_, rows_, client.bottom)};
}

ColorValue PaletteKeys::Picked() const {
    const POINT at = Middle();
    return box_.Point(static_cast<float>(at.x * box_.form().TwipsPerPixelX()),
                      static_cast<float>(at.y * box_.form().TwipsPerPixelY()));
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

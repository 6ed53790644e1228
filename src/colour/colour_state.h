// The current colour as the main window shows it: the preview's back colour, the code
// field and the three component fields. The current colour has no variable of its own.
#pragma once
#include "../core/colour.h"
#include <string>

namespace hv::rt {
class PictureBox;
class TextBox;
} // namespace hv::rt

namespace hv::colour {

struct ColourFields {
    rt::PictureBox& picCurrentCol;
    rt::TextBox& txtColorCode;
    rt::TextBox& txtR;
    rt::TextBox& txtG;
    rt::TextBox& txtB;
};

// txtR, then txtG, then txtB; a system colour by what it is now.
void ShowComponents(ColourFields& f, ColorValue c);
// Preview, code field, components, in that order.
void SetCurrentColor(ColourFields& f, ColorValue c);
// The code field from the preview's back colour.
void UpdateColorCode(ColourFields& f);

// What the fields show, to be put back exactly: the components may be a selected favourite's
// rather than the preview's.
struct ShownColour {
    ColorValue preview = 0;
    std::string code, red, green, blue;
};
ShownColour ReadShown(const ColourFields& f);
void ShowAgain(ColourFields& f, const ShownColour& shown);

} // namespace hv::colour

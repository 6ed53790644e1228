// Windows are declared as data: one row per control with its kind, place, texts and look.
#pragma once
#include "../core/colour.h"
#include "../runtime/label.h"

namespace hv::rt {
class Form;
}

namespace hv::forms {

enum class Kind { PictureBox, TextBox, Label, SkinButton, Swatch, CommandButton, ListBox };

// The stored properties beyond place and texts; most controls keep the defaults.
struct Look {
    rt::Align alignment = rt::Align::Left;
    ColorValue foreColor = 0;
    bool border = true;
    const char* font = nullptr; // null: the form's "MS Sans Serif" 8.25
    double fontSize = 8.25;
    bool bold = false;
    bool visible = true;
    int face = 0; // skinned buttons: resource number of the up picture; over and down follow
    bool multiLine = false; // text boxes
};

struct ControlRow {
    const char* name;
    Kind kind;
    int left, top, width, height; // twips
    const char* caption;          // labels, text boxes and command buttons
    const char* toolTip;
    Look look = {};
};

// Creates every control of the table on the form, in table order.
void BuildControls(rt::Form& form, const ControlRow* rows, int count);

} // namespace hv::forms

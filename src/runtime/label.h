// A label is windowless, as in VB: the form paints it and passes it mouse presses.
#pragma once
#include "../core/colour.h"
#include "handles.h"
#include "mouse.h"
#include <string>

namespace hv::rt {

enum class Align { Left, Right, Center };

struct Label {
    std::string name;
    std::string Caption;
    double left = 0, top = 0, width = 0, height = 0; // twips
    ColorValue ForeColor = 0;
    Align Alignment = Align::Left;
    bool Visible = true;
    UniqueFont font; // null: the form's default font
    MouseHandler OnMouseDown;
};

} // namespace hv::rt

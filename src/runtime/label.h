// A label is windowless, as in VB: the form paints it, passes it mouse presses and clicks,
// and shows its pointer over it.
#pragma once
#include "../core/colour.h"
#include "handles.h"
#include "mouse.h"
#include "mouse_pointer.h"
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
    MouseIcon mouseIcon; // null: the form's pointer
    MouseHandler OnMouseDown;
    EventHandler OnClick; // a left press and release both on the label
};

} // namespace hv::rt

// Windows are declared as data: one row per control, as the form designer would store it.
#pragma once
#include "../core/colour.h"
#include "../runtime/label.h"

namespace hv::rt {
class Form;
}

namespace hv::forms {

enum class Kind { PictureBox, TextBox, Label };

struct ControlSpec {
    const char* name;
    Kind kind;
    int left, top, width, height; // twips
    const char* caption;          // labels and text boxes
    const char* toolTip;
    rt::Align alignment = rt::Align::Left;
    ColorValue foreColor = 0;
    bool border = true;
};

// Creates every control of the table on the form, in table order.
void BuildControls(rt::Form& form, const ControlSpec* specs, int count);

template <int N> void BuildControls(rt::Form& form, const ControlSpec (&specs)[N]) {
    BuildControls(form, specs, N);
}

} // namespace hv::forms

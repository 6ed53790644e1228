#include "layout.h"
#include "../runtime/font.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"

namespace hv::forms {

void BuildControls(rt::Form& form, const ControlSpec* specs, int count) {
    for (int i = 0; i < count; ++i) {
        const ControlSpec& s = specs[i];
        const Look& look = s.look;
        rt::Control* control = nullptr;
        switch (s.kind) {
        case Kind::PictureBox:
            control = &form.Add<rt::PictureBox>(s.name, s.left, s.top, s.width, s.height, look.border);
            break;
        case Kind::TextBox: {
            auto& t = form.Add<rt::TextBox>(s.name, s.left, s.top, s.width, s.height,
                                            look.alignment, look.border);
            if (s.caption) t.SetText(s.caption);
            if (look.font) t.SetFont(look.font, look.fontSize, look.bold);
            t.SetForeColor(look.foreColor);
            control = &t;
            break;
        }
        case Kind::Label: {
            auto& l = form.AddLabel(s.name, s.left, s.top, s.width, s.height, s.caption ? s.caption : "");
            l.ForeColor = look.foreColor;
            l.Alignment = look.alignment;
            l.Visible = look.visible;
            if (look.font || look.bold)
                l.font = rt::CreateVbFont(look.font ? look.font : "MS Sans Serif", look.fontSize, look.bold);
            break;
        }
        }
        if (control) {
            if (s.toolTip) control->SetToolTipText(s.toolTip);
            if (!look.visible) control->SetVisible(false);
        }
    }
}

} // namespace hv::forms

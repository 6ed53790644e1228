#include "layout.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"

namespace hv::forms {

void BuildControls(rt::Form& form, const ControlSpec* specs, int count) {
    for (int i = 0; i < count; ++i) {
        const ControlSpec& s = specs[i];
        switch (s.kind) {
        case Kind::PictureBox: {
            auto& p = form.Add<rt::PictureBox>(s.name, s.left, s.top, s.width, s.height, s.border);
            if (s.toolTip) p.SetToolTipText(s.toolTip);
            break;
        }
        case Kind::TextBox: {
            auto& t = form.Add<rt::TextBox>(s.name, s.left, s.top, s.width, s.height, s.alignment,
                                            s.border);
            if (s.caption) t.SetText(s.caption);
            if (s.toolTip) t.SetToolTipText(s.toolTip);
            t.SetForeColor(s.foreColor);
            break;
        }
        case Kind::Label: {
            auto& l = form.AddLabel(s.name, s.left, s.top, s.width, s.height, s.caption ? s.caption : "");
            l.ForeColor = s.foreColor;
            l.Alignment = s.alignment;
            break;
        }
        }
    }
}

} // namespace hv::forms

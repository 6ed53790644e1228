#include "layout.h"
#include "../assets/frame.h"
#include "../controls/lumo_color_container.h"
#include "../controls/trans_skin_button.h"
#include "../runtime/command_button.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/font.h"
#include "../runtime/form.h"
#include "../runtime/list_box.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"

namespace hv::forms {

namespace {

// A button's stored data: its three pictures. The mask colour is not stored, so it is the
// container's background colour, which is what the faces are drawn around.
rt::PropertyBag ButtonData(int face) {
    return rt::PropertyBag{{"pictureup", rt::ArtForDpi(face)},
                           {"pictureover", rt::ArtForDpi(face + 1)},
                           {"picturedown", rt::ArtForDpi(face + 2)}};
}

// Every favourite swatch is stored alike.
rt::PropertyBag SwatchData() {
    return rt::PropertyBag{{"backcolor", SystemColor(COLOR_WINDOW)},
                           {"edgepressedcolor", assets::kFrameBlue},
                           {"edgeunpressedcolor", SystemColor(COLOR_HIGHLIGHTTEXT)}};
}

} // namespace

void BuildControls(rt::Form& form, const ControlRow* rows, int count) {
    for (int i = 0; i < count; ++i) {
        const ControlRow& s = rows[i];
        const Look& look = s.look;
        rt::Control* control = nullptr;
        switch (s.kind) {
        case Kind::PictureBox:
            control = &form.Add<rt::PictureBox>(s.name, s.left, s.top, s.width, s.height, look.border);
            break;
        case Kind::TextBox: {
            auto& t = form.Add<rt::TextBox>(s.name, s.left, s.top, s.width, s.height,
                                            look.alignment, look.border, look.multiLine);
            if (s.caption) t.SetText(s.caption);
            if (look.font) t.SetFont(look.font, look.fontSize, look.bold);
            t.SetForeColor(look.foreColor);
            control = &t;
            break;
        }
        case Kind::SkinButton: {
            const rt::PropertyBag data = ButtonData(look.face);
            control = &form.Add<controls::TransSkinButton>(s.name, s.left, s.top, s.width, s.height, &data);
            break;
        }
        case Kind::Swatch: {
            const rt::PropertyBag data = SwatchData();
            control = &form.Add<controls::LumoColorContainer>(s.name, s.left, s.top, s.width, s.height, &data);
            break;
        }
        case Kind::CommandButton:
            control = &form.Add<rt::CommandButton>(s.name, s.left, s.top, s.width, s.height,
                                                   s.caption ? s.caption : "");
            break;
        case Kind::ListBox:
            control = &form.Add<rt::ListBox>(s.name, s.left, s.top, s.width, s.height);
            break;
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

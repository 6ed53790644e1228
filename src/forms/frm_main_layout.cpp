#include "frm_main_layout.h"

namespace hv::forms {

using rt::Align;

// Positions in twips from the window's inner top-left corner.
const ControlSpec kMainLayout[] = {
    {"picColorBW", Kind::PictureBox, 160, 480, 500, 330, nullptr, "Qick grey scale palette"},
    {"picColors", Kind::PictureBox, 720, 480, 3170, 330, nullptr, "Qick color palette"},
    {"picBasicCol", Kind::PictureBox, 3960, 480, 1515, 1140, nullptr, "Standard palette"},
    {"picCurrentCol", Kind::PictureBox, 160, 880, 500, 330, nullptr,
     "Current color preview, Click to modify "},
    {"txtColorCode", Kind::TextBox, 720, 880, 1375, 330, nullptr, "VB color code", Align::Center},
    {"Label2", Kind::Label, 200, 1320, 120, 195, "R", nullptr, Align::Left, RGBColor(255, 0, 0)},
    {"txtR", Kind::TextBox, 320, 1320, 400, 195, nullptr, "Red value", Align::Center},
    {"Label3", Kind::Label, 920, 1320, 120, 195, "G", nullptr, Align::Left, RGBColor(0, 192, 0)},
    {"txtG", Kind::TextBox, 1040, 1320, 400, 195, nullptr, "Green value", Align::Center},
    {"Label4", Kind::Label, 1560, 1320, 120, 195, "B", nullptr, Align::Left, RGBColor(0, 0, 255)},
    {"txtB", Kind::TextBox, 1680, 1320, 400, 195, nullptr, "Blue value", Align::Center},
};
const int kMainLayoutCount = sizeof kMainLayout / sizeof kMainLayout[0];

} // namespace hv::forms

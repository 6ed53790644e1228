#include "frm_main_layout.h"
#include "../assets/asset_ids.h"

namespace hv::forms {

using rt::Align;

namespace {
constexpr ColorValue kWhite = RGBColor(255, 255, 255);
constexpr ColorValue kFavoriteBlue = 0x00BB7C67;
} // namespace

// Positions in twips from the window's inner top-left corner. The picture holders and the
// two hidden fields lie below the window's height and are never seen.
const ControlRow kMainLayout[] = {
    {"Label5", Kind::Label, 0, 45, 5055, 255, "   VB 6 Huevista", nullptr,
     {.foreColor = kWhite, .bold = true}},
    {"picMinimize", Kind::PictureBox, 5080, 80, 210, 180, nullptr, "Minimize", {.border = false}},
    {"picClose", Kind::PictureBox, 5340, 80, 210, 180, nullptr, "Close", {.border = false}},
    {"picColorBW", Kind::PictureBox, 160, 480, 500, 330, nullptr, "Quick grey scale palette"},
    {"picColors", Kind::PictureBox, 720, 480, 3170, 330, nullptr, "Quick color palette"},
    {"picBasicCol", Kind::PictureBox, 3960, 480, 1515, 1140, nullptr, "Standard palette"},
    {"picCurrentCol", Kind::PictureBox, 160, 880, 500, 330, nullptr,
     "Current color preview, Click to modify, Right-click for the color in code"},
    {"txtColorCode", Kind::TextBox, 720, 880, 1375, 330, nullptr, "VB color code",
     {.alignment = Align::Center, .font = "Courier New", .fontSize = 9}},
    {"cmdInsert", Kind::SkinButton, 2160, 880, 420, 330, nullptr, nullptr, {.face = IDB_INSERT_UP}},
    {"cmdCopy", Kind::SkinButton, 2600, 880, 420, 330, nullptr, nullptr, {.face = IDB_COPY_UP}},
    {"cmdCapture", Kind::SkinButton, 3030, 880, 420, 330, nullptr, "Capture colors around your screen",
     {.face = IDB_CAPTURE_UP}},
    {"cmdAbout", Kind::SkinButton, 3460, 880, 420, 330, nullptr, "About VB 6 Huevista",
     {.face = IDB_ABOUT_UP}},
    {"Label2", Kind::Label, 200, 1320, 120, 195, "R", nullptr, {.foreColor = RGBColor(255, 0, 0)}},
    {"txtR", Kind::TextBox, 320, 1320, 400, 195, nullptr, "Red value", {.alignment = Align::Center}},
    {"Label3", Kind::Label, 920, 1320, 120, 195, "G", nullptr, {.foreColor = RGBColor(0, 192, 0)}},
    {"txtG", Kind::TextBox, 1040, 1320, 400, 195, nullptr, "Green value", {.alignment = Align::Center}},
    {"Label4", Kind::Label, 1560, 1320, 120, 195, "B", nullptr, {.foreColor = RGBColor(0, 0, 255)}},
    {"txtB", Kind::TextBox, 1680, 1320, 400, 195, nullptr, "Blue value", {.alignment = Align::Center}},
    {"cmdRGBMenu", Kind::SkinButton, 2180, 1320, 1680, 210, nullptr, nullptr, {.face = IDB_RGBMENU_UP}},
    {"Label1", Kind::Label, 200, 1720, 1335, 255, "Favorite colors", nullptr,
     {.foreColor = kFavoriteBlue, .font = "Arial", .fontSize = 9}},
    {"CC(0)", Kind::Swatch, 1440, 1710, 240, 225, nullptr, nullptr},
    {"CC(1)", Kind::Swatch, 1680, 1710, 240, 225, nullptr, nullptr},
    {"CC(2)", Kind::Swatch, 1920, 1710, 240, 225, nullptr, nullptr},
    {"CC(3)", Kind::Swatch, 2160, 1710, 240, 225, nullptr, nullptr},
    {"CC(4)", Kind::Swatch, 2400, 1710, 240, 225, nullptr, nullptr},
    {"CC(5)", Kind::Swatch, 2640, 1710, 240, 225, nullptr, nullptr},
    {"CC(6)", Kind::Swatch, 2880, 1710, 240, 225, nullptr, nullptr},
    {"CC(7)", Kind::Swatch, 3120, 1710, 240, 225, nullptr, nullptr},
    {"CC(8)", Kind::Swatch, 3360, 1710, 240, 225, nullptr, nullptr},
    {"CC(9)", Kind::Swatch, 3600, 1710, 240, 225, nullptr, nullptr},
    {"cmdInsertFav", Kind::SkinButton, 3950, 1710, 495, 240, nullptr, "Insert favorite color to codepane",
     {.face = IDB_INSERTFAV_UP}},
    {"cmdCopyFav", Kind::SkinButton, 4470, 1710, 495, 240, nullptr, "Copy favorite to clipboard",
     {.face = IDB_COPYFAV_UP}},
    {"cmdACFav", Kind::SkinButton, 4990, 1710, 495, 240, nullptr,
     "Add favorite color from \"Current color preview\"", {.face = IDB_ACFAV_UP}},
    {"txtTempFav", Kind::TextBox, 5160, 2640, 150, 285, nullptr, nullptr, {.visible = false}},
    {"txtIndex", Kind::TextBox, 5280, 2640, 150, 285, nullptr, nullptr, {.visible = false}},
    {"closeNorm", Kind::PictureBox, 600, 3000, 210, 180, nullptr, nullptr, {.border = false}},
    {"closeDown", Kind::PictureBox, 600, 3240, 210, 180, nullptr, nullptr, {.border = false}},
    {"minNorm", Kind::PictureBox, 960, 3000, 210, 180, nullptr, nullptr, {.border = false}},
    {"minDown", Kind::PictureBox, 960, 3240, 210, 180, nullptr, nullptr, {.border = false}},
};
const int kMainLayoutCount = sizeof kMainLayout / sizeof kMainLayout[0];

} // namespace hv::forms

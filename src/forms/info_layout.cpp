#include "info_layout.h"
#include "../assets/asset_ids.h"
#include "version.h"
#include <iterator>

namespace hv::forms {

namespace {
constexpr ColorValue kWhite = RGBColor(255, 255, 255);
constexpr ColorValue kTitleInk = RGBColor(0x2F, 0x4A, 0x8C);
constexpr ColorValue kLinkInk = RGBColor(0x20, 0x50, 0xC0);
} // namespace

// Positions in twips from the window's inner top-left corner.
// clang-format off
const ControlRow kAboutLayout[] = {
    {"Label3", Kind::Label, 0, 45, 5625, 255, "   ABOUT", nullptr, {.foreColor = kWhite, .bold = true}},
    {"Image2", Kind::PictureBox, 180, 450, 480, 480, nullptr, nullptr, {.border = false}},
    {"Label2", Kind::Label, 810, 465, 4600, 255, "VB 6 Huevista  " HV_ABOUT_VERSION, nullptr,
     {.foreColor = kTitleInk, .bold = true}},
    {"lblDonat", Kind::Label, 810, 765, 1200, 255, "This Program is:", nullptr},
    {"Image3", Kind::PictureBox, 2010, 705, 1740, 300, nullptr, "What is a \"Givesome\" ?",
     {.border = false}},
    {"Label6", Kind::Label, 2010, 1080, 2700, 255, "Why Support Givesome ?", nullptr,
     {.foreColor = kLinkInk}},
    {"Label4", Kind::Label, 180, 1395, 5265, 600,
     "Pick a color from the palettes, the color dialog or anywhere on the screen, then copy "
     "its VB color code or RGB values, or add them to the end of the code pane's current line.",
     nullptr},
    {"Label5", Kind::Label, 180, 2010, 5265, 390,
     "Your 10 favorite colors are kept in the registry under "
     "HKEY_LOCAL_MACHINE\\Software\\Lumo\\ColorValues.",
     nullptr},
    {"Label1", Kind::Label, 180, 2580, 870, 255, "Created by:", nullptr},
    {"Image1", Kind::PictureBox, 1050, 2460, 2175, 435, nullptr, nullptr, {.border = false}},
    {"TransSkinButton1", Kind::SkinButton, 3450, 2505, 960, 330, nullptr, nullptr, {.face = IDB_WEB_UP}},
    {"cmdOk", Kind::SkinButton, 4680, 2505, 720, 330, nullptr, nullptr, {.face = IDB_OK_UP}},
};

const ControlRow kSupportLayout[] = {
    {"Picture1", Kind::PictureBox, 120, 120, 5325, 4740, nullptr, nullptr, {.border = false}},
    {"Image1", Kind::PictureBox, 5550, 120, 480, 480, nullptr, nullptr, {.border = false}},
    {"Image4", Kind::PictureBox, 120, 5040, 1140, 300, nullptr, nullptr, {.border = false}},
    {"Command1", Kind::CommandButton, 4890, 5010, 1125, 375, "OK", nullptr},
};

const ControlRow kDonateInfoLayout[] = {
    {"Picture1", Kind::PictureBox, 120, 120, 5325, 4740, nullptr, nullptr, {.border = false}},
    {"Image1", Kind::PictureBox, 120, 5025, 1140, 300, nullptr, nullptr, {.border = false}},
    {"cmdOk", Kind::SkinButton, 4725, 5010, 720, 330, nullptr, nullptr, {.face = IDB_OK_UP}},
};
// clang-format on

const int kAboutLayoutCount = static_cast<int>(std::size(kAboutLayout));
const int kSupportLayoutCount = static_cast<int>(std::size(kSupportLayout));
const int kDonateInfoLayoutCount = static_cast<int>(std::size(kDonateInfoLayout));

} // namespace hv::forms

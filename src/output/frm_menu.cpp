#include "frm_menu.h"
#include "../runtime/text_box.h"

namespace hv::output {

namespace {

const rt::MenuSpec kMenu[] = {
    {1, "mnuPop", "Pop"},
    {2, "mnuI", "Insert"},
    {3, "mnuIr", "Red"},
    {3, "mnuIG", "Green"},
    {3, "mnuIB", "Blue"},
    {3, "mnuIrgb", "RedGreenBlue"},
    {3, "mnuIrgbWOParentes", "Red, Green, Blue"},
    {3, "mnuIRGBComma", "RGB(Red, Green, Blue)"},
    {2, "Sep", "-"},
    {2, "mnuC", "Copy"},
    {3, "mnuCR", "Red"},
    {3, "mnuCG", "Green"},
    {3, "mnuCB", "Blue"},
    {3, "mnuCRGB", "RedGreenBlue"},
    {3, "mnuCrgbWOParentes", "Red, Green, Blue"},
    {3, "mnuCRGBComma", "RGB(Red, Green, Blue)"},
};

struct Command {
    const char* item;
    ComponentFormat format;
    bool insert;
};

const Command kCommands[] = {
    {"mnuIr", ComponentFormat::Red, true},
    {"mnuIG", ComponentFormat::Green, true},
    {"mnuIB", ComponentFormat::Blue, true},
    {"mnuIrgb", ComponentFormat::Joined, true},
    {"mnuIrgbWOParentes", ComponentFormat::CommaList, true},
    {"mnuIRGBComma", ComponentFormat::RgbCall, true},
    {"mnuCR", ComponentFormat::Red, false},
    {"mnuCG", ComponentFormat::Green, false},
    {"mnuCB", ComponentFormat::Blue, false},
    {"mnuCRGB", ComponentFormat::Joined, false},
    {"mnuCrgbWOParentes", ComponentFormat::CommaList, false},
    {"mnuCRGBComma", ComponentFormat::RgbCall, false},
};

} // namespace

frmMenu::frmMenu(ComponentSources sources, Delivery insert, Delivery copy)
    : sources_(sources), insert_(std::move(insert)), copy_(std::move(copy)) {}

void frmMenu::Load() {
    if (!menu_) menu_ = std::make_unique<rt::PopupMenu>(kMenu, static_cast<int>(std::size(kMenu)));
}

void frmMenu::PopupAt(HWND owner, POINT pt) {
    Load();
    const std::string chosen = menu_->Track(owner, pt);
    if (!chosen.empty()) Click(chosen);
}

void frmMenu::Click(const std::string& item) {
    for (const Command& c : kCommands) {
        if (item != c.item) continue;
        // Read in the order red, green, blue, at the moment of the command.
        const std::string r = sources_.txtR.Text();
        const std::string g = sources_.txtG.Text();
        const std::string b = sources_.txtB.Text();
        const std::string text = FormatComponents(c.format, r, g, b);
        (c.insert ? insert_ : copy_)(text);
        Unload();
        return;
    }
}

} // namespace hv::output

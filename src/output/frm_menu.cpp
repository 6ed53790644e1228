#include "frm_menu.h"
#include "../runtime/text_box.h"
#include <vector>

namespace hv::output {

namespace {

enum class Action { None, Insert, Copy };

// The menu's rows, and what each command item delivers.
struct Item {
    rt::MenuRow row;
    ComponentFormat format = ComponentFormat::Red;
    Action action = Action::None;
};

const Item kItems[] = {
    {{1, "mnuPop", "Pop"}},
    {{2, "mnuI", "Insert"}},
    {{3, "mnuIr", "Red"}, ComponentFormat::Red, Action::Insert},
    {{3, "mnuIG", "Green"}, ComponentFormat::Green, Action::Insert},
    {{3, "mnuIB", "Blue"}, ComponentFormat::Blue, Action::Insert},
    {{3, "mnuIrgb", "RedGreenBlue"}, ComponentFormat::Joined, Action::Insert},
    {{3, "mnuIrgbWOParentes", "Red, Green, Blue"}, ComponentFormat::CommaList, Action::Insert},
    {{3, "mnuIRGBComma", "RGB(Red, Green, Blue)"}, ComponentFormat::RgbCall, Action::Insert},
    {{2, "Sep", "-"}},
    {{2, "mnuC", "Copy"}},
    {{3, "mnuCR", "Red"}, ComponentFormat::Red, Action::Copy},
    {{3, "mnuCG", "Green"}, ComponentFormat::Green, Action::Copy},
    {{3, "mnuCB", "Blue"}, ComponentFormat::Blue, Action::Copy},
    {{3, "mnuCRGB", "RedGreenBlue"}, ComponentFormat::Joined, Action::Copy},
    {{3, "mnuCrgbWOParentes", "Red, Green, Blue"}, ComponentFormat::CommaList, Action::Copy},
    {{3, "mnuCRGBComma", "RGB(Red, Green, Blue)"}, ComponentFormat::RgbCall, Action::Copy},
};

} // namespace

frmMenu::frmMenu(ComponentSources sources, Delivery insert, Delivery copy)
    : sources_(sources), insert_(std::move(insert)), copy_(std::move(copy)) {}

void frmMenu::Load() {
    if (menu_) return;
    std::vector<rt::MenuRow> rows;
    for (const Item& i : kItems)
        rows.push_back(i.row);
    menu_ = std::make_unique<rt::PopupMenu>(rows.data(), static_cast<int>(rows.size()));
}

void frmMenu::PopupAt(HWND owner, POINT pt) {
    Load();
    const std::string chosen = menu_->Track(owner, pt);
    if (!chosen.empty()) Click(chosen);
}

void frmMenu::Click(const std::string& item) {
    for (const Item& c : kItems) {
        if (c.action == Action::None || item != c.row.name) continue;
        // Read in the order red, green, blue, at the moment of the command.
        const std::string r = sources_.txtR.Text();
        const std::string g = sources_.txtG.Text();
        const std::string b = sources_.txtB.Text();
        const std::string text = FormatComponents(c.format, r, g, b);
        (c.action == Action::Insert ? insert_ : copy_)(text);
        Unload();
        return;
    }
}

} // namespace hv::output

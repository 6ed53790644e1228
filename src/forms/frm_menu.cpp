#include "frm_menu.h"
#include "../core/format_template.h"
#include "../core/office_formats.h"
#include "../core/stored_text.h"
#include "../runtime/text_box.h"
#include "../store/own_formats.h"
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
    {{2, "SepFormats", "-"}},
    {{2, "mnuEditFormats", "Edit formats..."}},
};

// The user's formats take the ids below the rows': Insert from 1, Copy from kCopyIds + 1;
// Office's from kOfficeIds + 1 (Insert) and kOfficeIds + kOfficeCopy + 1 (Copy).
constexpr UINT kCopyIds = kMaxFormats;
constexpr UINT kOfficeIds = 2 * kCopyIds, kOfficeCopy = 8;

// The colour of the fields, when each is a number 0 to 255.
std::optional<ColorValue> FieldsColour(const ComponentSources& s) {
    int rgb[3] = {};
    rt::TextBox* fields[] = {&s.txtR, &s.txtG, &s.txtB};
    for (int i = 0; i < 3; ++i) {
        const auto v = ParseVbLong(fields[i]->Text());
        if (!v || *v < 0 || *v > 255) return std::nullopt;
        rgb[i] = *v;
    }
    return RGBColor(rgb[0], rgb[1], rgb[2]);
}

} // namespace

frmMenu::frmMenu(ComponentSources sources, Delivery insert, Delivery copy)
    : sources_(sources), insert_(std::move(insert)), copy_(std::move(copy)) {}

void frmMenu::Load() {
    if (menu_) return;
    std::vector<rt::MenuRow> rows;
    for (const Item& i : kItems)
        rows.push_back(i.row);
    menu_ = std::make_unique<rt::PopupMenu>(rows.data(), static_cast<int>(rows.size()));
    formats_ = LoadFormats();
    for (int sub : {0, 2}) {
        HMENU into = GetSubMenu(menu_->handle(), sub);
        if (!formats_.empty()) AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        for (UINT i = 0; i < formats_.size(); ++i)
            AppendMenuA(into, MF_STRING, (sub ? kCopyIds : 0) + i + 1,
                        LiteralMenuText(formats_[i]).c_str());
        const auto colour = FieldsColour(sources_);
        const auto office = colour ? OfficeFormats(shownHost_, *colour) : std::vector<OfficeFormat>{};
        if (!office.empty()) AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        for (UINT i = 0; i < office.size(); ++i)
            AppendMenuA(into, MF_STRING, kOfficeIds + (sub ? kOfficeCopy : 0) + i + 1,
                        LiteralMenuText(office[i].caption).c_str());
    }
}

void frmMenu::PopupAt(HWND owner, POINT pt) {
    // Office's items show the colour of the moment: the menu is built afresh for them.
    const OfficeHost host = host_ ? host_() : OfficeHost::None;
    if (host != shownHost_ || host != OfficeHost::None) Unload();
    shownHost_ = host;
    Load();
    const UINT id = menu_->TrackId(owner, pt);
    if (id >= 1 && id <= 2 * kCopyIds) return ClickFormat((id - 1) % kCopyIds, id > kCopyIds);
    if (id > kOfficeIds && id <= kOfficeIds + 2 * kOfficeCopy)
        return ClickOfficeFormat((id - kOfficeIds - 1) % kOfficeCopy, id > kOfficeIds + kOfficeCopy);
    const std::string chosen = menu_->NameOf(id);
    if (!chosen.empty()) Click(chosen);
}

void frmMenu::ClickFormat(std::size_t index, bool copy) {
    if (index >= formats_.size()) return;
    const auto colour = FieldsColour(sources_);
    if (!colour) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    const std::string text = ExpandTemplate(formats_[index], *colour, GetACP());
    (copy ? copy_ : insert_)(text);
    Unload();
}

void frmMenu::ClickOfficeFormat(std::size_t index, bool copy) {
    if (!menu_) shownHost_ = host_ ? host_() : OfficeHost::None;
    const auto colour = FieldsColour(sources_);
    const auto office = colour ? OfficeFormats(shownHost_, *colour) : std::vector<OfficeFormat>{};
    if (index >= office.size()) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    (copy ? copy_ : insert_)(office[index].code);
    Unload();
}

void frmMenu::Click(const std::string& item) {
    if (item == "mnuEditFormats") {
        Unload(); // read afresh after the edit
        if (OnEditFormats) OnEditFormats();
        return;
    }
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

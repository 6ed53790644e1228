#include "code_menu.h"
#include "../core/format_template.h"
#include <algorithm>

namespace hv::output {

namespace {
const rt::MenuRow kRows[] = {
    {1, "mnuCode", "Code"},
    {2, "mnuFromCode", "Color from code"},
    {2, "mnuReplaceInCode", "Replace color in code"},
    {2, "mnuProjectColours", "Project colors..."},
};
} // namespace

CodeMenu::CodeMenu(std::function<void()> fromCode, std::function<void()> replaceInCode,
                   std::function<void()> projectColours)
    : fromCode_(std::move(fromCode)), replaceInCode_(std::move(replaceInCode)),
      projectColours_(std::move(projectColours)),
      menu_(kRows, static_cast<int>(std::size(kRows))) {
    recent_ = CreatePopupMenu();
    AppendMenuA(menu_.handle(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu_.handle(), MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(recent_),
                "Recent colors");
}

void CodeMenu::FillRecent(const RecentColours& colours) {
    while (DeleteMenu(recent_, 0, MF_BYPOSITION)) {
    }
    shown_.assign(colours.begin(), colours.begin() + std::min(colours.size(), kRecentMax));
    for (UINT i = 0; i < shown_.size(); ++i) {
        std::string text = LiteralMenuText(ColorCodeText(shown_[i]));
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        mi.wID = i + 1; // below the rows' ids
        mi.dwTypeData = text.data();
        mi.hbmpItem = HBMMENU_CALLBACK; // drawn by the owner: a swatch
        mi.dwItemData = static_cast<ULONG_PTR>(shown_[i]);
        InsertMenuItemA(recent_, i, TRUE, &mi);
    }
    EnableMenuItem(menu_.handle(), GetMenuItemCount(menu_.handle()) - 1,
                   MF_BYPOSITION | (shown_.empty() ? MF_GRAYED : MF_ENABLED));
}

ColorValue CodeMenu::PopupAt(HWND owner, POINT pt) {
    // The form items, read afresh each time, go after the code rows and away again (their
    // submenus with them).
    HMENU popup = menu_.handle();
    const int rows = 2, count = GetMenuItemCount(popup);
    if (forms_) forms_->AppendTo(popup, rows);
    const UINT id = menu_.TrackId(owner, pt);
    while (GetMenuItemCount(popup) > count)
        DeleteMenu(popup, rows, MF_BYPOSITION);
    if (forms_ && forms_->Choose(id)) return -1;
    if (id >= 1 && id <= shown_.size()) return shown_[id - 1];
    const std::string chosen = menu_.NameOf(id);
    if (!chosen.empty()) Click(chosen);
    return -1;
}

void CodeMenu::Click(const std::string& item) {
    if (item == "mnuFromCode") fromCode_();
    if (item == "mnuReplaceInCode") replaceInCode_();
    if (item == "mnuProjectColours" && projectColours_) projectColours_();
}

} // namespace hv::output

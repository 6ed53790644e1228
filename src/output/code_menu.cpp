#include "code_menu.h"

namespace hv::output {

namespace {
const rt::MenuRow kRows[] = {
    {1, "mnuCode", "Code"},
    {2, "mnuFromCode", "Color from code"},
    {2, "mnuReplaceInCode", "Replace color in code"},
};
} // namespace

CodeMenu::CodeMenu(std::function<void()> fromCode, std::function<void()> replaceInCode)
    : fromCode_(std::move(fromCode)), replaceInCode_(std::move(replaceInCode)),
      menu_(kRows, static_cast<int>(std::size(kRows))) {}

void CodeMenu::PopupAt(HWND owner, POINT pt) {
    HMENU popup = menu_.handle();
    const int own = GetMenuItemCount(popup);
    if (forms_) forms_->AppendTo(popup);
    const UINT id = menu_.TrackId(owner, pt);
    // The form items are read afresh each time: they go again (their submenus with them).
    while (popup && GetMenuItemCount(popup) > own)
        DeleteMenu(popup, own, MF_BYPOSITION);
    if (forms_ && forms_->Choose(id)) return;
    const std::string chosen = menu_.NameOf(id);
    if (!chosen.empty()) Click(chosen);
}

void CodeMenu::Click(const std::string& item) {
    if (item == "mnuFromCode") fromCode_();
    if (item == "mnuReplaceInCode") replaceInCode_();
}

} // namespace hv::output

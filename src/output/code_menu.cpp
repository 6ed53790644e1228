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
    const std::string chosen = menu_.Track(owner, pt);
    if (!chosen.empty()) Click(chosen);
}

void CodeMenu::Click(const std::string& item) {
    if (item == "mnuFromCode") fromCode_();
    if (item == "mnuReplaceInCode") replaceInCode_();
}

} // namespace hv::output

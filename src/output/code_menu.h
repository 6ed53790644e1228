// The preview's right-click menu: the colour in code, read or written back.
#pragma once
#include "../runtime/popup_menu.h"
#include "form_colours.h"
#include <functional>
#include <string>

namespace hv::output {

class CodeMenu {
  public:
    CodeMenu(std::function<void()> fromCode, std::function<void()> replaceInCode);

    // Shows the popup at `pt` (screen pixels) and runs the chosen item; a dismissed menu does
    // nothing.
    void PopupAt(HWND owner, POINT pt);
    // Runs the item with this name (mnuFromCode, mnuReplaceInCode).
    void Click(const std::string& item);
    const rt::PopupMenu& menu() const { return menu_; }
    // The selected controls' colours, after the code items; none without this.
    void SetFormColours(FormColours* forms) { forms_ = forms; }

  private:
    std::function<void()> fromCode_, replaceInCode_;
    FormColours* forms_ = nullptr;
    rt::PopupMenu menu_;
};

} // namespace hv::output

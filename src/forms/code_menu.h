// The preview's right-click menu: the colour in code, read or written back.
#pragma once
#include "../core/recent_colours.h"
#include "../runtime/popup_menu.h"
#include "../ide/form_colours.h"
#include <functional>
#include <string>

namespace hv::output {

class CodeMenu {
  public:
    CodeMenu(std::function<void()> fromCode, std::function<void()> replaceInCode,
             std::function<void()> projectColours = {});

    // Shows the popup at `pt` (screen pixels) and runs the chosen item; a dismissed menu does
    // nothing. A recent colour chosen is returned, for the caller to make current; else -1.
    ColorValue PopupAt(HWND owner, POINT pt);
    // Runs the item with this name (mnuFromCode, mnuReplaceInCode, mnuProjectColours).
    void Click(const std::string& item);
    const rt::PopupMenu& menu() const { return menu_; }
    // The selected controls' colours, after the code items; none without this.
    void SetFormColours(FormColours* forms) { forms_ = forms; }

    // The last item, "Recent colors": a swatch and the code text of each colour, greyed while
    // there is none. Filled before the menu opens; its owner draws the swatches (a form does).
    void FillRecent(const RecentColours& colours);
    HMENU recentMenu() const { return recent_; }

  private:
    std::function<void()> fromCode_, replaceInCode_, projectColours_;
    FormColours* forms_ = nullptr;
    rt::PopupMenu menu_;
    HMENU recent_ = nullptr; // destroyed with menu_
    RecentColours shown_;
};

} // namespace hv::output

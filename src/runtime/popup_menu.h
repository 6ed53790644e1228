// A menu tree declared as data, shown as a popup at a screen point.
#pragma once
#include "handles.h"
#include <string>
#include <vector>

namespace hv::rt {

struct MenuRow {
    int level; // 1 is the root, whose children the popup shows
    const char* name;
    const char* caption; // "-" is a separator line
};

class PopupMenu {
  public:
    PopupMenu(const MenuRow* rows, int count);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Shows the root's children with the menu's left edge at `pt`, items reacting to the left
    // button; returns the name of the chosen item, or "" when the menu was dismissed.
    std::string Track(HWND owner, POINT pt) { return NameOf(TrackId(owner, pt)); }
    // The same as the chosen item's id, 0 when dismissed. Rows have ids from kFirstRowId on;
    // items that a caller adds of its own take ids below.
    static constexpr UINT kFirstRowId = 100;
    UINT TrackId(HWND owner, POINT pt);
    std::string NameOf(UINT id) const;
    HMENU handle() const { return popup_; }

  private:
    std::vector<MenuRow> rows_;
    UniqueMenu root_; // destroys the submenus with it
    HMENU popup_ = nullptr;
};

// Items whose picture is a swatch of a colour: HBMMENU_CALLBACK, with the colour as the
// item's data. The menu's owner hands its WM_MEASUREITEM and WM_DRAWITEM for menus here: a
// square as tall as a check mark at the screen's DPI, in a grey frame. Drawn by the owner
// because a menu inverts the colours of an item's own bitmap while it is highlighted.
bool MenuSwatchMessage(UINT msg, LPARAM lp);

} // namespace hv::rt

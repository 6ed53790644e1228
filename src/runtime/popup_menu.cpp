#include "popup_menu.h"
#include "screen.h"

namespace hv::rt {

PopupMenu::PopupMenu(const MenuRow* rows, int count) : rows_(rows, rows + count) {
    // parents[level] is the menu that items of that level go into.
    std::vector<HMENU> parents(8, nullptr);
    root_.reset(CreateMenu());
    parents[1] = root_.get();
    for (int i = 0; i < count; ++i) {
        const MenuRow& s = rows[i];
        if (s.level < 1 || s.level >= static_cast<int>(parents.size()) - 1) continue;
        const bool hasChildren = i + 1 < count && rows[i + 1].level > s.level;
        HMENU into = s.level == 1 ? nullptr : parents[s.level - 1];
        if (hasChildren) {
            UniqueMenu made(CreatePopupMenu());
            HMENU sub = made.get();
            // Once appended, the submenu goes with its parent.
            if (!sub || !AppendMenuA(into ? into : root_.get(), MF_POPUP | MF_STRING,
                                     reinterpret_cast<UINT_PTR>(sub), s.caption)) {
                parents[s.level] = nullptr; // its items have nowhere to go
                continue;
            }
            made.release();
            parents[s.level] = sub;
            if (s.level == 1 && !popup_) popup_ = sub;
        } else if (into) {
            if (std::string(s.caption) == "-")
                AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuA(into, MF_STRING, kFirstRowId + i, s.caption);
        }
    }
}

PopupMenu::~PopupMenu() = default;

UINT PopupMenu::TrackId(HWND owner, POINT pt) {
    if (!popup_) return 0;
    // The owner must be in the foreground, or the menu neither gets the keyboard nor closes
    // on a click elsewhere; the posted null message lets it close cleanly afterwards.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenuEx(
        popup_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, pt.x,
        pt.y, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return id;
}

std::string PopupMenu::NameOf(UINT id) const {
    if (id < kFirstRowId || id - kFirstRowId >= rows_.size()) return {};
    return rows_[id - kFirstRowId].name;
}

bool MenuSwatchMessage(UINT msg, LPARAM lp) {
    const int side = MulDiv(12, ScreenDpiY(), 96);
    if (msg == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType != ODT_MENU) return false;
        m->itemWidth = side + side / 3; // a gap before the item's text
        m->itemHeight = side;
        return true;
    }
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (d->CtlType != ODT_MENU) return false;
    const int top = (d->rcItem.top + d->rcItem.bottom - side) / 2;
    RECT r{d->rcItem.left, top, d->rcItem.left + side, top + side};
    const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    for (COLORREF c : {GetSysColor(COLOR_GRAYTEXT), static_cast<COLORREF>(d->itemData)}) {
        SetDCBrushColor(d->hDC, c);
        FillRect(d->hDC, &r, brush);
        InflateRect(&r, -1, -1);
    }
    return true;
}

} // namespace hv::rt

#include "list_box.h"
#include "form.h"
#include <oleacc.h>

namespace hv::rt {

ListBox::ListBox(Form& form, std::string name, double left, double top, double width,
                 double height)
    : Control(form, std::move(name), left, top, width, height) {
    AttachChild("LISTBOX", WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                               LBS_NOINTEGRALHEIGHT);
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form.DefaultFont()), FALSE);
    // A row as high as the font's text and a little air.
    TEXTMETRICA tm{};
    HDC dc = GetDC(hwnd());
    HGDIOBJ was = SelectObject(dc, form.DefaultFont());
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, was);
    ReleaseDC(hwnd(), dc);
    SendMessageA(hwnd(), LB_SETITEMHEIGHT, 0, tm.tmHeight + 4);
    AccRole = ROLE_SYSTEM_LIST;
}

void ListBox::Clear() {
    SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
}

void ListBox::AddItem(LPARAM data, int index) {
    SendMessageA(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(index), data);
}

void ListBox::RemoveItem(int index) {
    SendMessageA(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int ListBox::ListCount() const {
    return static_cast<int>(SendMessageA(hwnd(), LB_GETCOUNT, 0, 0));
}

int ListBox::ListIndex() const {
    return static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0));
}

void ListBox::SetListIndex(int index) {
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

LPARAM ListBox::ItemData(int index) const {
    return SendMessageA(hwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

LRESULT ListBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK)
        press_ = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    return Control::HandleMessage(msg, wp, lp);
}

void ListBox::Command(WORD code) {
    if (code == LBN_SELCHANGE && OnClick) OnClick();
    if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
}

void ListBox::DrawItem(const DRAWITEMSTRUCT& d) {
    if (static_cast<int>(d.itemID) < 0 || !OnDrawItem) return;
    OnDrawItem(d.hDC, d.rcItem, static_cast<int>(d.itemID), d.itemState & ODS_SELECTED);
    if (d.itemState & ODS_FOCUS) DrawFocusRect(d.hDC, &d.rcItem);
}

} // namespace hv::rt

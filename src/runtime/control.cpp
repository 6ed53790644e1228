#include "control.h"
#include "../core/units.h"
#include "form.h"
#include "module.h"
#include <oleacc.h>
#include <vector>

namespace hv::rt {

Control::Control(Form& form, std::string name, double left, double top, double width, double height)
    : form_(form), name_(std::move(name)), left_(left), top_(top), width_(width), height_(height) {}

RECT Control::PixelRect() const {
    const int tx = form_.TwipsPerPixelX(), ty = form_.TwipsPerPixelY();
    RECT r;
    r.left = TwipsToPixels(left_, tx);
    r.top = TwipsToPixels(top_, ty);
    r.right = r.left + TwipsToPixels(width_, tx);
    r.bottom = r.top + TwipsToPixels(height_, ty);
    return r;
}

bool Control::CreateChild(const char* className, DWORD style, DWORD exStyle) {
    const RECT r = PixelRect();
    return CreateHandle(exStyle, className, "", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, form_.hwnd());
}

bool Control::AttachChild(const char* systemClass, DWORD style, DWORD exStyle) {
    const RECT r = PixelRect();
    return Attach(CreateWindowExA(exStyle, systemClass, "", WS_CHILD | WS_VISIBLE | style, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, form_.hwnd(), nullptr,
                                  ThisModule(), nullptr));
}

void Control::Move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    const RECT r = PixelRect();
    if (hwnd())
        SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

double Control::ScaleWidth() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return PixelsToTwips(r.right, form_.TwipsPerPixelX());
}

double Control::ScaleHeight() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return PixelsToTwips(r.bottom, form_.TwipsPerPixelY());
}

void Control::SetToolTipText(const std::string& text) {
    tip_ = text;
    form_.SetToolTip(hwnd(), tip_);
}

void Control::SetVisible(bool visible) {
    if (hwnd()) ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const {
    return hwnd() && IsWindowVisible(hwnd());
}

void Control::SetEnabled(bool enabled) {
    if (hwnd()) EnableWindow(hwnd(), enabled);
}

bool Control::Enabled() const {
    return hwnd() && IsWindowEnabled(hwnd());
}

void Control::SetFocus() {
    if (hwnd() && !HasFocus()) ::SetFocus(hwnd());
}

void Control::SetContainer(const Window& container) {
    if (!hwnd() || !container.hwnd()) return;
    SetParent(hwnd(), container.hwnd());
    const RECT r = PixelRect();
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The tooltip learns of the pointer from here rather than by subclassing the control, which
// under Wine costs a window-server round trip on every message the control gets.
void Control::SeeMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (!tip_.empty()) form_.RelayToolTip(hwnd(), msg, wp, lp);
}

void Control::DrawFocusCue(HDC dc, RECT r) const {
    if (!HasFocus()) return;
    const int tpp = form_.TwipsPerPixelX(), width = (15 + tpp / 2) / tpp;
    // Dots that invert what is under them show on any colour; the colours are fixed so that
    // the inversion is the same on every system.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    for (int i = 0; i < width; ++i) {
        DrawFocusRect(dc, &r);
        InflateRect(&r, -1, -1);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

void Control::DropKeyChar() const {
    MSG m;
    PeekMessageA(&m, hwnd(), WM_CHAR, WM_CHAR, PM_REMOVE);
}

void Control::Describe(AccDescription& d) const {
    d.role = AccRole;
    d.name = tip_;
    if (AccHooks) AccHooks->Describe(*this, d);
    if (HasFocus()) d.state |= STATE_SYSTEM_FOCUSED;
    if (!Enabled()) d.state |= STATE_SYSTEM_UNAVAILABLE;
    if (!Visible()) d.state |= STATE_SYSTEM_INVISIBLE;
    if (form_.InTabOrder(this) && tabStop_) d.state |= STATE_SYSTEM_FOCUSABLE;
}

// The IDE's message loop calls no IsDialogMessage for the add-in's windows, so each control
// takes Tab itself and hands it to its form. Should a host call it after all, the control
// asks for Tab and the arrows, so that they still come here.
LRESULT Control::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY:
        // The form's tooltip window outlives its controls: drop this one's entry with it.
        if (!tip_.empty()) form_.SetToolTip(hwnd(), "");
        break;
    case WM_GETDLGCODE:
        if (form_.InTabOrder(this))
            return Window::HandleMessage(msg, wp, lp) | DLGC_WANTTAB | DLGC_WANTARROWS;
        break;
    case WM_KEYDOWN: {
        const short shift = ShiftState();
        if (wp == VK_TAB && form_.InTabOrder(this)) {
            form_.TabFrom(this, shift & 1);
            return 0;
        }
        if (KeyHooks) {
            DropKeyChar(); // before the key acts: it may open a menu or dialog
            if (KeyHooks->KeyDown(*this, static_cast<int>(wp), shift)) return 0;
        }
        break;
    }
    case WM_CHAR:
        // The Tab character is the move's, not the control's (an edit would beep).
        if (wp == '\t' && form_.InTabOrder(this)) return 0;
        break;
    case WM_GETOBJECT:
        if (AccRole)
            if (const LRESULT r = AnswerGetObject(hwnd(), wp, lp)) return r;
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

std::string Control::WindowText() const {
    const int n = GetWindowTextLengthA(hwnd());
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    GetWindowTextA(hwnd(), buf.data(), n + 1);
    return std::string(buf.data());
}

void Control::ReplaceWindowText(const std::string& text) {
    SetWindowTextA(hwnd(), text.c_str());
}

} // namespace hv::rt

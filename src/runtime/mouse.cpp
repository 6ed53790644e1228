#include "mouse.h"
#include <windowsx.h>

namespace hv::rt {

short ButtonsHeld(WPARAM wp) {
    short b = 0;
    if (wp & MK_LBUTTON) b |= vbLeftButton;
    if (wp & MK_RBUTTON) b |= vbRightButton;
    if (wp & MK_MBUTTON) b |= vbMiddleButton;
    return b;
}

short ShiftState() {
    short s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= 1;
    if (GetKeyState(VK_CONTROL) < 0) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

short ButtonOfMessage(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return vbLeftButton;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return vbRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return vbMiddleButton;
    default: return 0;
    }
}

MouseEvent MakeMouseEvent(short button, LPARAM lp, int tppX, int tppY) {
    MouseEvent e;
    e.Button = button;
    e.Shift = ShiftState();
    e.X = static_cast<float>(GET_X_LPARAM(lp) * tppX);
    e.Y = static_cast<float>(GET_Y_LPARAM(lp) * tppY);
    return e;
}

ButtonMessage ClassifyButtonMessage(UINT msg, bool handlesDoubleClick) {
    switch (msg) {
    case WM_LBUTTONDBLCLK:
        return handlesDoubleClick ? ButtonMessage::DoubleClick : ButtonMessage::Press;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return ButtonMessage::Press;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return ButtonMessage::Release;
    default:
        return ButtonMessage::Other;
    }
}

void ClickTracker::Hold(HWND w) {
    SetCapture(w);
    holding_ = true;
}

void ClickTracker::Down(HWND w, UINT msg) {
    Hold(w);
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) leftPressed_ = true;
}

bool ClickTracker::Up(HWND, UINT msg, WPARAM wp, bool onControl) {
    const bool click = msg == WM_LBUTTONUP && leftPressed_ && onControl;
    if (msg == WM_LBUTTONUP) leftPressed_ = false;
    if (ButtonsHeld(wp) == 0 && holding_) {
        holding_ = false;
        ReleaseCapture();
    }
    return click;
}

void ClickTracker::CaptureChanged(HWND w, LPARAM lp) {
    if (reinterpret_cast<HWND>(lp) == w) return;
    leftPressed_ = false;
    holding_ = false;
}

} // namespace hv::rt

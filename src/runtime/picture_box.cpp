#include "picture_box.h"
#include "../core/units.h"
#include "form.h"
#include "system_colour.h"
#include <oleacc.h>

namespace hv::rt {

PictureBox::PictureBox(Form& form, std::string name, double left, double top, double width,
                       double height, bool border, const Window* container)
    : Control(form, std::move(name), left, top, width, height), back_(SystemColor(COLOR_BTNFACE)) {
    const char* cls = RegisterClassOnce("HuevistaPictureBox", CS_DBLCLKS, nullptr);
    CreateChild(cls, WS_CLIPSIBLINGS | (border ? WS_BORDER : 0), 0, container);
}

void PictureBox::SetBackColor(ColorValue c) {
    if (c == back_) return; // nothing to repaint
    back_ = c;
    Invalidate();
    if (AccRole) NotifyAcc(EVENT_OBJECT_VALUECHANGE, hwnd()); // a box that shows a colour
}

void PictureBox::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    Invalidate();
}

ColorValue PictureBox::Point(float x, float y) const {
    RECT client{};
    if (!hwnd() || !GetClientRect(hwnd(), &client)) return -1;
    const int px = TwipsToPixelIndex(x, form().TwipsPerPixelX());
    const int py = TwipsToPixelIndex(y, form().TwipsPerPixelY());
    if (px < 0 || py < 0 || px >= client.right || py >= client.bottom) return -1;
    if (picture_) {
        const ColorValue c = picture_->Pixel(px, py);
        if (c != -1) return c;
    }
    return static_cast<ColorValue>(ResolveColor(back_));
}

void PictureBox::SetFocusCueRect(const RECT& r) {
    if (EqualRect(&r, &cue_)) return;
    if (HasFocus()) {
        InvalidateRect(hwnd(), IsRectEmpty(&cue_) ? nullptr : &cue_, FALSE);
        InvalidateRect(hwnd(), &r, FALSE);
    }
    cue_ = r;
}

void PictureBox::KeyClick(short button) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
    if (OnMouseDown) OnMouseDown(Event(button, middle));
    if (OnMouseUp) OnMouseUp(Event(button, middle));
    if (button == vbLeftButton && OnClick) OnClick();
}

MouseEvent PictureBox::Event(short button, LPARAM lp) const {
    return MakeMouseEvent(button, lp, form().TwipsPerPixelX(), form().TwipsPerPixelY());
}

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (ClassifyButtonMessage(msg, static_cast<bool>(OnDblClick))) {
    case ButtonMessage::DoubleClick:
        OnDblClick();
        return 0;
    case ButtonMessage::Press:
        clicks_.Down(hwnd(), msg);
        if (OnMouseDown) OnMouseDown(Event(ButtonOfMessage(msg), lp));
        return 0;
    case ButtonMessage::Release: {
        RECT client{};
        GetClientRect(hwnd(), &client);
        const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        const bool click = clicks_.Up(hwnd(), msg, wp, PtInRect(&client, pt));
        if (OnMouseUp) OnMouseUp(Event(ButtonOfMessage(msg), lp));
        if (click && OnClick) OnClick();
        return 0;
    }
    case ButtonMessage::Other:
        break;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Paint([this](HDC dc) {
            RECT client{};
            GetClientRect(hwnd(), &client);
            PaintPictureOn(dc, client, picture_.get(), back_);
            DrawFocusCue(dc, IsRectEmpty(&cue_) ? client : cue_);
        });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hwnd(), nullptr, FALSE);
        break;
    case WM_SETCURSOR:
        if (icon_ && *icon_ && LOWORD(lp) == HTCLIENT) {
            SetCursor(icon_->get());
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(Event(ButtonsHeld(wp), lp));
        return 0;
    case WM_CAPTURECHANGED:
        clicks_.CaptureChanged(hwnd(), lp);
        break;
    }
    return Control::HandleMessage(msg, wp, lp);
}

} // namespace hv::rt

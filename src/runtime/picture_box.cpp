#include "picture_box.h"
#include "../core/units.h"
#include "form.h"
#include "system_colour.h"

namespace hv::rt {

PictureBox::PictureBox(Form& form, std::string name, double left, double top, double width,
                       double height, bool border)
    : Control(form, std::move(name), left, top, width, height), back_(SystemColor(COLOR_BTNFACE)) {
    const char* cls = RegisterClassOnce("HuevistaPictureBox", CS_DBLCLKS, nullptr);
    CreateChild(cls, WS_CLIPSIBLINGS | (border ? WS_BORDER : 0));
}

void PictureBox::SetBackColor(ColorValue c) {
    if (c == back_) return; // nothing to repaint
    back_ = c;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureBox::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
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
            FillClient(hwnd(), dc, back_);
            if (picture_) picture_->Draw(dc, 0, 0);
        });
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

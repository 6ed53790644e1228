#include "trans_skin_button.h"
#include "../core/units.h"
#include "../runtime/form.h"
#include "../runtime/mouse_pointer.h"
#include "../runtime/system_colour.h"
#include <oleacc.h>

namespace hv::controls {

TransSkinButton::TransSkinButton(rt::Form& form, std::string name, double left, double top,
                                 double width, double height, const rt::PropertyBag* stored)
    : UserControl(form, std::move(name), left, top, width, height, "HuevistaTransSkinButton") {
    hoverTimer_.OnTimer = [this] { tmrMO_Timer(); };
    AccRole = ROLE_SYSTEM_PUSHBUTTON;
    if (stored)
        ReadProperties(*stored);
    else
        InitProperties();
    // The pointer is left to the hover timer's first tick (it runs from creation): a read of
    // it here is a trip to the window server for each button of a form being made.
    ApplyPicture(downLatched_ ? down_ : up_);
}

void TransSkinButton::InitProperties() {
    SetSurfaceBackColor(form().BackColor());
    mask_ = 0;
}

void TransSkinButton::ReadProperties(const rt::PropertyBag& bag) {
    up_ = bag.ReadPicture("PictureUp");
    over_ = bag.ReadPicture("PictureOver");
    down_ = bag.ReadPicture("PictureDown");
    style_ = bag.ReadLong("ButtonStyle", 0);
    // A stored True latches a toggle button, so that it looks and clicks as its Value says;
    // a push button has no latched state.
    value_ = style_ != 0 && bag.ReadBool("Value", false);
    downLatched_ = value_ ? 1 : 0;
    SetSurfaceBackColor(bag.ReadLong("BackColor", AmbientBackColor()));
    icon_ = bag.ReadPicture("MouseIcon");
    iconCursor_ = icon_ ? rt::CursorFromPicture(*icon_) : rt::UniqueCursor();
    pointer_ = static_cast<short>(bag.ReadLong("MousePointer", 0));
    mask_ = bag.ReadLong("MaskColor", AmbientBackColor());
}

void TransSkinButton::WriteProperties(rt::PropertyBag& bag) const {
    const rt::PicturePtr unset;
    bag.WriteProperty("PictureUp", up_, unset);
    bag.WriteProperty("PictureOver", over_, unset);
    bag.WriteProperty("PictureDown", down_, unset);
    bag.WriteProperty("ButtonStyle", style_, 0);
    bag.WriteProperty("Value", value_, false);
    bag.WriteProperty("BackColor", SurfaceBackColor(), AmbientBackColor());
    bag.WriteProperty("MouseIcon", icon_, unset);
    bag.WriteProperty("MousePointer", pointer_, 0);
    bag.WriteProperty("MaskColor", mask_, AmbientBackColor());
}

void TransSkinButton::UserControl_Show() {
    if (downLatched_)
        ApplyPicture(down_);
    else if (IsMouseOver())
        ApplyPicture(OverOrUp());
    else
        ApplyPicture(up_);
}

void TransSkinButton::SetPictureUp(rt::PicturePtr picture) {
    up_ = std::move(picture);
    ApplyPicture(up_);
    PropertyChanged("PictureUp");
}

void TransSkinButton::SetPictureOver(rt::PicturePtr picture) {
    over_ = std::move(picture);
    PropertyChanged("PictureOver");
}

void TransSkinButton::SetPictureDown(rt::PicturePtr picture) {
    down_ = std::move(picture);
    PropertyChanged("PictureDown");
}

void TransSkinButton::SetButtonStyle(int style) {
    style_ = style;
    value_ = false;
    // Value and the latch stay in line: a latched toggle button is released.
    if (downLatched_) {
        downLatched_ = 0;
        ApplyPicture(up_);
    }
    PropertyChanged("ButtonStyle");
}

void TransSkinButton::SetValue(bool value) {
    value_ = value;
    if (style_ == 0) {
        value_ = false;
    } else if (value) {
        downLatched_ = 1;
        ApplyPicture(down_);
    } else {
        downLatched_ = 0;
        ApplyPicture(up_);
    }
    PropertyChanged("Value");
}

void TransSkinButton::SetBackColor(ColorValue c) {
    SetSurfaceBackColor(c);
    PropertyChanged("BackColor");
}

void TransSkinButton::SetMouseIcon(rt::PicturePtr picture) {
    icon_ = std::move(picture);
    iconCursor_ = icon_ ? rt::CursorFromPicture(*icon_) : rt::UniqueCursor();
    PropertyChanged("MouseIcon");
}

void TransSkinButton::SetMousePointer(int pointer) {
    pointer_ = static_cast<short>(pointer);
    PropertyChanged("MousePointer");
}

void TransSkinButton::SetMaskColor(ColorValue c) {
    mask_ = c;
    PropertyChanged("MaskColor");
    ApplyPicture(up_);
}

void TransSkinButton::SetEnabled(bool enabled) {
    Control::SetEnabled(enabled);
    PropertyChanged("Enabled");
}

void TransSkinButton::ApplyPicture(const rt::PicturePtr& picture) {
    if (!picture || !hwnd()) return;
    // HIMETRIC to twips as ScaleX does; the forms layer rounds twips to whole pixels.
    Resize(HimetricToTwips(picture->widthHimetric()), HimetricToTwips(picture->heightHimetric()));
    if (picture != shown_) Repaint();
    shown_ = picture;
    const HRGN face = picture->Shape(rt::ResolveColor(mask_));
    // The faces of one button usually share their shape: only a new shape is handed over.
    if (shape_ && face && EqualRgn(face, shape_.get())) return;
    rt::UniqueRegion next(CreateRectRgn(0, 0, 0, 0)), kept(CreateRectRgn(0, 0, 0, 0));
    if (!face || !next || !kept || CombineRgn(next.get(), face, nullptr, RGN_COPY) == ERROR)
        next.reset();
    else
        CombineRgn(kept.get(), face, nullptr, RGN_COPY);
    // Once taken, the region is the window's, which deletes the one it had; refused, it
    // stays ours to delete.
    if (SetWindowRgn(hwnd(), next.get(), TRUE)) (void)next.release();
    shape_ = std::move(kept);
}

void TransSkinButton::Repaint() {
    if (!paintDue_) paintDue_ = InvalidateRect(hwnd(), nullptr, FALSE) != FALSE;
}

bool TransSkinButton::IsMouseOver() {
    GetCursorPos(&cursorPos_);
    RECT r{};
    GetWindowRect(hwnd(), &r);
    // Inclusive on all four sides: the column at `right` and the row at `bottom` count.
    return cursorPos_.x >= r.left && cursorPos_.x <= r.right && cursorPos_.y >= r.top &&
           cursorPos_.y <= r.bottom;
}

bool TransSkinButton::OnShape(int x, int y) const {
    if (!shown_) {
        RECT client{};
        GetClientRect(hwnd(), &client);
        return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
    }
    const ColorValue c = shown_->Pixel(x, y);
    return c != -1 && c != static_cast<ColorValue>(rt::ResolveColor(mask_));
}

// No DoEvents before the test: a timer message is only taken from the queue when no input,
// posted or paint message waits, so pending mouse events have already run; pumping here
// would only let a tick run inside a tick, or the button be destroyed under it.
void TransSkinButton::tmrMO_Timer() {
    const bool over = IsMouseOver();
    const long x = cursorPos_.x, y = cursorPos_.y;
    if (over) {
        if (wasOver_) return;
        if (style_ == 0) {
            if (over_) ApplyPicture(over_);
        } else if (downLatched_) {
            ApplyPicture(down_);
        } else if (over_) {
            ApplyPicture(over_);
        }
        wasOver_ = true;
        if (OnMouseOver) OnMouseOver(x, y);
        return;
    }
    ApplyPicture(style_ == 0 || !downLatched_ ? up_ : down_);
    wasOver_ = false;
    hoverTimer_.SetEnabled(false);
    if (OnMouseNotOver) OnMouseNotOver(x, y);
}

rt::MouseEvent TransSkinButton::Event(short button, LPARAM lp) const {
    return rt::MakeMouseEvent(button, lp, form().TwipsPerPixelX(), form().TwipsPerPixelY());
}

// The events are made only for a handler: the Shift state is a question to the system.
void TransSkinButton::UserControl_MouseDown(short button, LPARAM lp) {
    if (style_ == 0) ApplyPicture(down_);
    if (OnMouseDown) OnMouseDown(Event(button, lp));
}

void TransSkinButton::UserControl_MouseUp(short button, LPARAM lp, bool click, bool over) {
    if (style_ == 0) ApplyPicture(over ? OverOrUp() : up_);
    auto alive = LifeToken();
    if (OnMouseUp) OnMouseUp(Event(button, lp));
    if (click && !alive.expired()) UserControl_Click();
}

void TransSkinButton::UserControl_Click() {
    if (style_ == 1 && downLatched_ != 1) {
        value_ = true;
        downLatched_ = 1;
        ApplyPicture(down_);
    } else if (style_ == 1) {
        value_ = false;
        downLatched_ = 0;
        ApplyPicture(IsMouseOver() ? OverOrUp() : up_);
    }
    if (OnClick) OnClick();
}

void TransSkinButton::KeyClick() {
    RECT r{};
    GetClientRect(hwnd(), &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    UserControl_MouseDown(rt::vbLeftButton, middle);
    auto alive = LifeToken();
    if (!alive.expired() && hwnd())
        UserControl_MouseUp(rt::vbLeftButton, middle, true, IsMouseOver());
}

void TransSkinButton::Describe(rt::AccDescription& d) const {
    UserControl::Describe(d);
    if (downLatched_ || (shown_ && shown_ == down_)) d.state |= STATE_SYSTEM_PRESSED;
}

bool TransSkinButton::SetPointerShape() {
    if (pointer_ == rt::vbCustom && iconCursor_) {
        SetCursor(iconCursor_.get());
        return true;
    }
    if (HCURSOR c = rt::StandardPointer(pointer_)) {
        SetCursor(c);
        return true;
    }
    return false;
}

void TransSkinButton::UserControl_Paint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    rt::PaintPictureOn(dc, client, shown_.get(), SurfaceBackColor());
    // Inside the face's shape, clear of its edge.
    InflateRect(&client, -2, -2);
    DrawFocusCue(dc, client);
}

LRESULT TransSkinButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const short button = rt::ButtonOfMessage(msg);
    switch (rt::ClassifyButtonMessage(msg, static_cast<bool>(OnDblClick))) {
    case rt::ButtonMessage::DoubleClick:
        clicks_.Hold(hwnd()); // the release that follows is the button's too
        OnDblClick();
        return 0;
    case rt::ButtonMessage::Press:
        clicks_.Down(hwnd(), msg);
        if (button == rt::vbLeftButton && focusOnPress_) ::SetFocus(hwnd());
        UserControl_MouseDown(button, lp);
        return 0;
    case rt::ButtonMessage::Release: {
        // A click ends on the visible shape. The face follows where the button was released
        // (its edges count), not a second look at the pointer.
        const short x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
        const RECT r = PixelRect();
        const bool over = x >= 0 && y >= 0 && x <= r.right - r.left && y <= r.bottom - r.top;
        UserControl_MouseUp(button, lp, clicks_.Up(hwnd(), msg, wp, OnShape(x, y)), over);
        return 0;
    }
    case rt::ButtonMessage::Other:
        break;
    }
    switch (msg) {
    case WM_MOUSEMOVE:
        hoverTimer_.SetEnabled(true);
        if (OnMouseMove) OnMouseMove(Event(rt::ButtonsHeld(wp), lp));
        return 0;
    case WM_CAPTURECHANGED:
        clicks_.CaptureChanged(hwnd(), lp);
        break;
    case WM_KEYDOWN:
        if (wp != VK_SPACE && wp != VK_RETURN) break;
        DropKeyChar();
        if (!(lp & (1 << 30))) KeyClick(); // not again while the key repeats
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        break;
    case WM_PAINT:
        paintDue_ = false;
        break;
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && SetPointerShape()) return TRUE;
        break;
    }
    return UserControl::HandleMessage(msg, wp, lp);
}

} // namespace hv::controls

#include "user_control.h"
#include "../core/units.h"
#include "form.h"
#include "system_colour.h"

namespace hv::rt {

UserControl::UserControl(Form& form, std::string name, double left, double top, double width,
                         double height, const char* className, DWORD style)
    : Control(form, std::move(name), left, top, width, height), back_(SystemColor(COLOR_BTNFACE)) {
    const char* cls = RegisterClassOnce(className, CS_DBLCLKS, nullptr);
    CreateChild(cls, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style);
}

void UserControl::SetSurfaceBackColor(ColorValue c) {
    back_ = c;
    Invalidate();
}

// The size snaps to whole pixels, as the extender's Width and Height do.
void UserControl::Resize(double widthTwips, double heightTwips) {
    const int tx = form().TwipsPerPixelX(), ty = form().TwipsPerPixelY();
    const double w = PixelsToTwips(TwipsToPixels(widthTwips, tx), tx);
    const double h = PixelsToTwips(TwipsToPixels(heightTwips, ty), ty);
    if (w != Width() || h != Height()) Move(Left(), Top(), w, h);
}

ColorValue UserControl::AmbientBackColor() const {
    return form().BackColor();
}

void UserControl::PropertyChanged(const std::string& property) {
    if (OnPropertyChanged) OnPropertyChanged(property);
}

void UserControl::UserControl_Paint(HDC dc) { FillClient(hwnd(), dc, back_); }

LRESULT UserControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Paint([this](HDC dc) { UserControl_Paint(dc); });
    case WM_SIZE:
        UserControl_Resize();
        return 0;
    case WM_SHOWWINDOW:
        if (wp) UserControl_Show();
        break;
    }
    return Control::HandleMessage(msg, wp, lp);
}

} // namespace hv::rt

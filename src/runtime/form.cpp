#include "form.h"
#include "../core/units.h"
#include "font.h"
#include "popup_menu.h"
#include "screen.h"
#include "system_colour.h"
#include <algorithm>
#include <climits>
#include <commctrl.h>
#include <utility>

namespace hv::rt {

Form::Form(std::string name)
    : name_(std::move(name)), tppX_(rt::TwipsPerPixelX()), tppY_(rt::TwipsPerPixelY()),
      back_(SystemColor(COLOR_BTNFACE)), defaultFont_(CreateVbFont("MS Sans Serif", 8.25, false)) {}

Form::~Form() {
    Destroy();
}

bool Form::Create(const std::string& caption, double widthTwips, double heightTwips, HWND owner,
                  DWORD exStyle, BorderStyle border) {
    tabOrder_.clear();
    controls_.clear(); // those of the last load
    labels_.clear();
    pressedLabel_ = nullptr;
    const char* cls = RegisterClassOnce("HuevistaForm", CS_DBLCLKS, nullptr);
    DWORD style = WS_POPUP | WS_CLIPCHILDREN;
    if (border != BorderStyle::None) style |= WS_CAPTION | WS_SYSMENU;
    if (border == BorderStyle::FixedDialog) exStyle |= WS_EX_DLGMODALFRAME;
    // The size asked for is the client area's; the frame comes on top.
    RECT r{0, 0, TwipsToPixels(widthTwips, tppX_), TwipsToPixels(heightTwips, tppY_)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    if (!CreateHandle(exStyle, cls, caption.c_str(), style, 0, 0, r.right - r.left,
                      r.bottom - r.top, owner))
        return false;
    return true;
}

HWND Form::tooltipWindow() {
    if (tooltip_ || !toolTips || !hwnd()) return tooltip_.get();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    // No owner, and it goes with the form (WM_DESTROY below): under Wine 8 a window that owns
    // a popup, even a topmost one, cannot itself be made topmost.
    tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, nullptr,
                                   nullptr, nullptr, nullptr));
    if (!tooltip_) return nullptr;
    // A width to wrap at lets a tip break its lines where its text does ("\n"); none is
    // long enough to wrap otherwise.
    SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    for (const auto& [child, text] : std::exchange(tipsToAdd_, {}))
        SetToolTip(child, text);
    return tooltip_.get();
}

double Form::Left() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return PixelsToTwips(r.left, tppX_);
}
double Form::Top() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return PixelsToTwips(r.top, tppY_);
}
double Form::Width() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return PixelsToTwips(r.right - r.left, tppX_);
}
double Form::Height() const {
    RECT r{};
    GetWindowRect(hwnd(), &r);
    return PixelsToTwips(r.bottom - r.top, tppY_);
}
double Form::ScaleWidth() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return PixelsToTwips(r.right, tppX_);
}
double Form::ScaleHeight() const {
    RECT r{};
    GetClientRect(hwnd(), &r);
    return PixelsToTwips(r.bottom, tppY_);
}

void Form::MoveTo(double left, double top) {
    SetWindowPos(hwnd(), nullptr, TwipsToPixels(left, tppX_), TwipsToPixels(top, tppY_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Move(double left, double top, double width, double height) {
    SetWindowPos(hwnd(), nullptr, TwipsToPixels(left, tppX_), TwipsToPixels(top, tppY_),
                 TwipsToPixels(width, tppX_), TwipsToPixels(height, tppY_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBackColor(ColorValue c) {
    back_ = c;
    Invalidate();
}

void Form::SetPicture(PicturePtr picture) {
    picture_ = std::move(picture);
    Invalidate();
}

Label& Form::AddLabel(const std::string& name, double left, double top, double width, double height,
                      const std::string& caption) {
    auto label = std::make_unique<Label>();
    label->name = name;
    label->left = left;
    label->top = top;
    label->width = width;
    label->height = height;
    label->Caption = caption;
    labels_.push_back(std::move(label));
    RepaintLabels();
    return *labels_.back();
}

Label* Form::GetLabel(const std::string& name) const {
    for (const auto& l : labels_)
        if (l->name == name) return l.get();
    throw LayoutFault("label " + name + " missing");
}

void Form::RepaintLabels() {
    Invalidate();
}

void Form::SetToolTip(HWND child, const std::string& text) {
    if (!toolTips || !child) return;
    if (!tooltip_) {
        // Kept for the tooltip window, which most forms never need to make.
        auto it = std::find_if(tipsToAdd_.begin(), tipsToAdd_.end(),
                               [child](const auto& tip) { return tip.first == child; });
        if (text.empty()) {
            if (it != tipsToAdd_.end()) tipsToAdd_.erase(it);
        } else if (it != tipsToAdd_.end()) {
            it->second = text;
        } else {
            tipsToAdd_.emplace_back(child, text);
        }
        return;
    }
    TTTOOLINFOA ti{};
    // The version-5 size: the IDE's process has no common-controls 6 manifest.
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND; // the control relays its mouse messages (RelayToolTip)
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(child);
    TTTOOLINFOA known = ti;
    char knownText[256] = ""; // the tooltip copies the tool's text here (up to 80 characters)
    known.lpszText = knownText;
    const bool exists =
        SendMessageA(tooltip_.get(), TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&known));
    if (text.empty()) {
        if (exists) SendMessageA(tooltip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        return;
    }
    // Hosts rewrite some tips on every mouse move: a known tool keeps its place (and a tip
    // on show stays up) and only takes the new text.
    ti.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_.get(), exists ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&ti));
}

void Form::RelayToolTip(HWND child, UINT msg, WPARAM wp, LPARAM lp) {
    if (!tooltipWindow()) return;
    const DWORD pos = GetMessagePos();
    MSG m{child,
          msg,
          wp,
          lp,
          static_cast<DWORD>(GetMessageTime()),
          {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
    SendMessageA(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void Form::Unload() {
    if (!hwnd()) return;
    if (OnUnload) OnUnload();
    Destroy();
}

void Form::PostEvent() {
    if (hwnd()) PostMessageA(hwnd(), WM_APP, 0, 0);
}

// The controls' windows are gone with the form's; the objects stay until the form is loaded
// again, since an unload may come from inside one of their own event handlers.
void Form::OnDestroyed() {
    if (OnTerminated) OnTerminated();
}

bool Form::InTabOrder(const Control* c) const {
    for (const Control* t : tabOrder_)
        if (t == c) return true;
    return false;
}

void Form::TabFrom(const Control* from, bool back) {
    const int n = static_cast<int>(tabOrder_.size());
    int i = back ? n : -1;
    for (int k = 0; k < n; ++k)
        if (tabOrder_[k] == from) i = k;
    for (int k = 1; k <= n; ++k) {
        Control* c = tabOrder_[((back ? i - k : i + k) % n + n) % n];
        if (c->TabStop() && c->Visible() && c->Enabled()) {
            c->SetFocus();
            return;
        }
    }
}

void Form::DragByTitle() {
    if (!hwnd()) return;
    ReleaseCapture();
    SendMessageA(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void Form::SetWindowState(int state) {
    if (hwnd()) ShowWindow(hwnd(), state == vbMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void Form::PaintForm(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    PaintPictureOn(dc, client, picture_.get(), back_);
    SetBkMode(dc, TRANSPARENT);
    for (const auto& l : labels_) {
        if (!l->Visible) continue;
        RECT r{TwipsToPixels(l->left, tppX_), TwipsToPixels(l->top, tppY_), 0, 0};
        r.right = r.left + TwipsToPixels(l->width, tppX_);
        r.bottom = r.top + TwipsToPixels(l->height, tppY_);
        SelectGuard font(dc, l->font ? l->font.get() : defaultFont_.get());
        SetTextColor(dc, ResolveColor(l->ForeColor));
        const UINT align = l->Alignment == Align::Center  ? DT_CENTER
                           : l->Alignment == Align::Right ? DT_RIGHT
                                                          : DT_LEFT;
        DrawTextA(dc, l->Caption.c_str(), -1, &r, align | DT_WORDBREAK | DT_NOPREFIX);
    }
}

Label* Form::LabelAt(int x, int y) const {
    // The last added lies on top.
    for (auto it = labels_.rbegin(); it != labels_.rend(); ++it) {
        Label& l = **it;
        const int left = TwipsToPixels(l.left, tppX_), top = TwipsToPixels(l.top, tppY_);
        if (l.Visible && x >= left && y >= top && x < left + TwipsToPixels(l.width, tppX_) &&
            y < top + TwipsToPixels(l.height, tppY_))
            return &l;
    }
    return nullptr;
}

bool Form::MouseOnLabel(UINT msg, LPARAM lp) {
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    Label* l = LabelAt(x, y);
    if (!l || (!l->OnMouseDown && !l->OnClick)) return false;
    if (msg == WM_LBUTTONDOWN && l->OnClick) {
        // The form keeps the mouse, so the release is seen wherever it happens.
        pressedLabel_ = l;
        SetCapture(hwnd());
    }
    if (l->OnMouseDown) {
        const int left = TwipsToPixels(l->left, tppX_), top = TwipsToPixels(l->top, tppY_);
        l->OnMouseDown(
            MakeMouseEvent(ButtonOfMessage(msg), MAKELPARAM(x - left, y - top), tppX_, tppY_));
    }
    return true;
}

void Form::MouseUpOnLabel(LPARAM lp) {
    Label* pressed = std::exchange(pressedLabel_, nullptr);
    if (GetCapture() == hwnd()) ReleaseCapture();
    const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
    if (pressed && LabelAt(x, y) == pressed && pressed->OnClick) pressed->OnClick();
}

bool Form::SetLabelPointer() {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd(), &pt);
    const Label* l = LabelAt(pt.x, pt.y);
    if (!l || !l->mouseIcon || !*l->mouseIcon) return false;
    SetCursor(l->mouseIcon->get());
    return true;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Window::Paint([this](HDC dc) { PaintForm(dc); });
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (auto* c = dynamic_cast<Control*>(Window::FromHandle(reinterpret_cast<HWND>(lp))))
            if (HBRUSH b = c->CtlColor(reinterpret_cast<HDC>(wp)))
                return reinterpret_cast<LRESULT>(b);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (MouseOnLabel(msg, lp)) return 0;
        break;
    case WM_LBUTTONUP:
        if (pressedLabel_) {
            MouseUpOnLabel(lp);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd()) pressedLabel_ = nullptr;
        break;
    case WM_SETCURSOR:
        // Only over the form itself: a control under the pointer sends this here first.
        if (reinterpret_cast<HWND>(wp) == hwnd() && LOWORD(lp) == HTCLIENT && SetLabelPointer())
            return TRUE;
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (!wp && MenuSwatchMessage(msg, lp)) return TRUE; // the form's popup menus
        // An owner-drawn control's item (a menu's hwndItem is no window).
        if (const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            msg == WM_DRAWITEM && d->CtlType != ODT_MENU)
            if (auto* c = dynamic_cast<Control*>(Window::FromHandle(d->hwndItem))) {
                c->DrawItem(*d);
                return TRUE;
            }
        break;
    case WM_COMMAND:
        if (auto* c = dynamic_cast<Control*>(Window::FromHandle(reinterpret_cast<HWND>(lp)))) {
            c->Command(HIWORD(wp));
            return 0;
        }
        break;
    case WM_SIZE:
        if (OnResize) OnResize();
        break;
    case WM_KEYDOWN:
        if (wp == VK_TAB && !tabOrder_.empty()) {
            TabFrom(nullptr, ShiftState() & 1);
            return 0;
        }
        if (OnKeyDown) {
            OnKeyDown(static_cast<int>(wp), ShiftState());
            return 0;
        }
        break;
    case WM_MOUSEWHEEL:
        if (OnMouseWheel) {
            OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp));
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && OnActivate) OnActivate();
        break;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_APP:
        if (OnPosted) OnPosted();
        return 0;
    case WM_DESTROY:
        tooltip_.reset();
        tipsToAdd_.clear();
        break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

} // namespace hv::rt

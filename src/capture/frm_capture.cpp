#include "frm_capture.h"
#include "../assets/asset_ids.h"
#include "../core/units.h"
#include "../core/screen_scale.h"
#include "../core/image_scale.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/screen.h"
#include "capture_screen.h"
#include <cmath>

namespace hv::capture {

namespace {
// The thread's units to screen pixels.
RECT ScaledRect(const RECT& r, double s) {
    if (s == 1.0) return r;
    const auto at = [s](LONG v) { return static_cast<LONG>(std::lround(v * s)); };
    return RECT{at(r.left), at(r.top), at(r.right), at(r.bottom)};
}
} // namespace

frmCapture::frmCapture(MainWindowLink main) : main_(std::move(main)), form_("frmCapture") {}

bool frmCapture::Visible() const {
    return form_.exists() && IsWindowVisible(form_.hwnd());
}

void frmCapture::Load(const RECT& v) {
    if (form_.exists()) return;
    // Topmost, so that other programs' topmost windows cannot stand live over the frozen
    // screen and take the press meant for it; unowned, because under Wine a window that owns
    // a popup cannot be made topmost, and the main window must stay so. Made the size of every
    // monitor together (`v`), so that showing it moves nothing.
    form_.toolTips = false; // no tips to show
    form_.Create("Capture", (v.right - v.left) * form_.TwipsPerPixelX(),
                 (v.bottom - v.top) * form_.TwipsPerPixelY(), nullptr,
                 WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    picScreen = &form_.Add<rt::PictureBox>("picScreen", 0, 0, form_.ScaleWidth(),
                                           form_.ScaleHeight(), false);
    // Until the loupe has come, the main window's place is taken by its own picture in the
    // frozen screen, and ShowLoupe brings the live one in front: the activation that comes
    // with the show need not raise it first (under Wine that is some milliseconds of the click).
    form_.OnActivate = [this] {
        if (!loupePending_) Form_Activate();
    };
    form_.OnPosted = [this] { ShowLoupe(); };
    // However the window goes (a press, or a close from the system), the screenshot goes with
    // it and the capture button works again.
    form_.OnUnload = [this] { Ended(); };
    picScreen->OnMouseMove = [this](const rt::MouseEvent& e) { picScreen_MouseMove(e); };
    picScreen->OnMouseDown = [this](const rt::MouseEvent& e) { picScreen_MouseDown(e); };
    form_.OnKeyDown = [this](int KeyCode, short Shift) { Form_KeyDown(KeyCode, Shift); };
    form_.OnMouseWheel = [this](int delta) {
        if (!shot_) return;
        const PerMonitorScope dpi;
        ShowLoupe();
        loupe_.Wheel(delta);
    };
}

void frmCapture::Ended() {
    loupePending_ = false;
    loupe_.Stop();
    shot_.reset();
    picScreen->SetPicture(nullptr);
    const ContextScope ide(ide_);
    if (main_.EnableCapture) main_.EnableCapture();
}

// Hidden, not destroyed: making the screen-sized window again would cost each capture's click
// some milliseconds. Hidden, it holds no screenshot.
void frmCapture::Hide() {
    if (!Visible()) return;
    ShowWindow(form_.hwnd(), SW_HIDE);
    Ended();
}

// The loupe comes once the frozen screen is painted, or before whatever needs it first.
void frmCapture::ShowLoupe() {
    if (!loupePending_) return;
    loupePending_ = false;
    const PerMonitorScope dpi;
    POINT origin{};
    ClientToScreen(picScreen->hwnd(), &origin);
    const POINT pt = Screen().CursorPos();
    loupe_.Start(shot_, origin, main_.hWnd, scale_, Screen().MonitorDpi(pt));
    loupe_.Follow(pt);
    // The main window in front once more, after the loupe: a system may raise the capture
    // window only after telling it that it is active (Wine without a window manager does),
    // and Wine raises it again when the loupe first shows.
    Form_Activate();
}

// The main window in front of the full-screen one, so that it shows the colour live. Without
// activating it: this runs inside the capture window's own activation.
void frmCapture::Form_Activate() {
    if (main_.hWnd)
        SetWindowPos(main_.hWnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void frmCapture::picScreen_MouseMove(const rt::MouseEvent& e) {
    if (!shot_) return; // ended: the hidden window keeps the mouse until the button is up
    const PerMonitorScope dpi;
    ShowLoupe();
    PickColorAt(e.X, e.Y);
    POINT pt{TwipsToPixelIndex(e.X, form_.TwipsPerPixelX()),
             TwipsToPixelIndex(e.Y, form_.TwipsPerPixelY())};
    ClientToScreen(picScreen->hwnd(), &pt);
    loupe_.Follow(pt);
}

// The colour at the press is the one that stays. Ending the capture enables the capture button.
void frmCapture::picScreen_MouseDown(const rt::MouseEvent& e) {
    if (!shot_) return;
    const PerMonitorScope dpi;
    ShowLoupe(); // its square decides the colour kept
    PickColorAt(e.X, e.Y);
    Keep();
}

void frmCapture::Keep() {
    {
        const ContextScope ide(ide_);
        if (main_.Kept) main_.Kept();
    }
    Hide();
}

void frmCapture::Form_KeyDown(int KeyCode, short Shift) {
    if (!shot_) return;
    const PerMonitorScope dpi;
    ShowLoupe();
    CaptureScreen& screen = Screen();
    POINT pt = screen.CursorPos();
    const int step = (Shift & 1) ? 10 : 1;
    int dx = 0, dy = 0;
    switch (KeyCode) {
    case VK_LEFT:
        dx = -step;
        break;
    case VK_RIGHT:
        dx = step;
        break;
    case VK_UP:
        dy = -step;
        break;
    case VK_DOWN:
        dy = step;
        break;
    case VK_RETURN:
    case VK_SPACE: // as a press: the colour under the pointer stays
        PickAtScreen(pt);
        Keep();
        return;
    case VK_ESCAPE:
        if (main_.fields) {
            const ContextScope ide(ide_);
            colour::ShowAgain(*main_.fields, before_);
        }
        Hide();
        return;
    case '1':
    case '3':
    case '5':
    case VK_NUMPAD1:
    case VK_NUMPAD3:
    case VK_NUMPAD5: // the pixel, or the mean of the square around it, picked anew below
        loupe_.SetSquare(KeyCode % 16); // '1' is 0x31, the keypad's 1 is 0x61
        break;
    default:
        return;
    }
    screen.SetCursorPos(POINT{pt.x + dx, pt.y + dy});
    pt = screen.CursorPos(); // where the screen's edge, or a clip, let it go
    // As a move there: a pointer that went onto another window picks nothing.
    if (screen.WindowFromPoint(pt) == picScreen->hwnd()) {
        PickAtScreen(pt);
        loupe_.Follow(pt);
    }
}

void frmCapture::PickAtScreen(POINT pt) {
    ScreenToClient(picScreen->hwnd(), &pt);
    PickColorAt(static_cast<float>(PixelsToTwips(pt.x, form_.TwipsPerPixelX())),
                static_cast<float>(PixelsToTwips(pt.y, form_.TwipsPerPixelY())));
}

void frmCapture::PickColorAt(float X, float Y) {
    // Only the screenshot has colours to give: not the box without it, once the capture ended.
    if (!shot_) return;
    // Where the system scales the window, a unit of it is `scale_` screenshot pixels.
    const int x = ScreenPixelOfUnit(TwipsToPixelIndex(X, form_.TwipsPerPixelX()), scale_);
    const int y = ScreenPixelOfUnit(TwipsToPixelIndex(Y, form_.TwipsPerPixelY()), scale_);
    // Outside the screenshot there is no colour (-1), and no current colour to make of it.
    const ColorValue Col = shot_->Pixel(x, y);
    if (Col == -1) return;
    // The loupe knows the square and the monitors.
    const ColorValue mean = loupe_.Picked(x, y);
    CurrentCol(mean != -1 ? mean : Col);
}

void frmCapture::CurrentCol(ColorValue Col) {
    const ContextScope ide(ide_);
    if (main_.fields) colour::SetCurrentColor(*main_.fields, Col);
}

void ToggleCaptureWindow(frmCapture& w) {
    if (w.Visible()) {
        w.Hide();
        return;
    }
    // The screen in its own pixels: in a per-monitor context (the window made here keeps it
    // for its life) the screenshot, the window and the pointer agree 1:1 on every monitor,
    // whatever the IDE's awareness. The IDE's context is back when this returns.
    const PerMonitorScope dpi;
    w.ide_ = dpi.previous();
    CaptureScreen& screen = Screen();
    // Without thread contexts a scaled display shows the thread a smaller screen.
    w.scale_ = dpi.previous() ? 1.0 : screen.Virtualised();
    // Over every monitor, so that a press anywhere ends the capture and none reaches the
    // windows below; the screenshot starts at the same corner, so pixels line up.
    RECT v = BoundingRect(screen.Monitors());
    if (IsRectEmpty(&v)) v = rt::VirtualScreenRect();
    w.Load(v);
    rt::Form& f = w.form_;
    RECT now{};
    GetWindowRect(f.hwnd(), &now);
    if (!EqualRect(&now, &v)) {
        const int tx = f.TwipsPerPixelX(), ty = f.TwipsPerPixelY();
        f.Move(v.left * tx, v.top * ty, (v.right - v.left) * tx, (v.bottom - v.top) * ty);
        w.picScreen->Move(0, 0, f.ScaleWidth(), f.ScaleHeight());
    }
    // The pipette over all of the window: the picture box covers it.
    if (!w.pipette_) w.pipette_ = rt::LoadMouseIcon(IDC_PIPETTE);
    w.picScreen->SetMouseIcon(w.pipette_);
    // Grabbed before the window shows, so the screenshot has the main window in it.
    const double s = w.scale_;
    w.shot_ = rt::Picture::FromPictureObject(screen.Grab(ScaledRect(v, s)));
    // A scaled window is shown the screenshot at its own size, which the system enlarges.
    w.picScreen->SetPicture(s == 1.0 || !w.shot_ ? w.shot_
                                                 : rt::Picture::FromImage(ResizeNearest(
                                                       rt::PictureImage(*w.shot_),
                                                       v.right - v.left, v.bottom - v.top)));
    if (w.main_.fields) {
        const ContextScope ide(w.ide_);
        w.before_ = colour::ReadShown(*w.main_.fields);
    }
    // Shown and painted at once: the frozen screen is what the click is waited on for. The
    // loupe follows after it (ShowLoupe).
    w.loupePending_ = true;
    ShowWindow(f.hwnd(), SW_SHOW);
    UpdateWindow(f.hwnd());
    // The keys go to the capture window, though the main window stands in front of it.
    SetFocus(f.hwnd());
    f.PostEvent();
}

} // namespace hv::capture

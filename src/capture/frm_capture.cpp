#include "frm_capture.h"
#include "../assets/asset_ids.h"
#include "../runtime/screen.h"
#include "screen_capture.h"

namespace hv::capture {

frmCapture::frmCapture(MainWindowLink main) : main_(std::move(main)), form_("frmCapture") {}

bool frmCapture::Visible() const {
    return form_.exists() && IsWindowVisible(form_.hwnd());
}

void frmCapture::Load() {
    if (form_.exists()) return;
    // Topmost, so that other programs' topmost windows cannot stand live over the frozen
    // screen and take the press meant for it; unowned, because under Wine a window that owns
    // a popup cannot be made topmost, and the main window must stay so.
    form_.Create("Capture", rt::ScreenWidthTwips(), rt::ScreenHeightTwips(), nullptr,
                 WS_EX_TOOLWINDOW | WS_EX_TOPMOST); // placed over every monitor when shown
    picScreen = &form_.Add<rt::PictureBox>("picScreen", 0, 0, form_.ScaleWidth(),
                                           form_.ScaleHeight(), false);
    form_.OnActivate = [this] { Form_Activate(); };
    // However the window goes (a press, or a close from the system), the screenshot goes with
    // it and the capture button works again.
    form_.OnUnload = [this] {
        picScreen->SetPicture(nullptr);
        picScreen->SetMouseIcon(nullptr);
        pipette_.reset();
        if (main_.EnableCapture) main_.EnableCapture();
    };
    picScreen->OnMouseMove = [this](const rt::MouseEvent& e) { picScreen_MouseMove(e); };
    picScreen->OnMouseDown = [this](const rt::MouseEvent& e) { picScreen_MouseDown(e); };
}

// The main window in front of the full-screen one, so that it shows the colour live. Without
// activating it: this runs inside the capture window's own activation.
void frmCapture::Form_Activate() {
    if (main_.hWnd)
        SetWindowPos(main_.hWnd, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void frmCapture::picScreen_MouseMove(const rt::MouseEvent& e) {
    PickColorAt(e.X, e.Y);
}

// The colour at the press is the one that stays. Unloading enables the capture button.
void frmCapture::picScreen_MouseDown(const rt::MouseEvent& e) {
    PickColorAt(e.X, e.Y);
    Unload();
}

void frmCapture::PickColorAt(float X, float Y) {
    const ColorValue Col = picScreen->Point(X, Y);
    // Outside the box there is no colour (-1), and no current colour to make of it.
    if (Col == -1) return;
    CurrentCol(Col);
}

void frmCapture::CurrentCol(ColorValue Col) {
    if (main_.fields) colour::SetCurrentColor(*main_.fields, Col);
}

void ToggleCaptureWindow(frmCapture& w) {
    if (w.Visible()) {
        w.Unload();
        return;
    }
    w.Load();
    rt::Form& f = w.form_;
    // Over every monitor, so that a press anywhere ends the capture and none reaches the
    // windows below; the screenshot starts at the same corner, so pixels line up.
    const RECT v = rt::VirtualScreenRect();
    const int tx = f.TwipsPerPixelX(), ty = f.TwipsPerPixelY();
    f.Move(v.left * tx, v.top * ty, (v.right - v.left) * tx, (v.bottom - v.top) * ty);
    w.picScreen->Move(0, 0, f.ScaleWidth(), f.ScaleHeight());
    // The pipette over all of the window: the picture box covers it.
    w.pipette_ = rt::LoadMouseIcon(IDC_PIPETTE);
    w.picScreen->SetMouseIcon(w.pipette_);
    // Grabbed before the window shows, so the screenshot has the main window in it.
    w.picScreen->SetPicture(rt::Picture::FromPictureObject(GrabDesktop()));
    ShowWindow(f.hwnd(), SW_SHOW);
}

} // namespace hv::capture

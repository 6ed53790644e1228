#include "frm_about.h"
#include "../assets/asset_ids.h"
#include "../core/units.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/screen.h"
#include "info_layout.h"
#include "info_pictures.h"
#include "url_click.h"

namespace hv::forms {

frmAbout::frmAbout() : form_("frmAbout") {}

void frmAbout::Show(const rt::Form& owner) {
    if (!form_.exists()) Load(owner);
    ShowWindow(form_.hwnd(), SW_SHOWNA);
}

void frmAbout::Load(const rt::Form& owner) {
    // Owned by the topmost main window, it is topmost too.
    form_.Create("About", kAboutWidth, kAboutHeight, owner.hwnd());
    // The panel's white is the background that the skinned buttons let show through.
    form_.SetBackColor(RGBColor(255, 255, 255));
    form_.SetPicture(rt::ArtForDpi(IDB_ABOUT_BACKGROUND));
    BuildControls(form_, kAboutLayout, kAboutLayoutCount);
    Label3 = form_.GetLabel("Label3");
    Label6 = form_.GetLabel("Label6");
    Image1 = form_.Get<rt::PictureBox>("Image1");
    Image2 = form_.Get<rt::PictureBox>("Image2");
    Image3 = form_.Get<rt::PictureBox>("Image3");
    cmdOk = form_.Get<controls::TransSkinButton>("cmdOk");
    TransSkinButton1 = form_.Get<controls::TransSkinButton>("TransSkinButton1");
    Image1->SetPicture(MakerLogoPicture());
    Image2->SetPicture(AddinIconPicture(RGBColor(255, 255, 255)));
    Image3->SetPicture(GivesomeBadgePicture());
    if (!hand_) hand_ = rt::LoadMouseIcon(IDC_LINK_HAND);
    Label6->mouseIcon = hand_;
    Wire();
    // Directly below the main window, wholly on the monitor it lands on.
    const int tx = form_.TwipsPerPixelX(), ty = form_.TwipsPerPixelY();
    RECT below{};
    GetWindowRect(owner.hwnd(), &below);
    below.top = below.bottom;
    below.right = below.left + TwipsToPixels(form_.Width(), tx);
    below.bottom = below.top + TwipsToPixels(form_.Height(), ty);
    const RECT r = rt::KeptOnMonitor(below);
    form_.MoveTo(r.left * tx, r.top * ty);
}

void frmAbout::Wire() {
    form_.OnUnload = [this] { Form_Unload(); };
    // A press on the title, with any button, moves the window as a title bar would.
    Label3->OnMouseDown = [this](const rt::MouseEvent&) { form_.DragByTitle(); };
    cmdOk->OnClick = [this] { cmdOk_Click(); };
    TransSkinButton1->OnClick = [this] { OpenUrl(form_.hwnd(), SW_SHOWMAXIMIZED); };
    Label6->OnClick = [this] { frmSupport_.Show(form_.hwnd()); };
    Image3->OnClick = [this] { frmDonateInfo_.Show(form_.hwnd()); };
}

// The support window stays open after the About window. Windows destroys the windows a window
// owns along with it, so the support window goes over to the main window: it still closes
// with the add-in, and never outlives the code behind it.
void frmAbout::Form_Unload() {
    if (frmSupport_.Loaded())
        SetWindowLongPtrA(frmSupport_.form().hwnd(), GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(GetWindow(form_.hwnd(), GW_OWNER)));
}

void frmAbout::cmdOk_Click() {
    form_.Unload();
    frmDonateInfo_.Unload();
}

} // namespace hv::forms

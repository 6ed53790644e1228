#include "frm_support.h"
#include "info_layout.h"
#include "info_pictures.h"
#include "url_click.h"

namespace hv::forms {

frmSupport::frmSupport() : form_("frmSupport") {}

void frmSupport::Show(HWND owner) {
    if (!form_.exists()) Load(owner);
    ShowWindow(form_.hwnd(), SW_SHOW);
    BringWindowToTop(form_.hwnd());
}

void frmSupport::Load(HWND owner) {
    form_.Create("Why support ?", kSupportWidth, kSupportHeight, owner, 0,
                 rt::BorderStyle::FixedDialog);
    BuildControls(form_, kSupportLayout, kSupportLayoutCount);
    Picture1 = form_.Get<rt::PictureBox>("Picture1");
    Image1 = form_.Get<rt::PictureBox>("Image1");
    Image4 = form_.Get<rt::PictureBox>("Image4");
    Command1 = form_.Get<rt::CommandButton>("Command1");
    Picture1->SetPicture(ExplanationPicture());
    Image1->SetPicture(AddinIconPicture(form_.BackColor()));
    Image4->SetPicture(DonateLinkPicture());
    Command1->OnClick = [this] { form_.Unload(); };
    Image4->OnClick = [this] {
        OpenUrl(form_.hwnd(), SW_SHOWNORMAL);
        form_.Unload();
    };
    form_.MoveTo(50, 50);
}

} // namespace hv::forms

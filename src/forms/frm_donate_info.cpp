#include "frm_donate_info.h"
#include "info_layout.h"
#include "info_pictures.h"
#include "url_click.h"

namespace hv::forms {

frmDonateInfo::frmDonateInfo() : form_("frmDonateInfo") {}

void frmDonateInfo::Show(HWND owner) {
    if (!form_.exists()) Load(owner);
    ShowWindow(form_.hwnd(), SW_SHOW);
    BringWindowToTop(form_.hwnd());
}

void frmDonateInfo::Load(HWND owner) {
    form_.Create("Information about...", kDonateInfoWidth, kDonateInfoHeight, owner, 0,
                 rt::BorderStyle::FixedSingle);
    // White, the colour round the OK button's rounded plate.
    form_.SetBackColor(RGBColor(255, 255, 255));
    BuildControls(form_, kDonateInfoLayout, kDonateInfoLayoutCount);
    Picture1 = form_.Get<rt::PictureBox>("Picture1");
    Image1 = form_.Get<rt::PictureBox>("Image1");
    cmdOk = form_.Get<controls::TransSkinButton>("cmdOk");
    Picture1->SetPicture(ExplanationPicture());
    Image1->SetPicture(DonateLinkPicture());
    cmdOk->OnClick = [this] { form_.Unload(); };
    Image1->OnClick = [this] { OpenUrl(form_.hwnd(), SW_SHOWMAXIMIZED); };
    form_.MoveTo(50, 50);
}

} // namespace hv::forms

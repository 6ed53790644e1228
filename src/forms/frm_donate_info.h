// frmDonateInfo: what the donation scheme is, with a link to the maker's page.
#pragma once
#include "../controls/trans_skin_button.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"

namespace hv::forms {

class frmDonateInfo {
  public:
    frmDonateInfo();
    frmDonateInfo(const frmDonateInfo&) = delete;
    frmDonateInfo& operator=(const frmDonateInfo&) = delete;

    // Loads the window on first use and shows it, not modal, owned by `owner`.
    void Show(HWND owner);
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }

    rt::PictureBox* Picture1 = nullptr;
    rt::PictureBox* Image1 = nullptr;
    controls::TransSkinButton* cmdOk = nullptr;

  private:
    void Load(HWND owner);

    rt::Form form_;
};

} // namespace hv::forms

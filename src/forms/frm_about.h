// frmAbout: what the add-in is and who made it, below the main window; opens the support and
// donation windows and the maker's page.
#pragma once
#include "../controls/trans_skin_button.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "frm_donate_info.h"
#include "frm_support.h"

namespace hv::forms {

class frmAbout {
  public:
    frmAbout();
    frmAbout(const frmAbout&) = delete;
    frmAbout& operator=(const frmAbout&) = delete;

    // Loads the window directly below `owner` on first use and shows it, not modal and
    // without taking the focus, owned by `owner`.
    void Show(const rt::Form& owner);
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }
    frmSupport& support() { return frmSupport_; }
    frmDonateInfo& donateInfo() { return frmDonateInfo_; }
    const rt::MouseIcon& hand() const { return hand_; }

    rt::Label* Label3 = nullptr;
    rt::Label* Label6 = nullptr;
    rt::PictureBox* Image1 = nullptr;
    rt::PictureBox* Image2 = nullptr;
    rt::PictureBox* Image3 = nullptr;
    controls::TransSkinButton* cmdOk = nullptr;
    controls::TransSkinButton* TransSkinButton1 = nullptr;

  private:
    void Load(const rt::Form& owner);
    void Wire();
    void Form_Unload();
    void cmdOk_Click();

    rt::Form form_;
    rt::MouseIcon hand_;
    frmSupport frmSupport_;
    frmDonateInfo frmDonateInfo_;
};

} // namespace hv::forms

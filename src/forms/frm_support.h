// frmSupport: why a donation supports the add-in, with a link to the maker's page.
#pragma once
#include "../runtime/command_button.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"

namespace hv::forms {

class frmSupport {
  public:
    frmSupport();
    frmSupport(const frmSupport&) = delete;
    frmSupport& operator=(const frmSupport&) = delete;

    // Loads the window on first use and shows it, not modal, owned by `owner`.
    void Show(HWND owner);
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }

    rt::PictureBox* Picture1 = nullptr;
    rt::PictureBox* Image1 = nullptr;
    rt::PictureBox* Image4 = nullptr;
    rt::CommandButton* Command1 = nullptr;

  private:
    void Load(HWND owner);

    rt::Form form_;
};

} // namespace hv::forms

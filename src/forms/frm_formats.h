// frmFormats: the user's own formats, one a line, to add, change, reorder and remove. OK
// stores them only when every line is a format; otherwise it says what is wrong with which
// line, selects it, and keeps the window and its text as they are.
#pragma once
#include "../runtime/command_button.h"
#include "../runtime/form.h"
#include "../runtime/text_box.h"
#include <functional>

namespace hv::forms {

class frmFormats {
  public:
    frmFormats();
    frmFormats(const frmFormats&) = delete;
    frmFormats& operator=(const frmFormats&) = delete;

    // Loads the window with the stored formats on first use and shows it, owned by `owner`.
    void Show(HWND owner);
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }

    rt::TextBox* txtFormats = nullptr;
    rt::CommandButton* cmdOk = nullptr;
    rt::CommandButton* cmdCancel = nullptr;
    std::function<void()> OnSaved;

  private:
    void cmdOk_Click();
    void Refuse(const std::string& message, std::size_t from, std::size_t to);

    rt::Form form_;
};

} // namespace hv::forms

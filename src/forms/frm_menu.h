// frmMenu: holds the format menu, never shown itself. Each command builds its text from the
// component fields of the main window and delivers it, then unloads the menu form. The
// Insert and Copy submenus end with the user's own formats, read when the form loads.
#pragma once
#include "../core/office_theme.h"
#include "../core/output_formats.h"
#include "../runtime/popup_menu.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hv::rt {
class TextBox;
}

namespace hv::output {

struct ComponentSources {
    rt::TextBox& txtR;
    rt::TextBox& txtG;
    rt::TextBox& txtB;
};

using Delivery = std::function<void(const std::string& text)>;

class frmMenu {
  public:
    frmMenu(ComponentSources sources, Delivery insert, Delivery copy);

    void Load();
    void Unload() { menu_.reset(); }
    bool Loaded() const { return menu_ != nullptr; }

    // Loads the form if needed and shows the popup at `pt` (screen pixels); runs the chosen
    // command's handler. A dismissed menu does nothing and leaves the form loaded.
    void PopupAt(HWND owner, POINT pt);
    // Runs the handler of the item with this name (mnuIr ... mnuCRGBComma, mnuEditFormats).
    void Click(const std::string& item);
    // Delivers the user's format `index` (0 is the first), as its Insert or Copy item does.
    // The components must be numbers 0 to 255; otherwise there is nothing to deliver.
    void ClickFormat(std::size_t index, bool copy);
    const std::vector<std::string>& formats() const { return formats_; }
    // In the VBA editor of an Office application, Insert and Copy end with that
    // application's forms of the colour (theme colour with tint, colour index, "#RRGGBB"),
    // built afresh at each popup; none in VB6. `host` is asked at each popup.
    void SetOfficeHost(std::function<OfficeHost()> host) { host_ = std::move(host); }
    // Delivers Office format `index` (0 is the first) for the colour of the fields.
    void ClickOfficeFormat(std::size_t index, bool copy);

    std::function<void()> OnEditFormats; // "Edit formats..."

    const rt::PopupMenu* menu() const { return menu_.get(); }

  private:
    ComponentSources sources_;
    Delivery insert_, copy_;
    std::unique_ptr<rt::PopupMenu> menu_;
    std::vector<std::string> formats_;
    std::function<OfficeHost()> host_;
    OfficeHost shownHost_ = OfficeHost::None;
};

} // namespace hv::output

// frmMain: the add-in's working window.
#pragma once
#include "../colour/colour_state.h"
#include "../colour/favorites.h"
#include "../colour/palettes.h"
#include "../controls/lumo_color_container.h"
#include "../controls/trans_skin_button.h"
#include "code_menu.h"
#include "frm_menu.h"
#include <array>
#include <memory>
#include "../runtime/colour_dialog.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"
#include <optional>

namespace hv::capture {
class frmCapture;
}

namespace hv::forms {

class frmAbout;
class frmFormats;
class frmProjectColours;

class frmMain final : public rt::ControlHooks {
  public:
    frmMain();
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window and runs the load sequence, which ends with it shown. It opens on
    // the monitor of `ide`, the IDE's main window, or without one, of the active window.
    void Load(HWND ide = nullptr);
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }
    HWND hWnd() const { return form_.hwnd(); }
    // The IDE this window works with (its root object, VBE): each connection its own.
    void SetVBInstance(IDispatch* vbe) { vbInstance_ = vbe; }
    IDispatch* VBInstance() const { return vbInstance_.Get(); }

    colour::ColourFields& fields() { return *fields_; }
    colour::FavoriteFields& favorites() { return *favorites_; }
    output::frmMenu* menuForm() { return frmMenu_.get(); }
    // The current colour goes to the recent colours: for every way the user makes a colour
    // current (not for the colours a drag or a capture passes over).
    void RememberCurrentColour();
    output::CodeMenu* codeMenu() { return codeMenu_.get(); }
    output::FormColours* formColours() { return formColours_.get(); }
    capture::frmCapture* captureForm() { return frmCapture_.get(); }
    frmAbout& aboutForm() { return *frmAbout_; }
    // The keyboard's pick on the grey scale (0), the colour strip (1), the standard palette (2).
    colour::PaletteKeys& paletteKeys(int i) { return *paletteKeys_[i]; }
    frmFormats* formatsForm() { return frmFormats_.get(); }
    frmProjectColours* projectColoursForm() { return frmProjectColours_.get(); }

    rt::PictureBox* picCurrentCol = nullptr;
    rt::PictureBox* picColorBW = nullptr;
    rt::PictureBox* picColors = nullptr;
    rt::PictureBox* picBasicCol = nullptr;
    rt::PictureBox* picClose = nullptr;
    rt::PictureBox* picMinimize = nullptr;
    rt::PictureBox* closeNorm = nullptr;
    rt::PictureBox* closeDown = nullptr;
    rt::PictureBox* minNorm = nullptr;
    rt::PictureBox* minDown = nullptr;
    rt::TextBox* txtColorCode = nullptr;
    rt::TextBox* txtR = nullptr;
    rt::TextBox* txtG = nullptr;
    rt::TextBox* txtB = nullptr;
    rt::TextBox* txtTempFav = nullptr;
    rt::TextBox* txtIndex = nullptr;
    rt::Label* Label5 = nullptr;
    controls::TransSkinButton* cmdInsert = nullptr;
    controls::TransSkinButton* cmdCopy = nullptr;
    controls::TransSkinButton* cmdCapture = nullptr;
    controls::TransSkinButton* cmdAbout = nullptr;
    controls::TransSkinButton* cmdRGBMenu = nullptr;
    controls::TransSkinButton* cmdInsertFav = nullptr;
    controls::TransSkinButton* cmdCopyFav = nullptr;
    controls::TransSkinButton* cmdACFav = nullptr;
    std::array<controls::LumoColorContainer*, colour::kFavoriteCount> CC{};
    rt::ColorDialog cdlCol;
    rt::ColorDialog cdlColFav;

  private:
    void FindControls();
    void SetPictures();
    void Form_Load();
    void WireColourEvents();
    void WireFrameEvents();
    void WireFavoriteEvents();
    void WireOutputEvents();
    void WireKeyboard();
    void WireAccessibility();
    bool KeyDown(rt::Control& c, int key, short shift) override;
    void Describe(const rt::Control& c, rt::AccDescription& d) override;
    void cmdRGBMenu_MouseUp(const rt::MouseEvent& e);
    void cmdInsert_Click();
    void cmdInsertFav_Click();
    void InsertFromMenu(const std::string& text);
    void cmdCapture_Click();
    void picCurrentCol_MouseUp(const rt::MouseEvent& e);
    void mnuFromCode_Click();
    void mnuReplaceInCode_Click();
    void mnuProjectColours_Click();
    void mnuFromControl_Click(ColorValue c);
    void txtColorCode_KeyPress(int& keyAscii);

    rt::Form form_;
    rt::ComPtr<IDispatch> vbInstance_;
    OfficeHost officeHost_ = OfficeHost::None;
    bool officeAsked_ = false;
    OfficeHost OfficeHostNow(bool ask);
    std::optional<colour::ColourFields> fields_;
    std::optional<colour::FavoriteFields> favorites_;
    std::unique_ptr<output::frmMenu> frmMenu_;
    std::unique_ptr<output::FormColours> formColours_; // before the menu that points to it
    std::unique_ptr<output::CodeMenu> codeMenu_;
    std::array<std::optional<colour::PaletteKeys>, 3> paletteKeys_;
    bool picked_ = false;          // a palette press picked: remembered when the button goes up
    ColorValue codeBackColor_ = 0; // the code field's own, while it is red for a wrong text
    rt::MouseIcon pipette_;
    // Last, so that they go before the fields they write to and the main window.
    std::unique_ptr<capture::frmCapture> frmCapture_;
    std::unique_ptr<frmAbout> frmAbout_;
    std::unique_ptr<frmFormats> frmFormats_; // opened from the format menu
    std::unique_ptr<frmProjectColours> frmProjectColours_; // opened from the preview's menu
    HWND ide_ = nullptr; // the IDE's main window, where the window opens
};

} // namespace hv::forms

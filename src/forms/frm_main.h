// frmMain: the add-in's working window.
#pragma once
#include "../colour/colour_state.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/form.h"
#include "../runtime/picture_box.h"
#include "../runtime/text_box.h"
#include <optional>

namespace hv::forms {

class frmMain {
  public:
    frmMain();
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window and runs the load sequence, which ends with it shown.
    void Load();
    bool Loaded() const { return form_.exists(); }
    void Unload() { form_.Unload(); }
    rt::Form& form() { return form_; }
    HWND hWnd() const { return form_.hwnd(); }

    colour::ColourFields& fields() { return *fields_; }

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
    rt::ColorDialog cdlCol;

  private:
    void FindControls();
    void SetPictures();
    void Form_Load();
    void WireColourEvents();
    void WireFrameEvents();

    rt::Form form_;
    std::optional<colour::ColourFields> fields_;
    rt::MouseIcon pipette_;
};

} // namespace hv::forms

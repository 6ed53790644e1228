#include "frm_main.h"
#include "../assets/asset_ids.h"
#include "../colour/palettes.h"
#include "../runtime/screen.h"
#include "frm_main_layout.h"
#include "on_top.h"

namespace hv::forms {

namespace {
constexpr ColorValue kCodeGreen = RGBColor(0, 128, 0);
}

frmMain::frmMain() : form_("frmMain") {
    form_.OnTerminated = [this] {
        fields_.reset();
        picCurrentCol = picColorBW = picColors = picBasicCol = nullptr;
        txtColorCode = txtR = txtG = txtB = nullptr;
    };
}

frmMain::~frmMain() = default;

void frmMain::Load() {
    if (form_.exists()) return;
    form_.Create("VB 6 Huevista", kMainWidth, kMainHeight);
    form_.SetBackColor(RGBColor(255, 255, 255));
    BuildControls(form_, kMainLayout, kMainLayoutCount);
    picCurrentCol = form_.Find<rt::PictureBox>("picCurrentCol");
    picColorBW = form_.Find<rt::PictureBox>("picColorBW");
    picColors = form_.Find<rt::PictureBox>("picColors");
    picBasicCol = form_.Find<rt::PictureBox>("picBasicCol");
    txtColorCode = form_.Find<rt::TextBox>("txtColorCode");
    txtR = form_.Find<rt::TextBox>("txtR");
    txtG = form_.Find<rt::TextBox>("txtG");
    txtB = form_.Find<rt::TextBox>("txtB");
    fields_.emplace(colour::ColourFields{*picCurrentCol, *txtColorCode, *txtR, *txtG, *txtB});

    picCurrentCol->SetBackColor(RGBColor(255, 255, 255));
    txtColorCode->SetFont("Courier New", 9);
    for (rt::TextBox* t : {txtR, txtG, txtB}) t->SetBackColor(RGBColor(255, 255, 255));
    pipette_ = rt::LoadMouseIcon(IDC_PIPETTE);
    const std::pair<rt::PictureBox*, int> palettes[] = {
        {picColorBW, IDB_PALETTE_GREY}, {picColors, IDB_PALETTE_QUICK}, {picBasicCol, IDB_PALETTE_BASIC}};
    for (auto [box, id] : palettes) {
        box->SetPicture(rt::Picture::FromResource(id));
        box->SetMouseIcon(pipette_);
    }
    WireEvents();
    Form_Load();
}

void frmMain::Form_Load() {
    form_.MoveTo(rt::ScreenWidthTwips() - form_.ScaleWidth(), 300);
    txtColorCode->SetForeColor(kCodeGreen);
    txtR->SetText("255");
    txtG->SetText("255");
    txtB->SetText("255");
    colour::UpdateColorCode(*fields_);
    SetTopMost(*this, true);
}

void frmMain::WireEvents() {
    auto pick = [this](rt::PictureBox* box) {
        return [this, box](const rt::MouseEvent& e) { colour::PickColor(*box, e, *fields_); };
    };
    // The standard palette picks once per press; the quick ones also while dragging.
    picBasicCol->OnMouseDown = pick(picBasicCol);
    picColors->OnMouseDown = picColors->OnMouseMove = pick(picColors);
    picColorBW->OnMouseDown = picColorBW->OnMouseMove = pick(picColorBW);
    picCurrentCol->OnClick = [this] { colour::ChooseColorWithDialog(cdlCol, *fields_, form_.hwnd()); };
}

} // namespace hv::forms

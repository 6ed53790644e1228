#include "frm_main.h"
#include "../assets/asset_ids.h"
#include "../assets/frame.h"
#include "../capture/frm_capture.h"
#include "../colour/palettes.h"
#include "../store/recent_store.h"
#include "../store/registry_stuff.h"
#include "../core/code_colour.h"
#include "../core/colour_names.h"
#include "../core/hsl_hsv.h"
#include "../core/office_formats.h"
#include "../core/output_formats.h"
#include "clipboard_copy.h"
#include "../ide/code_colour_commands.h"
#include "../ide/code_pane_insert.h"
#include "../ide/office_host.h"
#include "../runtime/dpi_pictures.h"
#include "../runtime/screen.h"
#include "../runtime/system_colour.h"
#include "frm_about.h"
#include "frm_formats.h"
#include "frm_project_colours.h"
#include "frm_main_layout.h"
#include "on_top.h"

namespace hv::forms {

namespace {
constexpr ColorValue kCodeGreen = RGBColor(0, 128, 0);
// The code field's back colour while it holds a text that is no colour.
constexpr ColorValue kNotAColourRed = RGBColor(255, 160, 160);

// Where a mouse event happened, on the screen.
POINT ScreenPoint(const rt::Control& c, const rt::MouseEvent& e) {
    POINT pt{static_cast<LONG>(e.X) / c.form().TwipsPerPixelX(),
             static_cast<LONG>(e.Y) / c.form().TwipsPerPixelY()};
    ClientToScreen(c.hwnd(), &pt);
    return pt;
}
} // namespace

frmMain::frmMain() : form_("frmMain"), frmAbout_(std::make_unique<frmAbout>()) {
    form_.OnTerminated = [this] {
        frmCapture_.reset(); // it writes to this window's fields
        frmMenu_.reset();
        codeMenu_.reset();
        formColours_.reset();
        favorites_.reset();
        fields_.reset();
    };
}

// The window goes first, while the members its OnTerminated lets go of are still alive;
// the form's own destructor would run it after they were destroyed (a second delete).
frmMain::~frmMain() {
    form_.Destroy();
}

void frmMain::Load(HWND ide) {
    if (form_.exists()) return;
    ide_ = ide;
    form_.Create("VB 6 Huevista", kMainWidth, kMainHeight);
    // The panel's white is the background that the skinned buttons let show through.
    form_.SetBackColor(assets::kPanelWhite);
    BuildControls(form_, kMainLayout, kMainLayoutCount);
    FindControls();
    SetPictures();
    WireColourEvents();
    WireFrameEvents();
    WireFavoriteEvents();
    WireOutputEvents();
    WireKeyboard();
    WireAccessibility();
    Form_Load();
}

void frmMain::FindControls() {
    auto pic = [this](const char* n) { return form_.Get<rt::PictureBox>(n); };
    auto txt = [this](const char* n) { return form_.Get<rt::TextBox>(n); };
    picCurrentCol = pic("picCurrentCol");
    picColorBW = pic("picColorBW");
    picColors = pic("picColors");
    picBasicCol = pic("picBasicCol");
    picClose = pic("picClose");
    picMinimize = pic("picMinimize");
    closeNorm = pic("closeNorm");
    closeDown = pic("closeDown");
    minNorm = pic("minNorm");
    minDown = pic("minDown");
    txtColorCode = txt("txtColorCode");
    txtR = txt("txtR");
    txtG = txt("txtG");
    txtB = txt("txtB");
    txtTempFav = txt("txtTempFav");
    txtIndex = txt("txtIndex");
    Label5 = form_.GetLabel("Label5");
    auto button = [this](const char* n) { return form_.Get<controls::TransSkinButton>(n); };
    cmdInsert = button("cmdInsert");
    cmdCopy = button("cmdCopy");
    cmdCapture = button("cmdCapture");
    cmdAbout = button("cmdAbout");
    cmdRGBMenu = button("cmdRGBMenu");
    cmdInsertFav = button("cmdInsertFav");
    cmdCopyFav = button("cmdCopyFav");
    cmdACFav = button("cmdACFav");
    // Their clicks give the focus to the preview or the standard palette.
    for (auto* b : {cmdInsert, cmdCopy, cmdCapture, cmdAbout, cmdInsertFav, cmdCopyFav, cmdACFav})
        b->SetFocusOnPress(false);
    for (int i = 0; i < colour::kFavoriteCount; ++i)
        CC[i] = form_.Get<controls::LumoColorContainer>("CC(" + std::to_string(i) + ")");
    fields_.emplace(colour::ColourFields{*picCurrentCol, *txtColorCode, *txtR, *txtG, *txtB});
    favorites_.emplace(colour::FavoriteFields{CC, *txtIndex, *txtTempFav, *picBasicCol, cdlColFav,
                                              *fields_, form_.hwnd()});
    frmMenu_ = std::make_unique<output::frmMenu>(
        output::ComponentSources{*txtR, *txtG, *txtB},
        [this](const std::string& text) { InsertFromMenu(text); },
        [this](const std::string& text) { output::CopyToClipboard(form_.hwnd(), text); });
    frmMenu_->SetOfficeHost([this] { return OfficeHostNow(true); });
    frmMenu_->OnEditFormats = [this] {
        if (!frmFormats_) frmFormats_ = std::make_unique<frmFormats>();
        frmFormats_->OnSaved = [this] {
            if (frmMenu_) frmMenu_->Unload(); // the menu reads them afresh
        };
        frmFormats_->Show(form_.hwnd());
    };
    codeMenu_ = std::make_unique<output::CodeMenu>([this] { mnuFromCode_Click(); },
                                                   [this] { mnuReplaceInCode_Click(); },
                                                   [this] { mnuProjectColours_Click(); });
    formColours_ = std::make_unique<output::FormColours>(
        vbInstance_, *picCurrentCol, [this](ColorValue c) { mnuFromControl_Click(c); });
    codeMenu_->SetFormColours(formColours_.get());
}

void frmMain::SetPictures() {
    form_.SetPicture(rt::ArtForDpi(IDB_MAIN_BACKGROUND));
    picCurrentCol->SetBackColor(RGBColor(255, 255, 255));
    for (rt::TextBox* t : {txtR, txtG, txtB}) t->SetBackColor(RGBColor(255, 255, 255));
    pipette_ = rt::LoadMouseIcon(IDC_PIPETTE);
    const std::pair<rt::PictureBox*, int> palettes[] = {
        {picColorBW, IDB_PALETTE_GREY}, {picColors, IDB_PALETTE_QUICK}, {picBasicCol, IDB_PALETTE_BASIC}};
    for (auto [box, id] : palettes) box->SetPicture(rt::PaletteForBox(id, *box));
    const std::pair<rt::PictureBox*, int> pictures[] = {{closeNorm, IDB_CLOSE_NORMAL},
                                                        {closeDown, IDB_CLOSE_DOWN},
                                                        {minNorm, IDB_MIN_NORMAL},
                                                        {minDown, IDB_MIN_DOWN}};
    for (auto [box, id] : pictures) box->SetPicture(rt::ArtForDpi(id));
    for (rt::PictureBox* box : {picColorBW, picColors, picBasicCol}) box->SetMouseIcon(pipette_);
    picClose->SetPicture(closeNorm->Picture());
    picMinimize->SetPicture(minNorm->Picture());
}

// The load sequence. Nothing here can fail in a way the user should hear about.
void frmMain::Form_Load() {
    // At the right edge of the work area of the monitor the IDE is on. Without its main
    // window, the active one stands for it: the add-in opens from the IDE's button.
    const HWND ide = IsWindow(ide_) ? ide_ : GetAncestor(GetActiveWindow(), GA_ROOTOWNER);
    const RECT work = rt::WorkAreaOf(ide);
    const int tx = form_.TwipsPerPixelX(), ty = form_.TwipsPerPixelY();
    form_.MoveTo(work.right * tx - form_.Width(), work.top * ty + 300);
    colour::CreateRegKey(colour::kFavoritesRoot, colour::kFavoritesKey);
    colour::LoadFavorites(*favorites_);
    txtColorCode->SetForeColor(kCodeGreen);
    colour::SelectInitialFavorite(*favorites_);
    txtR->SetText("255");
    txtG->SetText("255");
    txtB->SetText("255");
    colour::UpdateColorCode(*fields_);
    SetTopMost(*this, true);
}

// The Office application hosting the editor: it stays the same, so once told it is kept. Until
// then it is asked again when the format menu opens (`ask`), not at every move of the mouse.
OfficeHost frmMain::OfficeHostNow(bool ask) {
    if (officeHost_ == OfficeHost::None && (ask || !officeAsked_))
        officeHost_ = output::OfficeHostOf(vbInstance_.Get());
    officeAsked_ = true;
    return officeHost_;
}

namespace {
// The preview's hint with the colour's name, and below it the colour in HSL and HSV, and in
// an Office application's editor the theme colour it is exactly.
void ShowColourModels(rt::PictureBox& preview, OfficeHost host) {
    const auto c = static_cast<ColorValue>(rt::ResolveColor(preview.BackColor()));
    std::string tip = "Current color preview (" + ColourName(c) +
                      "), Click to modify, Right-click for the color in code\n";
    tip += HslText(c);
    tip += "   ";
    tip += HsvText(c);
    if (const std::string theme = ThemeColourHint(host, c); !theme.empty()) tip += "\n" + theme;
    preview.SetToolTipText(tip);
}
} // namespace

void frmMain::WireColourEvents() {
    // The keyboard's pick (paletteKeys_) follows the mouse's.
    auto pick = [this](rt::PictureBox* box, bool press) {
        return [this, box, press](const rt::MouseEvent& e) {
            paletteKeys_[box == picColorBW ? 0 : box == picColors ? 1 : 2]->PressedAt(e);
            picked_ = colour::PickColor(*box, e, *fields_) || (picked_ && !press);
        };
    };
    // The standard palette picks once per press; the quick ones also while dragging. The
    // colour where the press ends is the one the user chose.
    for (rt::PictureBox* box : {picBasicCol, picColors, picColorBW}) {
        box->OnMouseDown = pick(box, true);
        box->OnMouseUp = [this](const rt::MouseEvent&) {
            if (picked_) RememberCurrentColour();
            picked_ = false;
        };
    }
    picColors->OnMouseMove = pick(picColors, false);
    picColorBW->OnMouseMove = pick(picColorBW, false);
    picCurrentCol->OnClick = [this] {
        if (colour::ChooseColorWithDialog(cdlCol, *fields_, form_.hwnd())) RememberCurrentColour();
    };
    picCurrentCol->OnMouseUp = [this](const rt::MouseEvent& e) { picCurrentCol_MouseUp(e); };
    picCurrentCol->OnMouseMove = [this](const rt::MouseEvent&) {
        ShowColourModels(*picCurrentCol, OfficeHostNow(false));
    };
    cmdCapture->OnClick = [this] { cmdCapture_Click(); };
    codeBackColor_ = txtColorCode->BackColor();
    txtColorCode->OnKeyPress = [this](int& keyAscii) { txtColorCode_KeyPress(keyAscii); };
    txtColorCode->OnChange = [this] {
        if (txtColorCode->BackColor() != codeBackColor_) txtColorCode->SetBackColor(codeBackColor_);
    };
}

// The code menu opens on the release of the right button, at the pointer (at the preview's
// middle for the menu key).
void frmMain::picCurrentCol_MouseUp(const rt::MouseEvent& e) {
    if (e.Button != rt::vbRightButton) return;
    codeMenu_->FillRecent(colour::LoadRecentColors());
    const ColorValue recent = codeMenu_->PopupAt(form_.hwnd(), ScreenPoint(*picCurrentCol, e));
    if (recent == -1) return;
    colour::SetCurrentColor(*fields_, recent);
    RememberCurrentColour();
}

void frmMain::mnuFromCode_Click() {
    const output::ColourFromCodeResult read = output::ColourFromCode(vbInstance_.Get());
    if (read.result != output::CodeColourResult::Done) return;
    colour::SetCurrentColor(*fields_, read.colour);
    RememberCurrentColour();
}

void frmMain::RememberCurrentColour() {
    colour::RememberRecent(picCurrentCol->BackColor());
}

// A colour read from a selected control of the form designer becomes the current one; a
// system colour stays one.
void frmMain::mnuFromControl_Click(ColorValue c) {
    colour::SetCurrentColor(*fields_, c);
    RememberCurrentColour();
}

void frmMain::mnuProjectColours_Click() {
    if (!frmProjectColours_)
        frmProjectColours_ = std::make_unique<frmProjectColours>(
            vbInstance_.Get(), [this] { return picCurrentCol->BackColor(); },
            [this](ColorValue c) { mnuFromControl_Click(c); });
    frmProjectColours_->Show(form_.hwnd());
}

void frmMain::mnuReplaceInCode_Click() {
    if (output::ReplaceColourInCode(vbInstance_.Get(), picCurrentCol->BackColor()) != output::CodeColourResult::NoPane)
        picCurrentCol->SetFocus();
}

// Enter takes a typed or pasted colour; a text that is none turns the field red until it
// changes, and the colour stays.
void frmMain::txtColorCode_KeyPress(int& keyAscii) {
    if (keyAscii != VK_RETURN) return;
    keyAscii = 0;
    if (const auto typed = ParseTypedColour(txtColorCode->Text())) {
        colour::SetCurrentColor(*fields_, static_cast<ColorValue>(rt::ResolveColor(*typed)));
        RememberCurrentColour();
    } else {
        txtColorCode->SetBackColor(kNotAColourRed);
    }
}

// Capture runs until a press on the capture window, which enables the button again.
void frmMain::cmdCapture_Click() {
    if (!frmCapture_)
        frmCapture_ = std::make_unique<capture::frmCapture>(capture::MainWindowLink{
            &*fields_, form_.hwnd(), [this] { cmdCapture->SetEnabled(true); },
            [this] { RememberCurrentColour(); }});
    // The preview takes the focus first: afterwards it would take the keyboard from the capture
    // window, whose keys steer and end the capture.
    picCurrentCol->SetFocus();
    capture::ToggleCaptureWindow(*frmCapture_);
    cmdCapture->SetEnabled(false);
}

void frmMain::WireFrameEvents() {
    form_.OnResize = [this] { SetTopMost(*this, true); };
    // A press on the title, with any button, moves the window as a title bar would.
    Label5->OnMouseDown = [this](const rt::MouseEvent&) { form_.DragByTitle(); };
    picClose->OnMouseDown = [this](const rt::MouseEvent&) {
        picClose->SetPicture(closeDown->Picture());
    };
    picClose->OnMouseUp = [this](const rt::MouseEvent&) {
        picClose->SetPicture(closeNorm->Picture());
    };
    picClose->OnClick = [this] { form_.Unload(); };
    picMinimize->OnMouseDown = [this](const rt::MouseEvent&) { picMinimize->SetPicture(minDown->Picture()); };
    picMinimize->OnMouseUp = [this](const rt::MouseEvent&) { picMinimize->SetPicture(minNorm->Picture()); };
    picMinimize->OnClick = [this] { form_.SetWindowState(rt::Form::vbMinimized); };
    cmdAbout->OnClick = [this] {
        frmAbout_->Show(form_);
        picCurrentCol->SetFocus();
    };
}

void frmMain::WireFavoriteEvents() {
    for (int i = 0; i < colour::kFavoriteCount; ++i) {
        CC[i]->OnMouseDown = [this, i](const rt::MouseEvent&) { colour::CC_MouseDown(*favorites_, i); };
        CC[i]->OnMouseMove = [this, i](const rt::MouseEvent&) { colour::CC_MouseMove(*favorites_, i); };
        CC[i]->OnDblClick = [this] { colour::CC_DblClick(*favorites_); };
    }
    cmdACFav->OnClick = [this] { colour::cmdACFav_Click(*favorites_); };
}

void frmMain::WireOutputEvents() {
    cmdCopy->OnClick = [this] {
        if (output::CopyToClipboard(form_.hwnd(), txtColorCode->Text())) picCurrentCol->SetFocus();
    };
    cmdCopy->OnMouseMove = [this](const rt::MouseEvent&) {
        cmdCopy->SetToolTipText(CopyHint(txtColorCode->Text()));
    };
    cmdCopyFav->OnClick = [this] {
        if (output::CopyToClipboard(form_.hwnd(), txtTempFav->Text())) picBasicCol->SetFocus();
    };
    cmdInsert->OnClick = [this] { cmdInsert_Click(); };
    cmdInsertFav->OnClick = [this] { cmdInsertFav_Click(); };
    cmdInsert->OnMouseMove = [this](const rt::MouseEvent&) {
        cmdInsert->SetToolTipText(InsertHint(txtColorCode->Text()));
    };
    cmdRGBMenu->OnMouseUp = [this](const rt::MouseEvent& e) { cmdRGBMenu_MouseUp(e); };
}

// Insertion reads the field only once the caret's line is known; without a code pane the
// user is told, and each command then does its own closing step.
void frmMain::cmdInsert_Click() {
    if (output::InsertIntoCodePane(vbInstance_.Get(), [this] { return txtColorCode->Text(); }) != output::InsertResult::NoPane)
        picCurrentCol->SetFocus();
}

void frmMain::cmdInsertFav_Click() {
    output::InsertIntoCodePane(vbInstance_.Get(), [this] { return txtTempFav->Text(); });
    picBasicCol->SetFocus();
}

// The menu form unloads itself after this.
void frmMain::InsertFromMenu(const std::string& text) {
    if (output::InsertIntoCodePane(vbInstance_.Get(), [&] { return text; }) != output::InsertResult::NoPane)
        picCurrentCol->SetFocus();
}

// The format menu opens on the release of the left button, at the pointer (at the button's
// middle for Space or Enter).
void frmMain::cmdRGBMenu_MouseUp(const rt::MouseEvent& e) {
    if (e.Button != rt::vbLeftButton) return;
    frmMenu_->PopupAt(form_.hwnd(), ScreenPoint(*cmdRGBMenu, e));
}

} // namespace hv::forms

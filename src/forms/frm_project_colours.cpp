#include "frm_project_colours.h"
#include "../core/contrast.h"
#include "../runtime/colour_dialog.h"
#include "../runtime/message_box.h"
#include "../runtime/system_colour.h"
#include "layout.h"

namespace hv::forms {

namespace {
constexpr int kWidth = 6600, kHeight = 5460; // client area, twips
// clang-format off
const ControlRow kLayout[] = {
    {"lblStatus", Kind::Label, 120, 90, 6360, 255, "", nullptr},
    {"lstColours", Kind::ListBox, 120, 360, 6360, 3240, nullptr, nullptr},
    {"cmdRead", Kind::CommandButton, 120, 3690, 1140, 375, "Read again", nullptr},
    {"cmdCancel", Kind::CommandButton, 1380, 3690, 1140, 375, "Cancel", nullptr, {.visible = false}},
    {"cmdReplace", Kind::CommandButton, 4080, 3690, 1140, 375, "Replace...", nullptr},
    {"cmdUndo", Kind::CommandButton, 5340, 3690, 1140, 375, "Undo replace", nullptr},
    {"txtContrast", Kind::TextBox, 120, 4170, 6360, 1170, nullptr, nullptr, {.multiLine = true}},
};
// clang-format on

// An item's data: a colour row's index times two, or a use's index times two plus one.
constexpr LPARAM RowItem(std::size_t row) { return static_cast<LPARAM>(row * 2); }
constexpr LPARAM UseItem(std::size_t use) { return static_cast<LPARAM>(use * 2 + 1); }

std::string CodeOf(ColorValue c) {
    return IsSystemColor(c) ? "&H" + HexText(c) + "&" : ColorCodeText(c);
}

ColorValue Painted(ColorValue c) {
    return static_cast<ColorValue>(rt::ResolveColor(c));
}

void Text(HDC dc, const std::wstring& text, RECT r) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}
std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end()); // ASCII: codes, names, counts
}
} // namespace

frmProjectColours::frmProjectColours(IDispatch* vbe, std::function<ColorValue()> current,
                                     std::function<void(ColorValue)> makeCurrent)
    : form_("frmProjectColours"), vbe_(vbe), current_(std::move(current)),
      makeCurrent_(std::move(makeCurrent)), edit_(vbe) {}

frmProjectColours::~frmProjectColours() {
    *alive_ = false;
    form_.Destroy();
}

void frmProjectColours::Show(HWND owner) {
    if (!form_.exists()) {
        form_.Create("Project colors", kWidth, kHeight, owner, WS_EX_TOOLWINDOW,
                     rt::BorderStyle::FixedDialog);
        BuildControls(form_, kLayout, static_cast<int>(std::size(kLayout)));
        lblStatus = form_.GetLabel("lblStatus");
        lstColours = form_.Get<rt::ListBox>("lstColours");
        cmdRead = form_.Get<rt::CommandButton>("cmdRead");
        cmdCancel = form_.Get<rt::CommandButton>("cmdCancel");
        cmdReplace = form_.Get<rt::CommandButton>("cmdReplace");
        cmdUndo = form_.Get<rt::CommandButton>("cmdUndo");
        txtContrast = form_.Get<rt::TextBox>("txtContrast");
        SendMessageA(txtContrast->hwnd(), EM_SETREADONLY, TRUE, 0);
        lstColours->OnDrawItem = [this](HDC dc, const RECT& r, int i, bool s) { DrawRow(dc, r, i, s); };
        lstColours->OnClick = [this] { lstColours_Click(); };
        lstColours->OnDblClick = [this] { lstColours_DblClick(); };
        cmdRead->OnClick = [this] { Read(); };
        cmdCancel->OnClick = [this] { cancel_ = true; };
        cmdReplace->OnClick = [this] { cmdReplace_Click(); };
        cmdUndo->OnClick = [this] { Undo(); };
        form_.OnUnload = [this] { cancel_ = true; };
    }
    ShowWindow(form_.hwnd(), SW_SHOW);
    SetForegroundWindow(form_.hwnd());
    Read();
}

void frmProjectColours::SetStatus(const std::string& text) {
    lblStatus->Caption = text;
    form_.RepaintLabels();
}

void frmProjectColours::Read() {
    if (reading_ || !form_.exists()) return;
    output::ProjectRead read(vbe_);
    if (!read.Found()) {
        uses_.clear();
        texts_.clear();
        Fill();
        return SetStatus("No project to read.");
    }
    reading_ = true;
    cancel_ = false;
    for (rt::CommandButton* b : {cmdRead, cmdReplace, cmdUndo})
        b->SetEnabled(false);
    const auto alive = alive_;
    const DWORD start = GetTickCount();
    while (read.Next()) {
        if (GetTickCount() - start < 500) continue;
        // A long read: how far it got, and the IDE's and this window's messages between
        // components (the object model answers on this thread only).
        cmdCancel->SetVisible(true);
        char status[80];
        wsprintfA(status, "Reading the project: %ld of %ld components...", read.done(), read.total());
        SetStatus(status);
        for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);) {
            if (m.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(m.wParam));
                cancel_ = true;
                break;
            }
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (!*alive || !form_.exists() || cancel_) break;
    }
    if (!*alive || !form_.exists()) return;
    reading_ = false;
    cmdCancel->SetVisible(false);
    uses_ = std::move(read.uses);
    texts_ = std::move(read.texts);
    Fill();
    char status[128];
    const int n = wsprintfA(status, "%u colors, %u uses", static_cast<unsigned>(rows_.size()),
                            static_cast<unsigned>(uses_.size()));
    if (cancel_)
        wsprintfA(status + n, " in the first %ld of %ld components (cancelled)", read.done(),
                  read.total());
    lstrcatA(status, ".");
    SetStatus(status);
    if (!read.failures.empty()) Tell(read.failures, L"Some parts of the project could not be read:");
}

void frmProjectColours::Fill() {
    rows_ = GroupByColour(uses_);
    rowOfUse_.assign(uses_.size(), 0);
    for (std::size_t r = 0; r < rows_.size(); ++r)
        for (std::size_t u : rows_[r].uses)
            rowOfUse_[u] = static_cast<int>(r);
    expanded_.assign(rows_.size(), 0);
    ticked_.assign(uses_.size(), 0);
    lstColours->Clear();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        lstColours->AddItem(RowItem(r));
    std::wstring contrast = L"Text below AA contrast (4.5:1); all text is judged as normal text:";
    const auto failing = FailingContrast(texts_, Painted);
    for (const ContrastFailure& f : failing) {
        const TextColours& t = texts_[f.index];
        contrast += L"\r\n" + t.form + L"." + t.control + L"  " + Wide(RatioText(f.hundredths)) +
                    L"  (" + Wide(CodeOf(t.fore)) + L" on " + Wide(CodeOf(t.back)) + L")";
    }
    if (failing.empty()) contrast += L"\r\nnone.";
    SetWindowTextW(txtContrast->hwnd(), contrast.c_str());
    for (rt::CommandButton* b : {cmdRead, cmdReplace})
        b->SetEnabled(true);
    cmdUndo->SetEnabled(edit_.CanUndo());
}

int frmProjectColours::RowOfItem(int item) const {
    if (item < 0) return -1;
    const LPARAM d = lstColours->ItemData(item);
    return d & 1 ? rowOfUse_[static_cast<std::size_t>(d / 2)] : static_cast<int>(d / 2);
}

// Opens or closes a row: its uses below it.
void frmProjectColours::Expand(int row) {
    int item = 0;
    while (lstColours->ItemData(item) != RowItem(static_cast<std::size_t>(row)))
        ++item;
    const auto& list = rows_[static_cast<std::size_t>(row)].uses;
    const bool open = !expanded_[static_cast<std::size_t>(row)];
    expanded_[static_cast<std::size_t>(row)] = open;
    if (open)
        for (std::size_t k = 0; k < list.size(); ++k)
            lstColours->AddItem(UseItem(list[k]), item + 1 + static_cast<int>(k));
    else
        for (std::size_t k = 0; k < list.size(); ++k)
            lstColours->RemoveItem(item + 1);
    lstColours->SetListIndex(item);
    InvalidateRect(lstColours->hwnd(), nullptr, FALSE); // its + or -
}

// A row chosen is the current colour; a click on a use's box ticks it.
void frmProjectColours::lstColours_Click() {
    const int item = lstColours->ListIndex();
    if (item < 0) return;
    const LPARAM d = lstColours->ItemData(item);
    if (d & 1) {
        // The box is drawn from 22 pixels in, as wide as the row is high.
        RECT r{};
        SendMessageA(lstColours->hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&r));
        const POINT pt = lstColours->LastPress();
        if (PtInRect(&r, pt) && pt.x < r.left + 22 + (r.bottom - r.top)) {
            ticked_[static_cast<std::size_t>(d / 2)] ^= 1;
            InvalidateRect(lstColours->hwnd(), nullptr, FALSE);
        }
        return;
    }
    makeCurrent_(rows_[static_cast<std::size_t>(d / 2)].value);
}

void frmProjectColours::lstColours_DblClick() {
    const int item = lstColours->ListIndex();
    if (item < 0) return;
    const LPARAM d = lstColours->ItemData(item);
    if (d & 1)
        output::GoToUse(vbe_, uses_[static_cast<std::size_t>(d / 2)]);
    else
        Expand(static_cast<int>(d / 2));
}

void frmProjectColours::cmdReplace_Click() {
    if (RowOfItem(lstColours->ListIndex()) < 0)
        return (void)rt::MsgBox(L"Choose the color to replace in the list first.",
                                MB_OK | MB_ICONINFORMATION, L"Project colors");
    const ColorValue current = current_();
    const std::string toCurrent = "To the current color  " + CodeOf(current);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, toCurrent.c_str());
    AppendMenuA(menu, MF_STRING, 2, "To another color...");
    RECT r{};
    GetWindowRect(cmdReplace->hwnd(), &r);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, r.left, r.bottom, 0,
                                       form_.hwnd(), nullptr);
    DestroyMenu(menu);
    if (chosen == 1) return Replace(current);
    rt::ColorDialog dialog;
    dialog.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    dialog.Color = Painted(current);
    if (chosen == 2 && dialog.ShowColor(form_.hwnd())) Replace(dialog.Color);
}

void frmProjectColours::Replace(ColorValue to) {
    const int row = RowOfItem(lstColours->ListIndex());
    if (row < 0 || reading_) return;
    std::vector<std::size_t> chosen;
    for (std::size_t u : rows_[static_cast<std::size_t>(row)].uses)
        if (ticked_[u]) chosen.push_back(u);
    if (chosen.empty()) chosen = rows_[static_cast<std::size_t>(row)].uses;
    const std::wstring told = edit_.Replace(uses_, PlanReplace(uses_, chosen, to));
    Read();
    Tell(told, L"Some uses were not replaced:");
}

void frmProjectColours::Undo() {
    if (reading_) return;
    const std::wstring told = edit_.Undo();
    Read();
    Tell(told, L"Some uses were left as they are now:");
}

void frmProjectColours::Tell(const std::wstring& told, const wchar_t* what) {
    if (told.empty()) return;
    rt::MsgBox(what + told, MB_OK | MB_ICONINFORMATION, L"Project colors");
}

void frmProjectColours::DrawRow(HDC dc, const RECT& r, int item, bool selected) {
    rt::FillWithColor(dc, r, SystemColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const LPARAM d = lstColours->ItemData(item);
    const int h = r.bottom - r.top;
    if (d & 1) {
        const std::size_t u = static_cast<std::size_t>(d / 2);
        RECT box{r.left + 22, r.top + 2, r.left + 22 + h - 4, r.bottom - 2};
        DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | (ticked_[u] ? DFCS_CHECKED : 0));
        Text(dc, UseText(uses_[u]), {box.right + 6, r.top, r.right - 4, r.bottom});
        return;
    }
    const std::size_t row = static_cast<std::size_t>(d / 2);
    const ColourRow& c = rows_[row];
    Text(dc, expanded_[row] ? L"-" : L"+", {r.left + 4, r.top, r.left + 16, r.bottom});
    RECT swatch{r.left + 18, r.top + 2, r.left + 58, r.bottom - 2};
    rt::FillWithColor(dc, swatch, c.value);
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    const int w = r.right - r.left;
    Text(dc, Wide(CodeOf(c.value)), {r.left + 66, r.top, r.left + 66 + w / 4, r.bottom});
    Text(dc, Wide(ColourRowName(c.value)), {r.left + 70 + w / 4, r.top, r.right - w / 5, r.bottom});
    wchar_t count[24];
    wsprintfW(count, c.uses.size() == 1 ? L"%u use" : L"%u uses", static_cast<unsigned>(c.uses.size()));
    Text(dc, count, {r.right - w / 5, r.top, r.right - 4, r.bottom});
}

} // namespace hv::forms

#include "frm_formats.h"
#include "../core/format_template.h"
#include "../store/own_formats.h"
#include "../runtime/screen.h"
#include "layout.h"

namespace hv::forms {

namespace {
constexpr int kWidth = 5400, kHeight = 3255; // client area, twips
// clang-format off
const ControlRow kFormatsLayout[] = {
    {"lblHelp", Kind::Label, 120, 90, 5160, 600,
     "One format a line: {R} {G} {B} decimal, {RR} {GG} {BB} hex, {CODE} the code, {LONG} "
     "the number; {{ and }} for a brace.", nullptr},
    {"txtFormats", Kind::TextBox, 120, 720, 5160, 1920, nullptr, nullptr, {.multiLine = true}},
    {"cmdOk", Kind::CommandButton, 2880, 2760, 1125, 375, "OK", nullptr},
    {"cmdCancel", Kind::CommandButton, 4155, 2760, 1125, 375, "Cancel", nullptr},
};
// clang-format on
} // namespace

frmFormats::frmFormats() : form_("frmFormats") {}

void frmFormats::Show(HWND owner) {
    if (!form_.exists()) {
        form_.Create("Formats", kWidth, kHeight, owner, WS_EX_TOOLWINDOW,
                     rt::BorderStyle::FixedDialog);
        BuildControls(form_, kFormatsLayout, static_cast<int>(std::size(kFormatsLayout)));
        txtFormats = form_.Get<rt::TextBox>("txtFormats");
        cmdOk = form_.Get<rt::CommandButton>("cmdOk");
        cmdCancel = form_.Get<rt::CommandButton>("cmdCancel");
        std::string text;
        for (const std::string& t : output::LoadFormatTexts())
            text += t + "\r\n";
        txtFormats->SetText(text);
        cmdOk->OnClick = [this] { cmdOk_Click(); };
        cmdCancel->OnClick = [this] { form_.Unload(); };
        // Below the main window, wholly on the monitor it lands on.
        const int tx = form_.TwipsPerPixelX(), ty = form_.TwipsPerPixelY();
        RECT r{};
        GetWindowRect(owner, &r);
        r = rt::KeptOnMonitor({r.left, r.bottom, r.left + static_cast<int>(form_.Width()) / tx,
                               r.bottom + static_cast<int>(form_.Height()) / ty});
        form_.MoveTo(r.left * tx, r.top * ty);
    }
    ShowWindow(form_.hwnd(), SW_SHOW);
    SetForegroundWindow(form_.hwnd());
    txtFormats->SetFocus();
}

void frmFormats::cmdOk_Click() {
    const std::string all = txtFormats->Text();
    std::vector<std::string> texts;
    int line = 0;
    for (std::size_t from = 0; from <= all.size();) {
        std::size_t to = std::min(all.find('\n', from), all.size());
        const std::size_t next = to + 1;
        if (to > from && all[to - 1] == '\r') --to;
        const std::string text = all.substr(from, to - from);
        ++line;
        if (!text.empty()) {
            const TemplateCheck check = CheckTemplate(text, GetACP());
            if (check.fault != TemplateFault::None)
                return Refuse("Line " + std::to_string(line) + ": " + TemplateFaultText(check),
                              from, to);
            texts.push_back(text);
        }
        from = next;
    }
    if (texts.size() > static_cast<std::size_t>(kMaxFormats))
        return Refuse("At most " + std::to_string(kMaxFormats) + " formats, one a line.", 0, 0);
    if (!output::SaveFormats(texts)) return Refuse("The formats could not be stored.", 0, 0);
    form_.Unload();
    if (OnSaved) OnSaved();
}

void frmFormats::Refuse(const std::string& message, std::size_t from, std::size_t to) {
    txtFormats->SetFocus();
    SendMessageA(txtFormats->hwnd(), EM_SETSEL, from, to);
    MessageBoxA(form_.hwnd(), message.c_str(), "Formats", MB_OK | MB_ICONEXCLAMATION);
}

} // namespace hv::forms

#include "code_pane_line.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"

namespace hv::output {

using rt::Variant;

CaretLine::State CaretLine::Read() {
    if (vbe_) rt::GetObject(vbe_, L"ActiveCodePane", {}, pane_);
    if (!pane_) {
        TellAboutCode(L"No code pane selected");
        return State::NoPane;
    }
    long endLine = 0, endColumn = 0;
    rt::Call(pane_.Get(), L"GetSelection",
             {Variant::ByRef(&line), Variant::ByRef(&column), Variant::ByRef(&endLine),
              Variant::ByRef(&endColumn)});
    if (rt::GetObject(pane_.Get(), L"CodeModule", {}, module_) || !module_)
        return State::Unreadable;
    Variant read;
    if (rt::Get(module_.Get(), L"Lines", {line, 1}, &read).failed()) {
        // The editors refuse Lines past the module's last line, where the caret of an empty
        // module stands.
        Variant count;
        if (line < 1 || rt::Get(module_.Get(), L"CountOfLines", {}, &count) ||
            count.vt() != VT_I4 || count.raw().lVal != line - 1)
            return State::Unreadable;
        pastEnd_ = true;
        text.clear();
        return State::Read;
    }
    if (read.vt() != VT_BSTR) return State::Unreadable;
    text = read.Text();
    return State::Read;
}

bool CaretLine::Write(const std::wstring& replaced, long caretColumn) {
    if (!module_) return false;
    const bool done =
        !rt::Call(module_.Get(), pastEnd_ ? L"InsertLines" : L"ReplaceLine", {line, replaced})
             .failed();
    // Writing moves the editor's caret: it goes back to the end of what was written.
    if (done) rt::Call(pane_.Get(), L"SetSelection", {line, caretColumn, line, caretColumn});
    rt::Call(pane_.Get(), L"Show");
    return done;
}

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

void TellAboutCode(const wchar_t* message) {
    rt::MsgBox(message, MB_OK | MB_ICONINFORMATION, L"Pigmora");
}

} // namespace hv::output

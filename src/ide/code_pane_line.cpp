#include "code_pane_line.h"
#include "edit_refusal.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"

namespace hv::output {

using rt::Variant;

namespace {

// ActiveCodePane is the active or the last active code pane: while another code window or a
// designer is the active window, it is one the user does not see. Tool windows (Immediate,
// Project, Properties) leave the code window in view. When the IDE can't tell, the pane counts
// as the one in front, as it always did.
bool PaneBehindAnother(IDispatch* vbe, IDispatch* pane) {
    constexpr long kCodeWindow = 0, kDesigner = 1; // vbext_WindowType
    rt::ComPtr<IDispatch> active, own;
    Variant activeHandle, ownHandle, type;
    if (rt::GetObject(vbe, L"ActiveWindow", {}, active) || !active ||
        rt::Get(active.Get(), L"HWnd", {}, &activeHandle) ||
        rt::GetObject(pane, L"Window", {}, own) || !own ||
        rt::Get(own.Get(), L"HWnd", {}, &ownHandle) || activeHandle.vt() != VT_I4 ||
        ownHandle.vt() != VT_I4 || activeHandle.raw().lVal == ownHandle.raw().lVal)
        return false;
    return !rt::Get(active.Get(), L"Type", {}, &type) && type.vt() == VT_I4 &&
           (type.raw().lVal == kCodeWindow || type.raw().lVal == kDesigner);
}

} // namespace

CaretLine::State CaretLine::Read() {
    if (vbe_) rt::GetObject(vbe_, L"ActiveCodePane", {}, pane_);
    if (!pane_) {
        TellAboutCode(L"No code pane selected");
        return State::NoPane;
    }
    if (PaneBehindAnother(vbe_, pane_.Get())) {
        TellAboutCode(L"The code window is behind another window: click into it first");
        return State::NoPane;
    }
    long endLine = 0, endColumn = 0;
    rt::Call(pane_.Get(), L"GetSelection",
             {Variant::ByRef(&line), Variant::ByRef(&column), Variant::ByRef(&endLine),
              Variant::ByRef(&endColumn)});
    if (rt::GetObject(pane_.Get(), L"CodeModule", {}, module_) || !module_)
        return State::Unreadable;
    Variant read;
    if (rt::Get(module_.Get(), L"Lines", {line, 1}, &read) || read.vt() != VT_BSTR)
        return State::Unreadable;
    text = read.Text();
    if (text.empty()) {
        // An empty line, or the caret just past the module's last one (line 1 of an empty
        // module), which can't be replaced, only added: the count of lines tells which.
        Variant count;
        if (line < 1 || rt::Get(module_.Get(), L"CountOfLines", {}, &count) ||
            count.vt() != VT_I4 || count.raw().lVal < line - 1)
            return State::Unreadable;
        pastEnd_ = count.raw().lVal == line - 1;
    }
    return State::Read;
}

bool CaretLine::Write(const std::wstring& replaced,
                      const std::function<long(const std::wstring&)>& caretColumn) {
    if (!module_) return false;
    // A line that stays as it was is not written: the editor would redo it its own way.
    const rt::CallError e =
        replaced == text && !pastEnd_
            ? rt::CallError{}
            : rt::Call(module_.Get(), pastEnd_ ? L"InsertLines" : L"ReplaceLine", {line, replaced});
    const bool done = !e.failed();
    // A project that is protected or runs keeps its code: the user hears why, once.
    if (IsEditRefusal(e)) TellAboutCode((L"The code was not changed: " + e.Text()).c_str());
    if (done) {
        // Writing moves the editor's caret, and the editor shows the line its own way
        // (&H00FF& as &HFF&): the caret goes back after what was written, as it reads now.
        Variant shown;
        const bool read = !rt::Get(module_.Get(), L"Lines", {line, 1}, &shown) &&
                          shown.vt() == VT_BSTR;
        const long column = caretColumn(read ? shown.Text() : replaced);
        rt::Call(pane_.Get(), L"SetSelection", {line, column, line, column});
    }
    rt::Call(pane_.Get(), L"Show");
    return done;
}

std::optional<std::wstring> CaretLine::Other(long n) {
    Variant read;
    if (!module_ || n < 1 || rt::Get(module_.Get(), L"Lines", {n, 1}, &read).failed() || read.vt() != VT_BSTR)
        return std::nullopt;
    return read.Text();
}

bool CaretLine::ReplaceOther(long n, const std::wstring& replaced) {
    return module_ && !rt::Call(module_.Get(), L"ReplaceLine", {n, replaced}).failed();
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

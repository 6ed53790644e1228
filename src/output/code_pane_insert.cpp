#include "code_pane_insert.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"

namespace hv::output {

namespace {

using rt::ComPtr;
using rt::Variant;

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

} // namespace

void ShowNoCodePane() {
    rt::MsgBox(L"No code pane selected", MB_OK | MB_ICONINFORMATION, L"Pigmora");
}

InsertResult InsertIntoCodePane(IDispatch* vbe, const std::function<std::string()>& text) {
    // One pane for the whole command: nothing between its steps can change which one is
    // active, and each extra late-bound call is a round through the IDE's dispatch.
    ComPtr<IDispatch> pane;
    if (vbe) rt::GetObject(vbe, L"ActiveCodePane", {}, pane);
    if (!pane) {
        ShowNoCodePane();
        return InsertResult::NoPane;
    }
    long startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    rt::Call(pane.Get(), L"GetSelection",
             {Variant::ByRef(&startLine), Variant::ByRef(&startColumn), Variant::ByRef(&endLine),
              Variant::ByRef(&endColumn)});
    // Without the caret's line there is nothing safe to replace it with: writing the text
    // alone would lose the user's code on that line.
    Variant line;
    ComPtr<IDispatch> module;
    if (rt::GetObject(pane.Get(), L"CodeModule", {}, module) || !module ||
        rt::Get(module.Get(), L"Lines", {startLine, 1}, &line).failed() || line.vt() != VT_BSTR)
        return InsertResult::Unchanged;
    const std::wstring replaced = line.Text() + Widen(text());
    const bool done = !rt::Call(module.Get(), L"ReplaceLine", {startLine, replaced}).failed();
    rt::Call(pane.Get(), L"Show");
    return done ? InsertResult::Inserted : InsertResult::Unchanged;
}

} // namespace hv::output

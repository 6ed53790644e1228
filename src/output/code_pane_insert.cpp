#include "code_pane_insert.h"
#include "../runtime/late_call.h"
#include "../runtime/message_box.h"
#include "../runtime/vb_instance.h"

namespace hv::output {

namespace {

using rt::ComPtr;
using rt::Variant;

// The pane with the focus now; never kept between steps.
ComPtr<IDispatch> ActivePane() {
    ComPtr<IDispatch> pane;
    if (IDispatch* vbe = rt::VBInstance()) rt::GetObject(vbe, L"ActiveCodePane", {}, pane);
    return pane;
}

ComPtr<IDispatch> ActiveModule() {
    ComPtr<IDispatch> module;
    if (auto pane = ActivePane()) rt::GetObject(pane.Get(), L"CodeModule", {}, module);
    return module;
}

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

InsertResult InsertIntoCodePane(const std::function<std::string()>& text) {
    if (!ActivePane()) {
        ShowNoCodePane();
        return InsertResult::NoPane;
    }
    long startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    if (auto pane = ActivePane())
        rt::Call(pane.Get(), L"GetSelection",
                 {Variant::ByRef(&startLine), Variant::ByRef(&startColumn), Variant::ByRef(&endLine),
                  Variant::ByRef(&endColumn)});
    // Without the caret's line there is nothing safe to replace it with: writing the text
    // alone would lose the user's code on that line.
    Variant line;
    auto module = ActiveModule();
    if (!module || rt::Get(module.Get(), L"Lines", {startLine, 1}, &line).failed() ||
        line.vt() != VT_BSTR)
        return InsertResult::Unchanged;
    const std::wstring replaced = line.Text() + Widen(text());
    bool done = false;
    if (auto again = ActiveModule())
        done = !rt::Call(again.Get(), L"ReplaceLine", {startLine, replaced}).failed();
    if (auto pane = ActivePane()) rt::Call(pane.Get(), L"Show");
    return done ? InsertResult::Inserted : InsertResult::Unchanged;
}

} // namespace hv::output

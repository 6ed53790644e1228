#include "project_edit.h"
#include "project_access.h"

namespace hv::output {

using rt::ComPtr;
using rt::Variant;

namespace {

const rt::CallError kChanged{E_FAIL, L"changed since it was read, left as it is"};

rt::CallError Missing() {
    return {E_FAIL, L"no longer in the project"};
}

rt::CallError ReadLine(IDispatch* module, long line, std::wstring* text) {
    Variant v;
    rt::CallError e = rt::Get(module, L"Lines", {line, 1}, &v);
    *text = v.Text();
    return e;
}

} // namespace

rt::CallError ProjectEdit::Write(const ColourUse& use, const ColourEdit& edit, bool undo,
                                 ColourEdit* read) {
    const ComPtr<IDispatch> component = ComponentNamed(vbe_, use.component);
    if (!component) return Missing();
    if (use.InCode()) {
        ComPtr<IDispatch> module;
        std::wstring now;
        if (rt::CallError e = rt::GetObject(component.Get(), L"CodeModule", {}, module)) return e;
        if (!module) return Missing();
        if (rt::CallError e = ReadLine(module.Get(), use.line, &now)) return e;
        if (undo ? !StillAsReplaced(edit, use, now, 0) : now != edit.before) return kChanged;
        if (rt::CallError e = rt::Call(module.Get(), L"ReplaceLine",
                                       {use.line, undo ? edit.before : edit.after}))
            return e;
        // The editor may show the line otherwise than it was sent: undo looks for that.
        if (read) ReadLine(module.Get(), use.line, &read->after);
        return {};
    }
    const DesignerUse form(component.Get());
    ComPtr<IDispatch> object;
    if (!form.controls) return form.error;
    if (rt::GetObject(form.controls.Get(), L"Item", {use.line}, object) || !object) return Missing();
    const ControlAccess control(object);
    Variant now;
    const wchar_t* property = use.property.c_str();
    if (control.Name() != use.control && use.control != L"?") return Missing();
    if (rt::CallError e = control.Read(property, &now)) return e;
    const ColorValue value = static_cast<ColorValue>(now.raw().lVal);
    if (undo ? !StillAsReplaced(edit, use, L"", value) : value != edit.oldValue) return kChanged;
    if (rt::CallError e = control.Write(property, undo ? edit.oldValue : edit.newValue)) return e;
    if (control.properties) MarkChanged(component.Get()); // VB6 only: see MarkChanged
    return {};
}

std::wstring ProjectEdit::Replace(const std::vector<ColourUse>& uses, const ReplacePlan& plan) {
    std::wstring told;
    for (std::size_t i : plan.refused)
        told += L"\r\n" + UseText(uses[i]) + L": the line would be longer than VB allows";
    std::vector<ColourEdit> done;
    for (const ColourEdit& edit : plan.edits) {
        ColourEdit written = edit;
        if (rt::CallError e = Write(uses[edit.uses[0]], edit, false, &written))
            for (std::size_t i : edit.uses)
                told += L"\r\n" + UseText(uses[i]) + L": " + e.Text();
        else
            done.push_back(std::move(written));
    }
    if (!done.empty()) {
        uses_ = uses;
        done_.swap(done);
    }
    return told;
}

std::wstring ProjectEdit::Undo() {
    std::wstring told;
    // Last first, so that a line written twice comes back to what it was.
    for (auto edit = done_.rbegin(); edit != done_.rend(); ++edit)
        if (rt::CallError e = Write(uses_[edit->uses[0]], *edit, true, nullptr))
            for (std::size_t i : edit->uses)
                told += L"\r\n" + UseText(uses_[i]) + L": " + e.Text();
    done_.clear();
    return told;
}

void GoToUse(IDispatch* vbe, const ColourUse& use) {
    const ComPtr<IDispatch> component = ComponentNamed(vbe, use.component);
    if (!component) return;
    if (use.InCode()) {
        ComPtr<IDispatch> module, pane;
        if (rt::GetObject(component.Get(), L"CodeModule", {}, module) || !module ||
            rt::GetObject(module.Get(), L"CodePane", {}, pane) || !pane)
            return;
        const long from = static_cast<long>(use.at.start) + 1, to = static_cast<long>(use.at.end) + 1;
        rt::Call(pane.Get(), L"Show");
        rt::Call(pane.Get(), L"SetSelection", {use.line, from, use.line, to});
        return;
    }
    rt::Call(component.Get(), L"Activate");
    ComPtr<IDispatch> designer, selected, control;
    Variant count;
    // VB6: the control alone selected. The UserForm designer has no selection to set.
    if (rt::GetObject(component.Get(), L"Designer", {}, designer) || !designer ||
        rt::GetObject(designer.Get(), L"SelectedVBControls", {}, selected) ||
        rt::Get(selected.Get(), L"Count", {}, &count))
        return;
    for (long i = count.raw().lVal - 1; i >= 0; --i)
        if (ComPtr<IDispatch> c; !rt::GetObject(selected.Get(), L"Item", {i}, c) && c)
            rt::Put(c.Get(), L"InSelection", false);
    ComPtr<IDispatch> all;
    if (!rt::GetObject(designer.Get(), L"VBControls", {}, all) &&
        !rt::GetObject(all.Get(), L"Item", {use.line}, control) && control)
        rt::Put(control.Get(), L"InSelection", true);
}

} // namespace hv::output

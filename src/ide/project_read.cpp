#include "project_read.h"
#include "project_access.h"

namespace hv::output {

using rt::ComPtr;
using rt::Variant;

namespace {
long LongOf(const Variant& v) {
    return v.vt() == VT_I4 || v.vt() == VT_UI4 ? v.raw().lVal : 0;
}
} // namespace

ProjectRead::ProjectRead(IDispatch* vbe) : components_(ProjectComponents(vbe)) {
    Variant count;
    if (components_ && !rt::Get(components_.Get(), L"Count", {}, &count)) total_ = LongOf(count);
}

bool ProjectRead::Next() {
    if (done_ >= total_) return false;
    ComPtr<IDispatch> component;
    Variant name, type;
    // VBComponents counts from 1.
    if (rt::CallError e = rt::GetObject(components_.Get(), L"Item", {++done_}, component);
        e || !component) {
        failures += L"\r\n" + e.Text();
        return true;
    }
    rt::Get(component.Get(), L"Name", {}, &name);
    rt::Get(component.Get(), L"Type", {}, &type);
    ReadCode(component.Get(), name.Text());
    if (IsFormType(LongOf(type))) ReadForm(component.Get(), name.Text());
    return true;
}

void ProjectRead::ReadCode(IDispatch* component, const std::wstring& name) {
    ComPtr<IDispatch> module;
    Variant count, text;
    if (rt::GetObject(component, L"CodeModule", {}, module) || !module ||
        rt::Get(module.Get(), L"CountOfLines", {}, &count) || LongOf(count) < 1)
        return;
    // The whole module in one call.
    if (rt::CallError e = rt::Get(module.Get(), L"Lines", {1, LongOf(count)}, &text))
        failures += L"\r\n" + name + L": " + e.Text();
    else
        AddCodeUses(uses, name, text.Text());
}

void ProjectRead::ReadForm(IDispatch* component, const std::wstring& name) {
    DesignerUse form(component);
    Variant count;
    if (!form.controls || rt::Get(form.controls.Get(), L"Count", {}, &count)) {
        failures += L"\r\n" + name + L": " + form.error.Text();
        return;
    }
    // VB6's VBControls and the UserForm's Controls count from 0.
    for (long i = 0, n = LongOf(count); i < n; ++i) {
        ComPtr<IDispatch> object;
        if (rt::GetObject(form.controls.Get(), L"Item", {i}, object) || !object) continue;
        const ControlAccess control(object);
        ColourUse use;
        use.component = name;
        use.control = control.Name();
        use.line = i;
        if (use.control.empty()) use.control = L"?";
        bool has[2] = {};
        ColorValue pair[2] = {};
        for (int k = 0; k < 5; ++k) {
            Variant v;
            // OLE_COLOR may come as either 32-bit integer; the bits are the colour.
            if (control.Read(kColourProperties[k], &v) || (v.vt() != VT_I4 && v.vt() != VT_UI4))
                continue;
            use.property = kColourProperties[k];
            use.value = static_cast<ColorValue>(v.raw().lVal);
            uses.push_back(use);
            if (k < 2) has[k] = true, pair[k] = use.value;
        }
        // Text is drawn in ForeColor on BackColor.
        if (has[0] && has[1]) texts.push_back({name, use.control, pair[1], pair[0]});
    }
}

} // namespace hv::output

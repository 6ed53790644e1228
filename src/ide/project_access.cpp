#include "project_access.h"

namespace hv::output {

using rt::ComPtr;
using rt::Variant;

const wchar_t* const kColourProperties[5] = {L"BackColor", L"ForeColor", L"FillColor",
                                             L"BorderColor", L"MaskColor"};

ComPtr<IDispatch> ProjectComponents(IDispatch* vbe) {
    ComPtr<IDispatch> project, components;
    if (vbe && !rt::GetObject(vbe, L"ActiveVBProject", {}, project) && project)
        rt::GetObject(project.Get(), L"VBComponents", {}, components);
    return components;
}

ComPtr<IDispatch> ComponentNamed(IDispatch* vbe, const std::wstring& name) {
    ComPtr<IDispatch> components = ProjectComponents(vbe), component;
    if (components) rt::GetObject(components.Get(), L"Item", {name}, component);
    return component;
}

bool IsFormType(long type) {
    // VBA's UserForm (3), VB6's form, MDI form, property page, user control and user
    // document (5 to 9).
    return type == 3 || (type >= 5 && type <= 9);
}

DesignerUse::DesignerUse(IDispatch* component) : component_(component) {
    Variant open;
    wasOpen_ = !rt::Get(component, L"HasOpenDesigner", {}, &open) && open.vt() == VT_BOOL &&
               open.raw().boolVal;
    if ((error = rt::GetObject(component, L"Designer", {}, designer)) || !designer) return;
    // VB6's designer lists its controls in VBControls, the UserForm in Controls.
    if (rt::GetObject(designer.Get(), L"VBControls", {}, controls))
        error = rt::GetObject(designer.Get(), L"Controls", {}, controls);
}

DesignerUse::~DesignerUse() {
    controls.Reset();
    designer.Reset();
    ComPtr<IDispatch> window;
    if (!wasOpen_ && !rt::GetObject(component_, L"DesignerWindow", {}, window) && window)
        rt::Call(window.Get(), L"Close");
}

ControlAccess::ControlAccess(ComPtr<IDispatch> control) : object(std::move(control)) {
    rt::GetObject(object.Get(), L"Properties", {}, properties);
}

rt::CallError ControlAccess::Read(const wchar_t* property, Variant* value) const {
    if (!properties) return rt::Get(object.Get(), property, {}, value);
    ComPtr<IDispatch> p;
    if (rt::CallError e = rt::GetObject(properties.Get(), L"Item", {property}, p)) return e;
    return rt::Get(p.Get(), L"Value", {}, value);
}

rt::CallError ControlAccess::Write(const wchar_t* property, long value) const {
    if (!properties) return rt::Put(object.Get(), property, value);
    ComPtr<IDispatch> p;
    if (rt::CallError e = rt::GetObject(properties.Get(), L"Item", {property}, p)) return e;
    return rt::Put(p.Get(), L"Value", value);
}

std::wstring ControlAccess::Name() const {
    Variant name;
    Read(L"Name", &name);
    return name.Text();
}

void MarkChanged(IDispatch* component) {
    Variant dirty;
    if (!rt::Get(component, L"IsDirty", {}, &dirty) && dirty.vt() == VT_BOOL &&
        !dirty.raw().boolVal)
        rt::Put(component, L"IsDirty", true);
}

} // namespace hv::output

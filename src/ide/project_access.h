// The pieces of the active project the project's colours are read from and written to: its
// components by name, a form's designer held only while needed, its controls and their
// colour properties (VB6's Properties(name).Value or an MSForms control's own member).
#pragma once
#include "../runtime/com_ptr.h"
#include "../runtime/late_call.h"
#include <string>

namespace hv::output {

// The colour properties a control may have; which ones it has is asked of the control.
extern const wchar_t* const kColourProperties[5];

// VBE.ActiveVBProject.VBComponents; null without a project.
rt::ComPtr<IDispatch> ProjectComponents(IDispatch* vbe);
rt::ComPtr<IDispatch> ComponentNamed(IDispatch* vbe, const std::wstring& name);

// Whether a component of this type has a designer with controls.
bool IsFormType(long type);

// A form's designer and its controls for as long as this lives: a designer the user had not
// open is closed again, so reading leaves the IDE's windows as they were.
class DesignerUse {
  public:
    explicit DesignerUse(IDispatch* component);
    ~DesignerUse();
    DesignerUse(const DesignerUse&) = delete;
    DesignerUse& operator=(const DesignerUse&) = delete;

    // VB6's VBControls or the UserForm's Controls; null when the designer could not be had.
    rt::ComPtr<IDispatch> controls;
    rt::ComPtr<IDispatch> designer;
    rt::CallError error;

  private:
    IDispatch* component_;
    bool wasOpen_ = true;
};

// A control and how its properties are reached.
struct ControlAccess {
    rt::ComPtr<IDispatch> object, properties; // properties: null for MSForms controls
    explicit ControlAccess(rt::ComPtr<IDispatch> control);
    rt::CallError Read(const wchar_t* property, rt::Variant* value) const;
    rt::CallError Write(const wchar_t* property, long value) const;
    std::wstring Name() const;
};

// A VB6 form is marked changed after a write through Properties, which alone may leave it
// unmarked. Not for the VBA editor: its components have no IsDirty, and MSForms controls'
// own members mark the form themselves.
void MarkChanged(IDispatch* component);

} // namespace hv::output

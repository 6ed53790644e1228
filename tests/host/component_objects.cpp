// VBE.SelectedVBComponent and what a form's designer answers: in the VB6 IDE a VBForm with
// SelectedVBControls of VBControls, whose properties go through Properties(name).Value; in
// the VBA editor a UserForm whose Selected controls are MSForms controls, their properties
// members of their own IDispatch.
#include "designer.h"
#include "ide.h"
#include "objects.h"
#include <algorithm>
#include <map>
#include <olectl.h>

namespace host {

namespace {

template <typename T, typename... A> ComPtr<IDispatch> Make(A&&... a) {
    return Adopt(static_cast<IDispatch*>(new T(std::forward<A>(a)...)));
}

// The editors' component types.
constexpr long kStdModule = 1, kMsForm = 3, kVbForm = 5;

Outcome OutOfRange() {
    return Raise(kErrSubscript, L"Subscript out of range");
}
Outcome InvalidValue() {
    return Raise(VbError(380), L"Invalid property value");
}

// What every object of a form holds: the IDE and the form, either of which may be gone.
struct FormRef {
    std::weak_ptr<Ide> ide;
    std::weak_ptr<FormDesigner> form;
    std::shared_ptr<FormDesigner> Lock() const {
        auto i = ide.lock();
        return i && i->open() ? form.lock() : nullptr;
    }
};

// A control's colour, read or written as the designer's Properties window would.
Outcome ReadColour(FormDesigner& f, size_t control, const std::wstring& name, VARIANT* result) {
    const ColourProperty* p = f.model().controls[control].Colour(name);
    if (!p) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
    ReturnLong(result, p->value);
    return {};
}

Outcome WriteColour(FormDesigner& f, size_t control, const std::wstring& name, const VARIANT& value,
                    const wchar_t* objectName, bool marksChanged) {
    FormControl& c = f.model().controls[control];
    ColourProperty* p = c.Colour(name);
    if (!p) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
    VARIANT n;
    VariantInit(&n);
    if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&value), 0, VT_I4)) ||
        !ValidColour(n.lVal))
        return InvalidValue();
    if (c.refusesWrites)
        return Raise(E_FAIL,
                     std::wstring(L"Method 'Value' of object '") + objectName + L"' failed");
    p->value = n.lVal;
    if (marksChanged) f.model().changed = true;
    f.Redraw();
    return {};
}

// -- Property and Properties (VB6) ---------------------------------------------------------

enum { kValue = DISPID_VALUE, kPropertyName = 1 };
const std::vector<Member> kPropertyMembers = {
    {L"Value", kValue, Kind::Get, {}},
    {L"Value", kValue, Kind::Put, {{L"Value", Type::Any}}},
    {L"Name", kPropertyName, Kind::Get, {}},
};

class PropertyObject final : public DispatchObject {
  public:
    PropertyObject(FormRef ref, size_t control, std::wstring name)
        : DispatchObject(L"Property", kPropertyMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control), name_(std::move(name)) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f) return Gone();
        if (m.id == kPropertyName) {
            ReturnString(result, name_);
            return {};
        }
        if (m.kind == Kind::Get) return ReadColour(*f, control_, name_, result);
        // The Properties window's way leaves the form as it was marked: the caller marks it.
        return WriteColour(*f, control_, name_, args.Any(0), L"Property", false);
    }
    FormRef ref_;
    size_t control_;
    std::wstring name_;
};

enum { kItem = DISPID_VALUE, kCount = 1 };
const std::vector<Member> kPropertiesMembers = {
    {L"Item", kItem, Kind::Method, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
};

// Only the colour properties of the control are modelled; any other name raises as an unknown one.
class PropertiesObject final : public DispatchObject {
  public:
    PropertiesObject(FormRef ref, size_t control)
        : DispatchObject(L"Properties", kPropertiesMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f) return Gone();
        const auto& colours = f->model().controls[control_].colours;
        if (m.id == kCount) {
            ReturnLong(result, static_cast<long>(colours.size()));
            return {};
        }
        const VARIANT& index = args.Any(0);
        std::wstring name;
        if (index.vt == VT_BSTR) {
            name = FromBstr(index.bstrVal);
        } else {
            VARIANT n;
            VariantInit(&n);
            if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&index), 0, VT_I4)))
                return Raise(DISP_E_TYPEMISMATCH, L"Type mismatch");
            if (n.lVal < 1 || n.lVal > static_cast<long>(colours.size())) return OutOfRange();
            name = colours[static_cast<size_t>(n.lVal - 1)].name;
        }
        const ColourProperty* p = f->model().controls[control_].Colour(name);
        if (!p) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
        ReturnObject(result, Make<PropertyObject>(ref_, control_, p->name).Detach());
        return {};
    }
    FormRef ref_;
    size_t control_;
};

// -- VBControl (VB6) -------------------------------------------------------------------------

enum { kProperties = 1, kClassName, kInSelection };
const std::vector<Member> kControlMembers = {
    {L"Properties", kProperties, Kind::Get, {}},
    {L"ClassName", kClassName, Kind::Get, {}},
    {L"InSelection", kInSelection, Kind::Get, {}},
};

class VbControlObject final : public DispatchObject {
  public:
    VbControlObject(FormRef ref, size_t control)
        : DispatchObject(L"VBControl", kControlMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f) return Gone();
        switch (m.id) {
        case kProperties:
            ReturnObject(result, Make<PropertiesObject>(ref_, control_).Detach());
            break;
        case kClassName: {
            const std::wstring& full = f->model().controls[control_].className;
            ReturnString(result, full.substr(full.find(L'.') + 1));
            break;
        }
        case kInSelection: {
            const auto& s = f->selection();
            ReturnBool(result, std::find(s.begin(), s.end(), control_) != s.end());
            break;
        }
        }
        return {};
    }
    FormRef ref_;
    size_t control_;
};

// -- MSForms controls (VBA): the colours are the control's own members ------------------------

constexpr DISPID kNameId = static_cast<DISPID>(0x80010000);

DISPID StockId(const wchar_t* name) {
    if (SameText(name, L"BackColor")) return DISPID_BACKCOLOR;
    if (SameText(name, L"ForeColor")) return DISPID_FORECOLOR;
    if (SameText(name, L"BorderColor")) return DISPID_BORDERCOLOR;
    return DISPID_FILLCOLOR;
}

// One member table per set of colour properties, kept for the process.
const std::vector<Member>& MembersFor(const FormControl& c) {
    static std::map<std::wstring, std::vector<Member>> tables;
    std::wstring key;
    for (const ColourProperty& p : c.colours)
        key += std::wstring(p.name) + L",";
    auto& members = tables[key];
    if (members.empty()) {
        members.push_back({L"Name", kNameId, Kind::Get, {}});
        for (const ColourProperty& p : c.colours) {
            members.push_back({p.name, StockId(p.name), Kind::Get, {}});
            members.push_back({p.name, StockId(p.name), Kind::Put, {{L"Value", Type::Any}}});
        }
    }
    return members;
}

class MsFormsControlObject final : public DispatchObject {
  public:
    MsFormsControlObject(FormRef ref, size_t control, const std::vector<Member>& members)
        : DispatchObject(L"Control", members, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f) return Gone();
        if (m.id == kNameId) {
            ReturnString(result, f->model().controls[control_].name);
            return {};
        }
        if (m.kind == Kind::Get) return ReadColour(*f, control_, m.name, result);
        return WriteColour(*f, control_, m.name, args.Any(0), L"Control", true);
    }
    FormRef ref_;
    size_t control_;
};

ComPtr<IDispatch> NewControlObject(const FormRef& ref, FormDesigner& f, size_t index) {
    if (!f.msForms()) return Make<VbControlObject>(ref, index);
    return Make<MsFormsControlObject>(ref, index, MembersFor(f.model().controls[index]));
}

// -- SelectedVBControls / VBControls (VB6), Controls (MSForms) --------------------------------

const std::vector<Member> kCollectionMembers = {
    {L"Item", kItem, Kind::Method, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
};

class ControlsObject final : public DispatchObject {
  public:
    ControlsObject(const wchar_t* objectName, FormRef ref, bool selectedOnly)
        : DispatchObject(objectName, kCollectionMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          selectedOnly_(selectedOnly) {}

  private:
    // Both collections count from 0, and take a control's name too.
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f) return Gone();
        std::vector<size_t> items = f->selection();
        if (!selectedOnly_) {
            items.clear();
            for (size_t i = 0; i < f->model().controls.size(); ++i)
                items.push_back(i);
        }
        if (m.id == kCount) {
            ReturnLong(result, static_cast<long>(items.size()));
            return {};
        }
        const VARIANT& index = args.Any(0);
        if (index.vt == VT_BSTR) {
            for (size_t i : items)
                if (SameText(f->model().controls[i].name, FromBstr(index.bstrVal))) {
                    ReturnObject(result, NewControlObject(ref_, *f, i).Detach());
                    return {};
                }
            return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
        }
        VARIANT n;
        VariantInit(&n);
        if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&index), 0, VT_I4)))
            return Raise(DISP_E_TYPEMISMATCH, L"Type mismatch");
        if (n.lVal < 0 || n.lVal >= static_cast<long>(items.size())) return OutOfRange();
        ReturnObject(result,
                     NewControlObject(ref_, *f, items[static_cast<size_t>(n.lVal)]).Detach());
        return {};
    }
    FormRef ref_;
    bool selectedOnly_;
};

// -- VBForm (VB6) and UserForm (VBA): the designer --------------------------------------------

enum { kSelectedVBControls = 1, kVBControls };
const std::vector<Member> kVbFormMembers = {
    {L"SelectedVBControls", kSelectedVBControls, Kind::Get, {}},
    {L"VBControls", kVBControls, Kind::Get, {}},
};
enum { kSelected = 1, kControls };
const std::vector<Member> kUserFormMembers = {
    {L"Selected", kSelected, Kind::Get, {}},
    {L"Controls", kControls, Kind::Get, {}},
};

class DesignerObject final : public DispatchObject {
  public:
    DesignerObject(FormRef ref, bool msForms)
        : DispatchObject(msForms ? L"UserForm" : L"VBForm",
                         msForms ? kUserFormMembers : kVbFormMembers, PlanOf(ref.ide)),
          ref_(std::move(ref)), msForms_(msForms) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto f = ref_.Lock();
        if (!f || !f->window()) return Gone();
        const bool selected = m.id == 1;
        const wchar_t* name = msForms_   ? L"Controls"
                              : selected ? L"SelectedVBControls"
                                         : L"VBControls";
        ReturnObject(result, Make<ControlsObject>(name, ref_, selected).Detach());
        return {};
    }
    FormRef ref_;
    bool msForms_;
};

// -- VBComponent -------------------------------------------------------------------------------

enum { kName = 1, kType, kDesigner, kHasOpenDesigner, kIsDirty };
const std::vector<Member> kVb6ComponentMembers = {
    {L"Name", kName, Kind::Get, {}},
    {L"Type", kType, Kind::Get, {}},
    {L"Designer", kDesigner, Kind::Get, {}},
    {L"HasOpenDesigner", kHasOpenDesigner, Kind::Get, {}},
    {L"IsDirty", kIsDirty, Kind::Get, {}},
    {L"IsDirty", kIsDirty, Kind::Put, {{L"Value", Type::Bool}}},
};
// The VBA editor's components have no IsDirty.
const std::vector<Member> kVbaComponentMembers(kVb6ComponentMembers.begin(),
                                               kVb6ComponentMembers.begin() + 4);

class ComponentObject final : public DispatchObject {
  public:
    ComponentObject(std::weak_ptr<Ide> ide, bool vba, std::weak_ptr<FormDesigner> form,
                    std::weak_ptr<CodePane> pane)
        : DispatchObject(L"VBComponent", vba ? kVbaComponentMembers : kVb6ComponentMembers,
                         PlanOf(ide)),
          ref_{std::move(ide), std::move(form)}, pane_(std::move(pane)), isForm_(!pane_.lock()),
          vba_(vba) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ref_.ide.lock();
        if (!ide || !ide->open()) return Gone();
        auto form = ref_.form.lock();
        auto pane = pane_.lock();
        if (isForm_ ? !form : !pane) return Gone();
        switch (m.id) {
        case kName:
            ReturnString(result, form ? form->model().name : pane->name());
            break;
        case kType:
            ReturnLong(result, !form ? kStdModule : vba_ ? kMsForm : kVbForm);
            break;
        case kHasOpenDesigner:
            ReturnBool(result, form && form->window());
            break;
        case kDesigner:
            if (!form) {
                ReturnObject(result, nullptr);
                break;
            }
            // With no designer open, the editors make one, not shown.
            form->OpenHidden();
            ReturnObject(result, Make<DesignerObject>(ref_, vba_).Detach());
            break;
        case kIsDirty:
            if (m.kind == Kind::Put) {
                if (form) form->model().changed = args.Bool(0);
            } else {
                ReturnBool(result, form && form->model().changed);
            }
            break;
        }
        return {};
    }
    FormRef ref_;
    std::weak_ptr<CodePane> pane_;
    bool isForm_, vba_;
};

} // namespace

ComPtr<IDispatch> Ide::SelectedComponent() {
    HWND active =
        mdi_ ? reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    auto component = [this](std::weak_ptr<FormDesigner> f, std::weak_ptr<CodePane> p) {
        return Make<ComponentObject>(weak_from_this(), options_.vba, std::move(f), std::move(p));
    };
    for (const auto& f : forms_)
        if (active && f->window() == active) return component(f, {});
    if (auto pane = ActivePane()) return component({}, pane);
    // The Project Explorer keeps the last form selected after its designer closed.
    if (auto f = lastForm_.lock()) return component(f, {});
    return nullptr;
}

} // namespace host

// VBE.SelectedVBComponent and what a form's designer answers: in the VB6 IDE a VBForm with
// SelectedVBControls of VBControls, whose properties go through Properties(name).Value; in
// the VBA editor a UserForm whose Selected controls are MSForms controls, their properties
// members of their own IDispatch, a control selected inside a Frame or a MultiPage's page
// standing there for its container. Objects of a closed designer or a deleted control raise
// DISP_E_BADCALLEE, without a description.
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

constexpr long kStdModule = 1; // the editors' component type of a module

Outcome OutOfRange() {
    return Raise(kErrSubscript, L"Subscript out of range");
}
Outcome InvalidValue() {
    return Raise(VbError(380), L"Invalid property value");
}

// What every object of a form's designer holds: the IDE, the form, and which of the form's
// designers made it. The objects of a designer die with it, as the editors' do.
struct FormRef {
    std::weak_ptr<Ide> ide;
    std::weak_ptr<FormDesigner> form;
    unsigned generation = 0;
    // The form while this designer lives; otherwise null and `why` says what is gone.
    std::shared_ptr<FormDesigner> Lock(Outcome* why) const {
        auto i = ide.lock();
        if (!i || !i->open()) {
            *why = Gone();
            return nullptr;
        }
        auto f = form.lock();
        if (!f || !f->window() || f->generation() != generation) {
            *why = Dead();
            return nullptr;
        }
        return f;
    }
};

// A control of a live designer, found again by its id: it may have been deleted since.
struct Held {
    std::shared_ptr<FormDesigner> form;
    size_t index = 0;
    FormControl& control() const { return form->model().controls[index]; }
};
Outcome Hold(const FormRef& ref, unsigned id, Held* held) {
    Outcome why;
    held->form = ref.Lock(&why);
    if (!held->form) return why;
    held->index = held->form->model().IndexOf(id);
    return held->index < held->form->model().controls.size() ? Outcome{} : Dead();
}

// The properties of a control as the Properties window lists them: its name, caption or
// text, position and size (a line's ends), and the colours its class has.
std::vector<std::wstring> PropertyNames(const FormControl& c) {
    std::vector<std::wstring> names{L"Name"};
    if (c.kind == ControlKind::TextBox)
        names.push_back(L"Text");
    else if (c.kind == ControlKind::Label || c.kind == ControlKind::CommandButton ||
             c.kind == ControlKind::Frame || c.kind == ControlKind::Page)
        names.push_back(L"Caption");
    if (c.kind == ControlKind::Line)
        names.insert(names.end(), {L"X1", L"Y1", L"X2", L"Y2"});
    else
        names.insert(names.end(), {L"Left", L"Top", L"Width", L"Height"});
    for (const ColourProperty& p : c.colours)
        names.push_back(p.name);
    return names;
}

long* Position(FormControl& c, const std::wstring& name, long* end) {
    if (SameText(name, L"Left") || SameText(name, L"X1")) return &c.left;
    if (SameText(name, L"Top") || SameText(name, L"Y1")) return &c.top;
    if (SameText(name, L"Width")) return &c.width;
    if (SameText(name, L"Height")) return &c.height;
    // A line's second end is kept as its extent from the first.
    if (SameText(name, L"X2")) return *end = c.left + c.width, end;
    if (SameText(name, L"Y2")) return *end = c.top + c.height, end;
    return nullptr;
}

bool Has(const FormControl& c, const std::wstring& name) {
    for (const std::wstring& n : PropertyNames(c))
        if (SameText(n, name)) return true;
    return false;
}

// A property read or written as the designer's Properties window would: positions are
// Singles in twips, colours Longs.
Outcome ReadProperty(FormControl& c, const std::wstring& name, VARIANT* result) {
    if (!Has(c, name)) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
    long end = 0;
    if (const ColourProperty* p = c.Colour(name)) {
        ReturnLong(result, p->value);
    } else if (const long* v = Position(c, name, &end)) {
        result->vt = VT_R4;
        result->fltVal = static_cast<float>(*v);
    } else {
        ReturnString(result, SameText(name, L"Name") ? c.name : c.caption);
    }
    return {};
}

Outcome WriteProperty(const FormRef& ref, FormDesigner& f, size_t control, const std::wstring& name,
                      const VARIANT& value, const wchar_t* objectName, bool marksChanged) {
    if (Outcome refused = EditRefusal(ref.ide); FAILED(refused.code)) return refused;
    FormControl& c = f.model().controls[control];
    if (!Has(c, name)) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
    ColourProperty* colour = c.Colour(name);
    long end = 0;
    long* position = Position(c, name, &end);
    VARIANT n;
    VariantInit(&n);
    const VARTYPE want = colour || position ? VT_I4 : VT_BSTR;
    if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&value), 0, want)) ||
        (colour && !ValidColour(n.lVal)) || (want == VT_BSTR && !SysStringLen(n.bstrVal))) {
        VariantClear(&n);
        return InvalidValue();
    }
    if (c.refusesWrites) {
        VariantClear(&n);
        return Raise(E_FAIL,
                     std::wstring(L"Method 'Value' of object '") + objectName + L"' failed");
    }
    if (colour) {
        colour->value = n.lVal;
    } else if (position == &end) {
        (SameText(name, L"X2") ? c.width : c.height) =
            n.lVal - (SameText(name, L"X2") ? c.left : c.top);
    } else if (position) {
        *position = n.lVal;
    } else {
        (SameText(name, L"Name") ? c.name : c.caption) = FromBstr(n.bstrVal);
    }
    VariantClear(&n);
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
    PropertyObject(FormRef ref, unsigned control, std::wstring name)
        : DispatchObject(L"Property", kPropertyMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control), name_(std::move(name)) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        Held h;
        if (Outcome why = Hold(ref_, control_, &h); FAILED(why.code)) return why;
        if (m.id == kPropertyName) {
            ReturnString(result, name_);
            return {};
        }
        if (m.kind == Kind::Get) return ReadProperty(h.control(), name_, result);
        // The Properties window's way leaves the form as it was marked: the caller marks it.
        return WriteProperty(ref_, *h.form, h.index, name_, args.Any(0), L"Property", false);
    }
    FormRef ref_;
    unsigned control_;
    std::wstring name_;
};

enum { kItem = DISPID_VALUE, kCount = 1 };
const std::vector<Member> kPropertiesMembers = {
    {L"Item", kItem, Kind::Method, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
};

class PropertiesObject final : public DispatchObject {
  public:
    PropertiesObject(FormRef ref, unsigned control)
        : DispatchObject(L"Properties", kPropertiesMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        Held h;
        if (Outcome why = Hold(ref_, control_, &h); FAILED(why.code)) return why;
        const std::vector<std::wstring> names = PropertyNames(h.control());
        if (m.id == kCount) {
            ReturnLong(result, static_cast<long>(names.size()));
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
            if (n.lVal < 1 || n.lVal > static_cast<long>(names.size())) return OutOfRange();
            name = names[static_cast<size_t>(n.lVal - 1)];
        }
        for (const std::wstring& each : names)
            if (SameText(each, name)) {
                ReturnObject(result, Make<PropertyObject>(ref_, control_, each).Detach());
                return {};
            }
        return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
    }
    FormRef ref_;
    unsigned control_;
};

// -- VBControl (VB6) -------------------------------------------------------------------------

enum { kProperties = 1, kClassName, kInSelection };
const std::vector<Member> kControlMembers = {
    {L"Properties", kProperties, Kind::Get, {}},
    {L"ClassName", kClassName, Kind::Get, {}},
    {L"InSelection", kInSelection, Kind::Get, {}},
    {L"InSelection", kInSelection, Kind::Put, {{L"Value", Type::Bool}}},
};

class VbControlObject final : public DispatchObject {
  public:
    VbControlObject(FormRef ref, unsigned control)
        : DispatchObject(L"VBControl", kControlMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        Held h;
        if (Outcome why = Hold(ref_, control_, &h); FAILED(why.code)) return why;
        switch (m.id) {
        case kProperties:
            ReturnObject(result, Make<PropertiesObject>(ref_, control_).Detach());
            break;
        case kClassName: {
            const std::wstring& full = h.control().className;
            ReturnString(result, full.substr(full.find(L'.') + 1));
            break;
        }
        case kInSelection: {
            const auto& s = h.form->selection();
            const bool in = std::find(s.begin(), s.end(), h.index) != s.end();
            if (m.kind == Kind::Put) {
                if (args.Bool(0) != in) h.form->Select(h.index, true);
                break;
            }
            ReturnBool(result, in);
            break;
        }
        }
        return {};
    }
    FormRef ref_;
    unsigned control_;
};

// -- Which controls a collection holds ---------------------------------------------------------

enum class Listing {
    Selection,  // VB6's SelectedVBControls: the selected controls, wherever they sit
    All,        // VB6's VBControls
    SelectedIn, // MSForms' Selected of a container: what is selected at its level
    Within,     // MSForms' Controls of a container: every control inside it
    PagesOf     // a MultiPage's Pages
};

std::vector<size_t> Items(const FormModel& m, Listing listing, unsigned container,
                          const std::vector<size_t>& selection) {
    std::vector<size_t> items;
    const auto add = [&](size_t i) {
        if (std::find(items.begin(), items.end(), i) == items.end()) items.push_back(i);
    };
    if (listing == Listing::Selection) return selection;
    if (listing == Listing::SelectedIn) {
        // A control selected inside a container stands for the container at this level; the
        // container's own Selected holds it.
        for (size_t s : selection)
            for (size_t i = s; i < m.controls.size(); i = m.IndexOf(m.controls[i].parent))
                if (m.controls[i].parent == container) {
                    add(i);
                    break;
                }
        return items;
    }
    for (size_t i = 0; i < m.controls.size(); ++i) {
        const FormControl& c = m.controls[i];
        const bool page = c.kind == ControlKind::Page;
        if (listing == Listing::PagesOf ? page && c.parent == container
                                        : !page && c.id != container && m.Within(c.id, container))
            add(i);
    }
    return items;
}

ComPtr<IDispatch> NewControlObject(const FormRef& ref, FormDesigner& f, size_t index);

const std::vector<Member> kCollectionMembers = {
    {L"Item", kItem, Kind::Method, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
};

class ControlsObject final : public DispatchObject {
  public:
    ControlsObject(const wchar_t* objectName, FormRef ref, Listing listing, unsigned container)
        : DispatchObject(objectName, kCollectionMembers, PlanOf(ref.ide)), ref_(std::move(ref)),
          listing_(listing), container_(container) {}

  private:
    // The collections count from 0, and take a control's name too.
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        Held h;
        Outcome why;
        if (container_ ? FAILED((why = Hold(ref_, container_, &h)).code)
                       : !(h.form = ref_.Lock(&why)))
            return why;
        const FormModel& model = h.form->model();
        const std::vector<size_t> items = Items(model, listing_, container_, h.form->selection());
        if (m.id == kCount) {
            ReturnLong(result, static_cast<long>(items.size()));
            return {};
        }
        const VARIANT& index = args.Any(0);
        if (index.vt == VT_BSTR) {
            for (size_t i : items)
                if (SameText(model.controls[i].name, FromBstr(index.bstrVal))) {
                    ReturnObject(result, NewControlObject(ref_, *h.form, i).Detach());
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
                     NewControlObject(ref_, *h.form, items[static_cast<size_t>(n.lVal)]).Detach());
        return {};
    }
    FormRef ref_;
    Listing listing_;
    unsigned container_; // 0: the form
};

// -- MSForms controls (VBA): the colours are the control's own members; a Frame and a page
// hold their own selection, a MultiPage its pages -------------------------------------------

constexpr DISPID kNameId = static_cast<DISPID>(0x80010000);
constexpr DISPID kSelectedId = 0x10001, kActiveControlId = 0x10002, kControlsId = 0x10003,
                 kPagesId = 0x10004, kSelectedItemId = 0x10005, kValueId = DISPID_VALUE;

DISPID StockId(const wchar_t* name) {
    if (SameText(name, L"BackColor")) return DISPID_BACKCOLOR;
    if (SameText(name, L"ForeColor")) return DISPID_FORECOLOR;
    if (SameText(name, L"BorderColor")) return DISPID_BORDERCOLOR;
    return DISPID_FILLCOLOR;
}

// One member table per kind and set of colour properties, kept for the process.
const std::vector<Member>& MembersFor(const FormControl& c) {
    static std::map<std::wstring, std::vector<Member>> tables;
    std::wstring key = std::to_wstring(static_cast<int>(c.kind)) + L":";
    for (const ColourProperty& p : c.colours)
        key += std::wstring(p.name) + L",";
    auto& members = tables[key];
    if (members.empty()) {
        members.push_back({L"Name", kNameId, Kind::Get, {}});
        for (const ColourProperty& p : c.colours) {
            members.push_back({p.name, StockId(p.name), Kind::Get, {}});
            members.push_back({p.name, StockId(p.name), Kind::Put, {{L"Value", Type::Any}}});
        }
        if (c.kind == ControlKind::Frame || c.kind == ControlKind::Page) {
            members.push_back({L"Selected", kSelectedId, Kind::Get, {}});
            members.push_back({L"ActiveControl", kActiveControlId, Kind::Get, {}});
            members.push_back({L"Controls", kControlsId, Kind::Get, {}});
        } else if (c.kind == ControlKind::MultiPage) {
            members.push_back({L"Pages", kPagesId, Kind::Get, {}});
            members.push_back({L"SelectedItem", kSelectedItemId, Kind::Get, {}});
            members.push_back({L"Value", kValueId, Kind::Get, {}});
        }
    }
    return members;
}

class MsFormsControlObject final : public DispatchObject {
  public:
    MsFormsControlObject(FormRef ref, unsigned control, const wchar_t* objectName,
                         const std::vector<Member>& members)
        : DispatchObject(objectName, members, PlanOf(ref.ide)), ref_(std::move(ref)),
          control_(control) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        Held h;
        if (Outcome why = Hold(ref_, control_, &h); FAILED(why.code)) return why;
        const FormModel& model = h.form->model();
        switch (m.id) {
        case kNameId:
            ReturnString(result, h.control().name);
            return {};
        case kSelectedId:
        case kControlsId:
            ReturnObject(result, Make<ControlsObject>(
                                     L"Controls", ref_,
                                     m.id == kSelectedId ? Listing::SelectedIn : Listing::Within,
                                     control_)
                                     .Detach());
            return {};
        case kPagesId:
            ReturnObject(result,
                         Make<ControlsObject>(L"Pages", ref_, Listing::PagesOf, control_).Detach());
            return {};
        case kValueId:
            ReturnLong(result, h.control().value);
            return {};
        case kActiveControlId:
        case kSelectedItemId: {
            const auto items = Items(model, m.id == kActiveControlId ? Listing::SelectedIn
                                                                     : Listing::PagesOf,
                                     control_, h.form->selection());
            const size_t at = m.id == kActiveControlId ? 0 : static_cast<size_t>(h.control().value);
            ReturnObject(result, at < items.size()
                                     ? NewControlObject(ref_, *h.form, items[at]).Detach()
                                     : nullptr);
            return {};
        }
        default:
            break;
        }
        if (m.kind == Kind::Get) return ReadProperty(h.control(), m.name, result);
        return WriteProperty(ref_, *h.form, h.index, m.name, args.Any(0), L"Control", true);
    }
    FormRef ref_;
    unsigned control_;
};

ComPtr<IDispatch> NewControlObject(const FormRef& ref, FormDesigner& f, size_t index) {
    const FormControl& c = f.model().controls[index];
    if (!f.msForms()) return Make<VbControlObject>(ref, c.id);
    const wchar_t* name = c.kind == ControlKind::Page        ? L"Page"
                          : c.kind == ControlKind::MultiPage ? L"MultiPage"
                          : c.kind == ControlKind::Frame     ? L"Frame"
                                                             : L"Control";
    return Make<MsFormsControlObject>(ref, c.id, name, MembersFor(c));
}

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
        Outcome why;
        if (!ref_.Lock(&why)) return why;
        const bool selected = m.id == 1;
        const wchar_t* name = msForms_   ? L"Controls"
                              : selected ? L"SelectedVBControls"
                                         : L"VBControls";
        const Listing listing = msForms_ ? (selected ? Listing::SelectedIn : Listing::Within)
                                         : (selected ? Listing::Selection : Listing::All);
        ReturnObject(result, Make<ControlsObject>(name, ref_, listing, 0).Detach());
        return {};
    }
    FormRef ref_;
    bool msForms_;
};

// -- VBComponent -------------------------------------------------------------------------------

enum { kName = 1, kType, kDesigner, kHasOpenDesigner, kCodeModule, kActivate, kDesignerWindow, kIsDirty,
       kSaved, kComponentProperties };
const std::vector<Member> kVb6ComponentMembers = {
    {L"Name", kName, Kind::Get, {}},
    {L"Type", kType, Kind::Get, {}},
    {L"Designer", kDesigner, Kind::Get, {}},
    {L"HasOpenDesigner", kHasOpenDesigner, Kind::Get, {}},
    {L"CodeModule", kCodeModule, Kind::Get, {}},
    {L"Activate", kActivate, Kind::Method, {}},
    {L"DesignerWindow", kDesignerWindow, Kind::Method, {}},
    {L"IsDirty", kIsDirty, Kind::Get, {}},
    {L"IsDirty", kIsDirty, Kind::Put, {{L"Value", Type::Bool}}},
};
// The VBA editor's components have no IsDirty, and a Saved that can only be read; a document
// module has Properties.
const std::vector<Member> kVbaComponentMembers = {
    {L"Name", kName, Kind::Get, {}},
    {L"Type", kType, Kind::Get, {}},
    {L"Designer", kDesigner, Kind::Get, {}},
    {L"HasOpenDesigner", kHasOpenDesigner, Kind::Get, {}},
    {L"Saved", kSaved, Kind::Get, {}},
    {L"CodeModule", kCodeModule, Kind::Get, {}},
    {L"Activate", kActivate, Kind::Method, {}},
    {L"DesignerWindow", kDesignerWindow, Kind::Method, {}},
    {L"Properties", kComponentProperties, Kind::Get, {}},
};
constexpr long kDocument = 100; // vbext_ct_Document

class ComponentObject final : public DispatchObject {
  public:
    ComponentObject(std::weak_ptr<Ide> ide, bool vba, std::weak_ptr<FormDesigner> form,
                    std::weak_ptr<CodePane> pane)
        : DispatchObject(L"VBComponent", vba ? kVbaComponentMembers : kVb6ComponentMembers,
                         PlanOf(ide)),
          ide_(std::move(ide)), form_(std::move(form)), pane_(std::move(pane)),
          isForm_(!pane_.lock()),
          vba_(vba) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        auto form = form_.lock();
        auto pane = pane_.lock();
        if (isForm_ ? !form : !pane) return Gone();
        switch (m.id) {
        case kName:
            ReturnString(result, form ? form->model().name : pane->name());
            break;
        case kType:
            ReturnLong(result, form ? ComponentType(form->model(), vba_) : Document(*ide) ? kDocument : kStdModule);
            break;
        case kComponentProperties:
            // Modules other than documents' have no properties: Nothing.
            ReturnObject(result, !form && Document(*ide) ? NewDocumentProperties(ide_).Detach() : nullptr);
            break;
        case kHasOpenDesigner:
            // A designer made for the object model alone is not open.
            ReturnBool(result, form && form->shown());
            break;
        case kSaved:
            ReturnBool(result, !form || !form->model().changed);
            break;
        case kDesigner:
            if (!form) {
                ReturnObject(result, nullptr);
                break;
            }
            // With no designer open, the editors make one, not shown.
            form->OpenHidden();
            ReturnObject(result,
                         Make<DesignerObject>(FormRef{ide_, form_, form->generation()}, vba_)
                             .Detach());
            break;
        case kCodeModule:
            // The host keeps no code behind its forms.
            ReturnObject(result, pane ? NewCodeModule(ide_, pane).Detach() : nullptr);
            break;
        case kActivate:
            if (form)
                form->Open();
            else
                pane->Show();
            break;
        case kDesignerWindow:
            if (!form) return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
            form->OpenHidden();
            ReturnObject(result, NewWindow(
                                     ide_, kDesignerType, [f = form_] {
                                         auto d = f.lock();
                                         return d ? d->window() : nullptr;
                                     },
                                     [f = form_] {
                                         if (auto d = f.lock()) d->Close();
                                     })
                                     .Detach());
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
    bool Document(const Ide& ide) const { return vba_ && !ide.options().office.empty(); }
    std::weak_ptr<Ide> ide_;
    std::weak_ptr<FormDesigner> form_;
    std::weak_ptr<CodePane> pane_;
    bool isForm_, vba_;
};

} // namespace

ComPtr<IDispatch> NewComponent(std::weak_ptr<Ide> ide, std::weak_ptr<FormDesigner> form,
                               std::weak_ptr<CodePane> pane) {
    auto i = ide.lock();
    return Make<ComponentObject>(std::move(ide), i && i->options().vba, std::move(form),
                                 std::move(pane));
}

ComPtr<IDispatch> Ide::SelectedComponent() {
    HWND active =
        mdi_ ? reinterpret_cast<HWND>(SendMessageW(mdi_, WM_MDIGETACTIVE, 0, 0)) : nullptr;
    // The project itself selected in the Project window, and no window activated since.
    if (projectSelected_ && active == projectSelectedOver_) return nullptr;
    projectSelected_ = false;
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

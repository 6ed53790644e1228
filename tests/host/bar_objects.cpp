// VBE, CommandBars, CommandBar, Controls, CommandBarControl and
// Events.
#include "command_bar_events.h"
#include "ide.h"
#include "objects.h"

namespace host {

namespace {

template <typename T, typename... A> ComPtr<IDispatch> Make(A&&... a) {
    return Adopt(static_cast<IDispatch*>(new T(std::forward<A>(a)...)));
}

Outcome NoSuchItem() {
    return Raise(kErrInvalidCall, L"Invalid procedure call or argument");
}

// -- VBE ---------------------------------------------------------------------------------

enum {
    kCommandBars = 1,
    kEvents,
    kActiveCodePane,
    kVersion,
    kMainWindow,
    kSelectedVBComponent,
    kActiveWindow,
    kActiveVBProject
};
const std::vector<Member> kVbeMembers = {
    {L"CommandBars", kCommandBars, Kind::Get, {}},       {L"Events", kEvents, Kind::Get, {}},
    {L"ActiveCodePane", kActiveCodePane, Kind::Get, {}}, {L"Version", kVersion, Kind::Get, {}},
    {L"MainWindow", kMainWindow, Kind::Get, {}},
    {L"SelectedVBComponent", kSelectedVBComponent, Kind::Get, {}},
    {L"ActiveWindow", kActiveWindow, Kind::Get, {}},
    {L"ActiveVBProject", kActiveVBProject, Kind::Get, {}},
};

class Vbe final : public DispatchObject {
  public:
    explicit Vbe(std::weak_ptr<Ide> ide)
        : DispatchObject(L"VBE", kVbeMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        switch (m.id) {
        case kCommandBars:
            ReturnObject(result, NewCommandBars(ide_).Detach());
            break;
        case kEvents:
            ReturnObject(result, NewEvents(ide_).Detach());
            break;
        case kActiveCodePane: {
            // The active or last active pane, also behind a designer; Nothing when none is open.
            auto pane = ide->LastActivePane();
            ReturnObject(result, pane ? NewCodePane(ide_, pane).Detach() : nullptr);
            break;
        }
        case kActiveWindow:
            ReturnObject(result, ide->ActiveWindow().Detach());
            break;
        case kVersion:
            ReturnString(result, ide->options().vba ? L"7.01" : L"6.00");
            break;
        case kMainWindow:
            ReturnObject(result, NewWindow(ide_, kMainWindowType, [w = ide_] {
                                     auto i = w.lock();
                                     return i ? i->hwnd() : nullptr;
                                 }).Detach());
            break;
        case kSelectedVBComponent:
            ReturnObject(result, ide->SelectedComponent().Detach());
            break;
        case kActiveVBProject:
            ReturnObject(result, NewProject(ide_).Detach());
            break;
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

// -- CommandBars -------------------------------------------------------------------------

enum { kItem = DISPID_VALUE, kCount = 1, kFindControl };
const std::vector<Member> kBarsMembers = {
    {L"Item", kItem, Kind::Get, {{L"Index", Type::Any}}},
    {L"Count", kCount, Kind::Get, {}},
    {L"FindControl",
     kFindControl,
     Kind::Method,
     {{L"Type", Type::Long, true},
      {L"Id", Type::Long, true},
      {L"Tag", Type::String, true},
      {L"Visible", Type::Bool, true}}},
};

class Bars final : public DispatchObject {
  public:
    explicit Bars(std::weak_ptr<Ide> ide)
        : DispatchObject(L"CommandBars", kBarsMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        if (m.id == kCount) {
            ReturnLong(result, static_cast<long>(ide->BarCount()));
            return {};
        }
        if (m.id == kFindControl) {
            const std::wstring tag = args.Given(2) ? args.String(2) : L"";
            auto found = ide->FindControl(
                args.Given(0) ? args.Long(0) : -1, args.Given(1) ? args.Long(1) : -1,
                args.Given(2) ? &tag : nullptr, args.Given(3) && args.Bool(3));
            ReturnObject(result, found ? NewCommandBarControl(ide_, found).Detach() : nullptr);
            return {};
        }
        // By name when given a text, else by number.
        const VARIANT& index = args.Any(0);
        CommandBar* bar = nullptr;
        if (index.vt == VT_BSTR) {
            bar = ide->BarNamed(FromBstr(index.bstrVal));
        } else {
            VARIANT n;
            VariantInit(&n);
            if (FAILED(VariantChangeType(&n, const_cast<VARIANT*>(&index), 0, VT_I4)))
                return Raise(DISP_E_TYPEMISMATCH, L"Type mismatch");
            bar = ide->BarAt(n.lVal);
        }
        if (!bar) return NoSuchItem();
        ReturnObject(result, NewCommandBar(ide_, bar).Detach());
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

// -- CommandBar --------------------------------------------------------------------------

enum { kControls = 1, kName, kVisible };
const std::vector<Member> kBarMembers = {
    {L"Controls", kControls, Kind::Get, {}},
    {L"Name", kName, Kind::Get, {}},
    {L"Visible", kVisible, Kind::Get, {}},
};

class Bar final : public DispatchObject {
  public:
    Bar(std::weak_ptr<Ide> ide, CommandBar* bar)
        : DispatchObject(L"CommandBar", kBarMembers, PlanOf(ide)), ide_(std::move(ide)), bar_(bar) {
    }

  private:
    Outcome Run(const Member& m, Args&, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        switch (m.id) {
        case kControls:
            ReturnObject(result, NewControls(ide_, bar_).Detach());
            break;
        case kName:
            ReturnString(result, bar_->name);
            break;
        case kVisible:
            ReturnBool(result, bar_->visible);
            break;
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    CommandBar* bar_; // bars live as long as their IDE
};

// -- Controls ----------------------------------------------------------------------------

enum { kAdd = 2 };
const std::vector<Member> kControlsMembers = {
    {L"Item", kItem, Kind::Get, {{L"Index", Type::Long}}},
    {L"Count", kCount, Kind::Get, {}},
    {L"Add",
     kAdd,
     Kind::Method,
     {{L"Type", Type::Long, true},
      {L"Id", Type::Long, true},
      {L"Parameter", Type::Any, true},
      {L"Before", Type::Long, true},
      {L"Temporary", Type::Bool, true}}},
};

class Controls final : public DispatchObject {
  public:
    Controls(std::weak_ptr<Ide> ide, CommandBar* bar)
        : DispatchObject(L"CommandBarControls", kControlsMembers, PlanOf(ide)),
          ide_(std::move(ide)), bar_(bar) {}

  private:
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        const long count = static_cast<long>(bar_->controls.size());
        switch (m.id) {
        case kCount:
            ReturnLong(result, count);
            return {};
        case kItem: {
            const long i = args.Long(0);
            if (i < 1 || i > count) return NoSuchItem();
            ReturnObject(result, NewCommandBarControl(ide_, bar_->controls[i - 1]).Detach());
            return {};
        }
        case kAdd: {
            const long type = args.Given(0) ? args.Long(0) : kControlButton;
            if (type != kControlButton && type != kControlPopup) return NoSuchItem();
            const long before = args.Given(3) ? args.Long(3) : 0;
            if (args.Given(3) && (before < 1 || before > count + 1)) return NoSuchItem();
            // Id 1 is a custom control; any other must be the Id of a built-in one to copy.
            std::shared_ptr<BarControl> model;
            if (args.Given(1) && args.Long(1) != 1 && !(model = ide->BuiltInById(args.Long(1))))
                return NoSuchItem();
            auto control = ide->AddControl(*bar_, type, before, args.Given(4) && args.Bool(4));
            if (model) {
                control->caption = model->caption;
                control->image = model->image;
                control->action = model->action;
                ide->Refresh(*bar_);
            }
            ReturnObject(result, NewCommandBarControl(ide_, control).Detach());
            return {};
        }
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    CommandBar* bar_;
};

// -- CommandBarControl -------------------------------------------------------------------

enum { kCaption = 1, kBeginGroup, kPasteFace, kDelete, kType, kIndex, kPicture, kMask, kTag, kId };
const std::vector<Member> kControlMembers = {
    {L"Caption", kCaption, Kind::Get, {}},
    {L"Caption", kCaption, Kind::Put, {{L"Caption", Type::String}}},
    {L"BeginGroup", kBeginGroup, Kind::Get, {}},
    {L"BeginGroup", kBeginGroup, Kind::Put, {{L"BeginGroup", Type::Bool}}},
    {L"PasteFace", kPasteFace, Kind::Method, {}},
    {L"Delete", kDelete, Kind::Method, {{L"Temporary", Type::Bool, true}}},
    {L"Type", kType, Kind::Get, {}},
    {L"Index", kIndex, Kind::Get, {}},
    {L"Tag", kTag, Kind::Get, {}},
    {L"Tag", kTag, Kind::Put, {{L"Tag", Type::String}}},
    {L"Id", kId, Kind::Get, {}},
};
// Office's buttons (the VBA editor's) also take their face as pictures.
const std::vector<Member> kOfficeControlMembers = [] {
    auto members = kControlMembers;
    members.push_back({L"Picture", kPicture, Kind::Get, {}});
    members.push_back({L"Picture", kPicture, Kind::Put, {{L"Picture", Type::Object}}});
    members.push_back({L"Mask", kMask, Kind::Get, {}});
    members.push_back({L"Mask", kMask, Kind::Put, {{L"Mask", Type::Object}}});
    return members;
}();

bool Office(const std::weak_ptr<Ide>& ide) {
    auto i = ide.lock();
    return i && i->options().vba;
}

class ControlObject final : public DispatchObject, public IHostControl {
  public:
    ControlObject(std::weak_ptr<Ide> ide, std::weak_ptr<BarControl> control)
        : DispatchObject(L"CommandBarControl",
                         Office(ide) ? kOfficeControlMembers : kControlMembers, PlanOf(ide)),
          ide_(std::move(ide)), control_(std::move(control)) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return DispatchObject::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return DispatchObject::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return DispatchObject::Release(); }
    std::shared_ptr<BarControl> Model() override { return control_.lock(); }

  private:
    void* OtherInterface(REFIID iid) override {
        return iid == __uuidof(IHostControl) ? static_cast<IHostControl*>(this) : nullptr;
    }
    Outcome Run(const Member& m, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        auto c = control_.lock();
        if (!ide || !ide->open() || !c) return Gone();
        CommandBar* bar = ide->BarOf(*c);
        if (!bar) return Gone();
        const bool put = m.kind == Kind::Put;
        switch (m.id) {
        case kCaption:
            if (!put) {
                ReturnString(result, c->caption);
                break;
            }
            c->caption = args.String(0);
            ide->Refresh(*bar);
            break;
        case kBeginGroup:
            if (!put) {
                ReturnBool(result, c->beginGroup);
                break;
            }
            c->beginGroup = args.Bool(0);
            ide->Refresh(*bar);
            break;
        case kPasteFace:
            if (!ide->PasteFace(*c))
                return Raise(E_FAIL, L"Method 'PasteFace' of object 'CommandBarControl' failed");
            break;
        case kDelete:
            ide->DeleteControl(*c);
            break;
        case kType:
            ReturnLong(result, c->type);
            break;
        case kTag:
            if (!put) {
                ReturnString(result, c->tag);
                break;
            }
            c->tag = args.String(0);
            ide->Refresh(*bar);
            break;
        case kId: // Office's: 1 for every control that is not built in
            ReturnLong(result, c->builtIn ? c->id : 1);
            break;
        case kPicture:
        case kMask: {
            const bool mask = m.id == kMask;
            if (!put) {
                ComPtr<IDispatch> picture;
                if (auto& kept = mask ? c->mask : c->picture) kept.As(&picture);
                ReturnObject(result, picture.Detach());
                break;
            }
            if (!ide->SetFacePicture(*c, args.Object(0), mask))
                return Raise(E_INVALIDARG, L"Invalid procedure call or argument");
            break;
        }
        case kIndex: {
            long i = 1;
            for (const auto& other : bar->controls) {
                if (other == c) break;
                ++i;
            }
            ReturnLong(result, i);
            break;
        }
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
    std::weak_ptr<BarControl> control_;
};

// -- Events ------------------------------------------------------------------------------

enum { kCommandBarEvents = 1 };
const std::vector<Member> kEventsMembers = {
    {L"CommandBarEvents", kCommandBarEvents, Kind::Get, {{L"CommandBarControl", Type::Object}}},
};

class Events final : public DispatchObject {
  public:
    explicit Events(std::weak_ptr<Ide> ide)
        : DispatchObject(L"Events", kEventsMembers, PlanOf(ide)), ide_(std::move(ide)) {}

  private:
    Outcome Run(const Member&, Args& args, VARIANT* result) override {
        auto ide = ide_.lock();
        if (!ide || !ide->open()) return Gone();
        ComPtr<IHostControl> known;
        IUnknown* given = args.Object(0);
        if (!given || FAILED(given->QueryInterface(IID_PPV_ARGS(&known))) || !known->Model())
            return NoSuchItem();
        auto events = CommandBarEventsObject::Create(ide_, known->Model());
        if (ide->options().eventsAsUnknown) {
            result->vt = VT_UNKNOWN;
            result->punkVal = static_cast<IConnectionPointContainer*>(events.Detach());
        } else {
            ReturnObject(result, static_cast<IDispatch*>(events.Detach()));
        }
        return {};
    }
    std::weak_ptr<Ide> ide_;
};

} // namespace

std::shared_ptr<const FaultPlan> PlanOf(const std::weak_ptr<Ide>& ide) {
    auto i = ide.lock();
    return i ? i->faultPlan() : nullptr;
}

ComPtr<IDispatch> NewVbe(std::weak_ptr<Ide> ide) {
    return Make<Vbe>(std::move(ide));
}
ComPtr<IDispatch> NewCommandBars(std::weak_ptr<Ide> ide) {
    return Make<Bars>(std::move(ide));
}
ComPtr<IDispatch> NewCommandBar(std::weak_ptr<Ide> ide, CommandBar* bar) {
    return Make<Bar>(std::move(ide), bar);
}
ComPtr<IDispatch> NewControls(std::weak_ptr<Ide> ide, CommandBar* bar) {
    return Make<Controls>(std::move(ide), bar);
}
ComPtr<IDispatch> NewCommandBarControl(std::weak_ptr<Ide> ide, std::weak_ptr<BarControl> control) {
    return Make<ControlObject>(std::move(ide), std::move(control));
}
ComPtr<IDispatch> NewEvents(std::weak_ptr<Ide> ide) {
    return Make<Events>(std::move(ide));
}

} // namespace host

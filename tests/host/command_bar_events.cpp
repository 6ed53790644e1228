#include "command_bar_events.h"
#include "ide.h"
#include "objects.h"
#include <olectl.h>

namespace host {

const IID DIID_dispCommandBarControlEvents = {
    0x0002E131, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {
// The event source has no members of its own.
const std::vector<Member> kMembers;
} // namespace

ComPtr<CommandBarEventsObject> CommandBarEventsObject::Create(std::weak_ptr<Ide> ide,
                                                              std::weak_ptr<BarControl> control) {
    return Adopt(new CommandBarEventsObject(std::move(ide), std::move(control)));
}

CommandBarEventsObject::CommandBarEventsObject(std::weak_ptr<Ide> ide,
                                               std::weak_ptr<BarControl> control)
    : DispatchObject(L"CommandBarEvents", kMembers, PlanOf(ide)), ide_(std::move(ide)),
      control_(std::move(control)) {
    point_.owner = this;
    if (auto i = ide_.lock()) i->AddEventSource(this);
}

CommandBarEventsObject::~CommandBarEventsObject() {
    if (auto i = ide_.lock()) i->RemoveEventSource(this);
}

Outcome CommandBarEventsObject::Run(const Member&, Args&, VARIANT*) {
    return {};
}

void* CommandBarEventsObject::OtherInterface(REFIID iid) {
    if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

STDMETHODIMP CommandBarEventsObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CommandBarEventsObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (auto fault = PlannedFault(L"FindConnectionPoint"))
        return *fault == FaultKind::Bare ? E_FAIL : CONNECT_E_NOCONNECTION;
    if (iid != DIID_dispCommandBarControlEvents) return CONNECT_E_NOCONNECTION;
    *out = &point_;
    point_.AddRef();
    return S_OK;
}

void CommandBarEventsObject::Detach() {
    auto sinks = std::move(point_.sinks);
    point_.sinks.clear();
    ide_.reset();
}

void CommandBarEventsObject::FireClick(IDispatch* controlObject, VARIANT_BOOL* handled,
                                       VARIANT_BOOL* cancelDefault) {
    ComPtr<IDispatch> self(this);    // a handler may drop the last reference
    const auto sinks = point_.sinks; // a handler may unadvise
    for (const auto& s : sinks) {
        // Invoke takes the arguments last to first.
        VARIANT args[3];
        args[0].vt = VT_BOOL | VT_BYREF;
        args[0].pboolVal = cancelDefault;
        args[1].vt = VT_BOOL | VT_BYREF;
        args[1].pboolVal = handled;
        args[2].vt = VT_DISPATCH;
        args[2].pdispVal = controlObject;
        DISPPARAMS params{args, nullptr, 3, 0};
        EXCEPINFO excep{};
        UINT argErr = 0;
        if (s.sink->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                           &excep, &argErr) == DISP_E_EXCEPTION) {
            SysFreeString(excep.bstrSource);
            SysFreeString(excep.bstrDescription);
            SysFreeString(excep.bstrHelpFile);
        }
    }
}

STDMETHODIMP CommandBarEventsObject::Point::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CommandBarEventsObject::Point::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = DIID_dispCommandBarControlEvents;
    return S_OK;
}

STDMETHODIMP
CommandBarEventsObject::Point::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = owner;
    owner->AddRef();
    return S_OK;
}

STDMETHODIMP CommandBarEventsObject::Point::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    if (auto fault = owner->PlannedFault(L"Advise"))
        return *fault == FaultKind::Bare ? E_FAIL : CONNECT_E_ADVISELIMIT;
    // A sink must answer for the event interface itself, as the real source asks it to.
    ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(DIID_dispCommandBarControlEvents,
                                    reinterpret_cast<void**>(events.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie++;
    sinks.push_back({*cookie, events});
    return S_OK;
}

STDMETHODIMP CommandBarEventsObject::Point::Unadvise(DWORD cookie) {
    if (auto fault = owner->PlannedFault(L"Unadvise"))
        return *fault == FaultKind::Bare ? E_FAIL : CONNECT_E_NOCONNECTION;
    for (auto it = sinks.begin(); it != sinks.end(); ++it)
        if (it->cookie == cookie) {
            ComPtr<IDispatch> keep = it->sink; // released after the list is consistent
            sinks.erase(it);
            return S_OK;
        }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CommandBarEventsObject::Point::EnumConnections(IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

} // namespace host

#include "menu_handler.h"
#include "../runtime/entry_scope.h"
#include "../runtime/com_object.h"

namespace hv::connect {

const IID DIID_dispCommandBarControlEvents = {
    0x0002E131, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {
constexpr DISPID kClick = 1;
constexpr HRESULT kErrNoEvents = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 459);
} // namespace

// The sink the IDE calls. It may outlive the link (the IDE holds it as long as it likes),
// so it only forwards while its link is there.
class CommandBarEventsLink::Sink final : public rt::RefCounted<IDispatch> {
  public:
    explicit Sink(CommandBarEventsLink* link) : link_(link) {}
    void Detach() { link_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        const bool known =
            iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_dispCommandBarControlEvents;
        return rt::AnswerQuery(out, known ? this : nullptr);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return DISP_E_BADINDEX;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids || count == 0) return E_INVALIDARG;
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        if (count != 1 || lstrcmpiW(names[0], L"Click") != 0) return DISP_E_UNKNOWNNAME;
        ids[0] = kClick;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO*, UINT* argErr) override {
        if (id != kClick) return DISP_E_MEMBERNOTFOUND;
        if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
        if (!params || params->cArgs != 3 || params->cNamedArgs != 0 || !params->rgvarg)
            return DISP_E_BADPARAMCOUNT;
        // Last to first: CancelDefault, handled, the control.
        VARIANT_BOOL* flagsIn[2] = {};
        for (int i = 0; i < 2; ++i) {
            VARIANT& v = params->rgvarg[i];
            if (v.vt == (VT_BOOL | VT_BYREF))
                flagsIn[i] = v.pboolVal;
            else if (v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal && v.pvarVal->vt == VT_BOOL)
                flagsIn[i] = &v.pvarVal->boolVal;
            if (!flagsIn[i]) {
                if (argErr) *argErr = static_cast<UINT>(i);
                return DISP_E_TYPEMISMATCH;
            }
        }
        rt::ComPtr<IDispatch> control;
        if (rt::ObjectOf(rt::Variant::From(params->rgvarg[2]), control)) {
            if (argErr) *argErr = 2;
            return DISP_E_TYPEMISMATCH;
        }
        rt::ComPtr<IDispatch> self(this); // the handler may let the link go
        return rt::Barrier<HRESULT>(E_UNEXPECTED, [&] {
            if (link_ && link_->onClick_) link_->onClick_(control.Get(), flagsIn[1], flagsIn[0]);
            return S_OK;
        });
    }

  private:
    ~Sink() override = default;
    CommandBarEventsLink* link_;
};

CommandBarEventsLink::CommandBarEventsLink(ClickHandler onClick) : onClick_(std::move(onClick)) {}

CommandBarEventsLink::~CommandBarEventsLink() {
    Disconnect();
}

void CommandBarEventsLink::Disconnect() {
    if (point_ && cookie_) point_->Unadvise(cookie_);
    point_.Reset();
    cookie_ = 0;
    source_.Reset();
    if (sink_) sink_->Detach();
    sink_.Reset();
}

rt::CallError CommandBarEventsLink::Set(IUnknown* source) {
    Disconnect();
    if (!source) return {};
    rt::ComPtr<IConnectionPointContainer> container;
    rt::ComPtr<IConnectionPoint> point;
    HRESULT hr = source->QueryInterface(IID_PPV_ARGS(&container));
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(DIID_dispCommandBarControlEvents, &point);
    if (FAILED(hr)) return {kErrNoEvents, L"Object or class does not support the set of events"};
    rt::ComPtr<Sink> sink = rt::Adopt(new Sink(this));
    DWORD cookie = 0;
    hr = point->Advise(sink.Get(), &cookie);
    if (FAILED(hr)) return {hr, {}};
    sink_ = std::move(sink);
    point_ = point;
    cookie_ = cookie;
    source_ = source;
    return {};
}

} // namespace hv::connect

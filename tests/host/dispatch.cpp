#include "dispatch.h"

namespace host {

namespace {
LONG g_live = 0;
CallTally g_tally;
int g_depth = 0; // only the outermost call is timed

// Times what runs inside the object model, so that a caller's own share can be told apart.
class TimedCall {
  public:
    explicit TimedCall(long& counter) {
        ++counter;
        if (g_depth++ == 0) QueryPerformanceCounter(&start_);
    }
    ~TimedCall() {
        if (--g_depth) return;
        LARGE_INTEGER end, frequency;
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        g_tally.seconds += static_cast<double>(end.QuadPart - start_.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER start_{};
};
} // namespace

Args::Args(size_t count) : slots_(count) {
    for (auto& s : slots_)
        VariantInit(&s.value);
}

Args::~Args() {
    for (auto& s : slots_)
        VariantClear(&s.value);
}

void Args::SetRefLong(size_t i, long value) {
    VARIANT* ref = slots_[i].ref;
    if (!ref) return;
    if (ref->vt == (VT_I4 | VT_BYREF)) {
        *ref->plVal = value;
    } else { // a Variant by reference: it becomes a Long
        VariantClear(ref->pvarVal);
        ref->pvarVal->vt = VT_I4;
        ref->pvarVal->lVal = value;
    }
}

DispatchObject::DispatchObject(const wchar_t* objectName, const std::vector<Member>& members,
                               std::shared_ptr<const FaultPlan> faults)
    : name_(objectName), members_(members), faults_(std::move(faults)) {
    InterlockedIncrement(&g_live);
}

DispatchObject::~DispatchObject() {
    InterlockedDecrement(&g_live);
}

long DispatchObject::LiveObjects() {
    return g_live;
}

std::vector<std::wstring>& DispatchObject::UnknownNames() {
    static std::vector<std::wstring> asked;
    return asked;
}

CallTally DispatchObject::Tally() {
    return g_tally;
}

STDMETHODIMP DispatchObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        *out = static_cast<IDispatch*>(this);
    else
        *out = OtherInterface(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) DispatchObject::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) DispatchObject::Release() {
    const ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

STDMETHODIMP DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP DispatchObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                           DISPID* ids) {
    TimedCall timed(g_tally.lookups);
    return FindIds(iid, names, count, lcid, ids);
}

HRESULT DispatchObject::FindIds(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    // The member, then the names of its parameters from the entry that has the most.
    const Member* found = nullptr;
    for (const Member& m : members_)
        if (SameText(m.name, names[0]) && (!found || m.params.size() > found->params.size()))
            found = &m;
    if (!found) {
        UnknownNames().push_back(std::wstring(name_) + L"." + names[0]);
        return DISP_E_UNKNOWNNAME;
    }
    ids[0] = found->id;
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        for (size_t p = 0; p < found->params.size(); ++p)
            if (SameText(found->params[p].name, names[i])) ids[i] = static_cast<DISPID>(p);
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const Member* DispatchObject::Find(DISPID id, WORD flags, HRESULT* why) const {
    *why = DISP_E_MEMBERNOTFOUND;
    const Member *get = nullptr, *method = nullptr, *put = nullptr;
    for (const Member& m : members_) {
        if (m.id != id) continue;
        (m.kind == Kind::Get ? get : m.kind == Kind::Method ? method : put) = &m;
    }
    if (flags & DISPATCH_PROPERTYPUTREF) return nullptr; // no member takes an object by Set
    if (flags & DISPATCH_PROPERTYPUT) return put;
    if ((flags & DISPATCH_PROPERTYGET) && get) return get;
    if ((flags & DISPATCH_METHOD) && method) return method;
    return nullptr;
}

HRESULT DispatchObject::Convert(const Param& p, VARIANT& arg, Args::Slot& slot) const {
    if (p.type == Type::RefLong) {
        const bool place = (arg.vt == (VT_I4 | VT_BYREF) && arg.plVal) ||
                           (arg.vt == (VT_VARIANT | VT_BYREF) && arg.pvarVal);
        if (!place) return DISP_E_TYPEMISMATCH;
        slot.ref = &arg;
        return S_OK;
    }
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = VariantCopyInd(&value, &arg);
    if (FAILED(hr)) return hr;
    switch (p.type) {
    case Type::Long:
        hr = VariantChangeType(&slot.value, &value, 0, VT_I4);
        break;
    case Type::String:
        hr = VariantChangeType(&slot.value, &value, 0, VT_BSTR);
        break;
    case Type::Bool:
        hr = VariantChangeType(&slot.value, &value, 0, VT_BOOL);
        break;
    case Type::Object:
        if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) {
            slot.value.vt = VT_UNKNOWN;
            slot.value.punkVal = value.punkVal;
            if (value.punkVal) value.punkVal->AddRef();
        } else {
            hr = DISP_E_TYPEMISMATCH;
        }
        break;
    default:
        hr = VariantCopy(&slot.value, &value);
        break;
    }
    VariantClear(&value);
    if (hr == DISP_E_OVERFLOW) return hr;
    return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
}

std::optional<FaultKind> DispatchObject::PlannedFault(const wchar_t* member) const {
    return faults_ ? faults_->For(name_, member) : std::nullopt;
}

STDMETHODIMP DispatchObject::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags,
                                    DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                                    UINT* argErr) {
    TimedCall timed(g_tally.invokes);
    return InvokeMember(id, iid, lcid, flags, params, result, excep, argErr);
}

HRESULT DispatchObject::InvokeMember(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!params) return E_INVALIDARG;
    HRESULT hr;
    const Member* m = Find(id, flags, &hr);
    if (!m) return hr;

    const UINT total = params->cArgs, named = params->cNamedArgs;
    if (named > total || (named && !params->rgdispidNamedArgs) || (total && !params->rgvarg))
        return E_INVALIDARG;
    const size_t count = m->params.size();
    // Where each parameter's argument is in rgvarg (which runs last to first), or -1.
    std::vector<int> at(count, -1);
    if (m->kind == Kind::Put) {
        // The value comes as the one named argument DISPID_PROPERTYPUT; indexes positionally.
        if (named != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
        if (total != count) return DISP_E_BADPARAMCOUNT;
        at[count - 1] = 0;
        for (size_t k = 0; k + 1 < count; ++k)
            at[k] = static_cast<int>(total - 1 - k);
    } else {
        const UINT positional = total - named;
        if (total > count) return DISP_E_BADPARAMCOUNT;
        for (UINT k = 0; k < positional; ++k)
            at[k] = static_cast<int>(total - 1 - k);
        for (UINT j = 0; j < named; ++j) {
            const DISPID p = params->rgdispidNamedArgs[j];
            if (p < static_cast<DISPID>(positional) || p >= static_cast<DISPID>(count) ||
                at[p] != -1)
                return DISP_E_PARAMNOTFOUND;
            at[p] = static_cast<int>(j);
        }
    }

    Args args(count);
    for (size_t k = 0; k < count; ++k) {
        const Param& p = m->params[k];
        VARIANT* arg = at[k] >= 0 ? &params->rgvarg[at[k]] : nullptr;
        const bool missing = !arg || (arg->vt == VT_ERROR && arg->scode == DISP_E_PARAMNOTFOUND);
        if (missing) {
            if (p.optional) continue;
            return arg ? DISP_E_PARAMNOTFOUND : DISP_E_BADPARAMCOUNT;
        }
        hr = Convert(p, *arg, args.slots_[k]);
        if (FAILED(hr)) {
            if (argErr) *argErr = static_cast<UINT>(at[k]);
            return hr;
        }
        args.slots_[k].given = true;
    }

    VARIANT ignored;
    VariantInit(&ignored);
    VARIANT* out = result ? result : &ignored;
    VariantInit(out);
    Outcome outcome;
    if (auto fault = PlannedFault(m->name)) {
        switch (*fault) {
        case FaultKind::Error:
            outcome = Raise(E_FAIL, std::wstring(L"Method '") + m->name + L"' of object '" + name_ +
                                        L"' failed");
            break;
        case FaultKind::Bare:
            outcome = Raise(E_FAIL, L"");
            break;
        case FaultKind::Empty:
            break;
        case FaultKind::Nothing:
            ReturnObject(out, nullptr);
            break;
        case FaultKind::Text:
            ReturnString(out, L"hostile");
            break;
        }
    } else {
        outcome = Run(*m, args, out);
    }
    VariantClear(&ignored);
    if (SUCCEEDED(outcome.code)) return S_OK;
    VariantClear(out);
    if (outcome.description.empty()) return outcome.code;
    if (excep) {
        *excep = EXCEPINFO{};
        excep->bstrSource = SysAllocString(L"IDE host");
        excep->bstrDescription = SysAllocString(outcome.description.c_str());
        excep->scode = outcome.code;
    }
    return DISP_E_EXCEPTION;
}

} // namespace host

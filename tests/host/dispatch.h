// A hand-made IDispatch for the host's objects: a table of members (names, DISPIDs,
// invoke kinds, parameters) and an Invoke as strict as the real IDE's, which refuses a
// wrong invoke kind, a missing or surplus argument, a put without its named argument, a
// value of the wrong type and a by-value argument where a place to write is wanted.
#pragma once
#include "com.h"
#include "faults.h"
#include <memory>
#include <string>
#include <vector>

namespace host {

enum class Kind { Method, Get, Put };
// Long, String and Bool are converted from any value that converts (as VB does); Object
// takes an object or Nothing; Any takes every value; RefLong must be a Long (or a Variant)
// passed by reference, which the member writes.
enum class Type { Long, String, Bool, Object, Any, RefLong };

struct Param {
    const wchar_t* name;
    Type type;
    bool optional = false;
};

// A put's value is its last parameter.
struct Member {
    const wchar_t* name;
    DISPID id;
    Kind kind;
    std::vector<Param> params;
};

// What a member ends with: success, or an error for the caller, as VB's Err.Raise.
struct Outcome {
    HRESULT code = S_OK;
    std::wstring description;
};
inline Outcome Raise(HRESULT code, std::wstring description) {
    return {code, std::move(description)};
}

// The checked and converted arguments of one call, in declaration order.
class Args {
  public:
    explicit Args(size_t count);
    ~Args();
    Args(const Args&) = delete;
    Args& operator=(const Args&) = delete;

    bool Given(size_t i) const { return slots_[i].given; }
    long Long(size_t i) const { return slots_[i].value.lVal; }
    std::wstring String(size_t i) const { return FromBstr(slots_[i].value.bstrVal); }
    bool Bool(size_t i) const { return slots_[i].value.boolVal != VARIANT_FALSE; }
    IUnknown* Object(size_t i) const { return slots_[i].value.punkVal; }
    const VARIANT& Any(size_t i) const { return slots_[i].value; }
    void SetRefLong(size_t i, long value);

  private:
    friend class DispatchObject;
    struct Slot {
        bool given = false;
        VARIANT value;
        VARIANT* ref = nullptr;
    };
    std::vector<Slot> slots_;
};

// The object model's calls in this process so far: how many, and the time spent inside them.
struct CallTally {
    long invokes = 0;
    long lookups = 0; // GetIDsOfNames
    double seconds = 0;
};

class DispatchObject : public IDispatch {
  public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    const wchar_t* objectName() const { return name_; }
    // Objects of the host not yet released, in this process.
    static long LiveObjects();
    static CallTally Tally();
    // The names asked of an object that has no such member, as "Object.Member", in this
    // process so far (a test may clear it).
    static std::vector<std::wstring>& UnknownNames();

  protected:
    DispatchObject(const wchar_t* objectName, const std::vector<Member>& members,
                   std::shared_ptr<const FaultPlan> faults);
    virtual ~DispatchObject();
    // Runs a member whose arguments passed the checks; `result` is never null.
    virtual Outcome Run(const Member& member, Args& args, VARIANT* result) = 0;
    // Further interfaces of the object besides IUnknown and IDispatch.
    virtual void* OtherInterface(REFIID) { return nullptr; }
    // A fault planned for a call that is not an Invoke (connection points).
    std::optional<FaultKind> PlannedFault(const wchar_t* member) const;

  private:
    HRESULT FindIds(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids);
    HRESULT InvokeMember(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* excep, UINT* argErr);
    const Member* Find(DISPID id, WORD flags, HRESULT* why) const;
    HRESULT Convert(const Param& p, VARIANT& arg, Args::Slot& slot) const;

    LONG refs_ = 1;
    const wchar_t* name_;
    const std::vector<Member>& members_;
    std::shared_ptr<const FaultPlan> faults_;
};

// Puts a new object into a VARIANT as VT_DISPATCH (taking over the creator's reference).
inline void ReturnObject(VARIANT* result, IDispatch* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
}
inline void ReturnString(VARIANT* result, const std::wstring& s) {
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
}
inline void ReturnLong(VARIANT* result, long v) {
    result->vt = VT_I4;
    result->lVal = v;
}
inline void ReturnBool(VARIANT* result, bool v) {
    result->vt = VT_BOOL;
    result->boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace host

// Late-bound calls by member name, as VB makes them on an object of another component.
// This is the only place in the add-in that calls IDispatch::Invoke.
#pragma once
#include "com_ptr.h"
#include "variant.h"
#include <initializer_list>

namespace hv::rt {

// What VB's Err holds after a failed call: the error number and the callee's description.
struct CallError {
    HRESULT number = S_OK;
    std::wstring description;

    bool failed() const { return FAILED(number); }
    explicit operator bool() const { return failed(); }
    // The description, or when the callee gave none, a text made from the number.
    std::wstring Text() const;
};

// Reads a property or calls a function for its value, with the invoke kinds VB uses for
// that (DISPATCH_METHOD | DISPATCH_PROPERTYGET). `result` may be null.
CallError Get(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args,
              Variant* result);
// Like Get, but the value must be an object (Nothing gives a null `out`).
CallError GetObject(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args,
                    ComPtr<IDispatch>& out);
// Calls a method (DISPATCH_METHOD).
CallError Call(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args = {},
               Variant* result = nullptr);
// Assigns a property (DISPATCH_PROPERTYPUT with the named put argument).
CallError Put(IDispatch* object, const wchar_t* member, const Variant& value);

// The object a value holds: VT_DISPATCH, or VT_UNKNOWN answering IDispatch. Nothing is
// null; any other value is the error "Object required".
CallError ObjectOf(const Variant& value, ComPtr<IDispatch>& out);

// VB's errors for the calls it refuses itself.
constexpr HRESULT kErrObjectNotSet = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 91);
constexpr HRESULT kErrObjectRequired = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 424);

} // namespace hv::rt

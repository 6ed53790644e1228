#include "late_call.h"
#include "com_ptr.h"
#include <vector>

namespace hv::rt {

namespace {

// The callee's exception, as VB reads it: the code from scode, or from wCode.
CallError FromException(EXCEPINFO& info) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    CallError e;
    e.number = info.scode   ? info.scode
               : info.wCode ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, info.wCode)
                            : E_FAIL;
    if (SUCCEEDED(e.number)) e.number = E_FAIL; // an "exception" that claims success
    e.description = FromBstr(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return e;
}

CallError InvokeByName(IDispatch* object, const wchar_t* member, WORD flags,
                       std::initializer_list<Variant> args, Variant* result) {
    if (!object) return {kErrObjectNotSet, L"Object variable or With block variable not set"};
    DISPID id = DISPID_UNKNOWN;
    auto name = const_cast<LPOLESTR>(member);
    HRESULT hr = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return {hr, {}};

    // Invoke takes the arguments last to first; the Variants stay the owners.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = args.end(); it != args.begin();)
        reversed.push_back((--it)->raw());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO info{};
    UINT argErr = 0;
    Variant ignored;
    VARIANT* out = (flags & DISPATCH_PROPERTYPUT) ? nullptr : (result ? result : &ignored)->Reset();
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out, &info, &argErr);
    if (hr == DISP_E_EXCEPTION) return FromException(info);
    if (FAILED(hr)) return {hr, {}};
    return {};
}

} // namespace

std::wstring CallError::Text() const {
    if (!description.empty()) return description;
    // The texts VB gives the refusals of IDispatch itself.
    switch (number) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
        return L"Object doesn't support this property or method";
    case DISP_E_TYPEMISMATCH:
        return L"Type mismatch";
    case DISP_E_BADPARAMCOUNT:
        return L"Wrong number of arguments or invalid property assignment";
    case DISP_E_PARAMNOTFOUND:
        return L"Argument not optional";
    case DISP_E_OVERFLOW:
        return L"Overflow";
    default:
        break;
    }
    wchar_t hex[16];
    wsprintfW(hex, L"&H%08X", static_cast<unsigned>(number));
    std::wstring text = std::wstring(L"Automation error ") + hex;
    wchar_t* system = nullptr;
    if (FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(number), 0, reinterpret_cast<wchar_t*>(&system),
                       0, nullptr) &&
        system) {
        std::wstring s(system);
        LocalFree(system);
        while (!s.empty() && (s.back() == L'\n' || s.back() == L'\r' || s.back() == L' '))
            s.pop_back();
        if (!s.empty()) text += L"\r\n" + s;
    }
    return text;
}

CallError Get(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args,
              Variant* result) {
    return InvokeByName(object, member, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, result);
}

CallError GetObject(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args,
                    ComPtr<IDispatch>& out) {
    out.Reset();
    Variant value;
    if (CallError e = Get(object, member, args, &value)) return e;
    return ObjectOf(value, out);
}

CallError Call(IDispatch* object, const wchar_t* member, std::initializer_list<Variant> args,
               Variant* result) {
    return InvokeByName(object, member, DISPATCH_METHOD, args, result);
}

CallError Put(IDispatch* object, const wchar_t* member, const Variant& value) {
    return InvokeByName(object, member, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

CallError ObjectOf(const Variant& value, ComPtr<IDispatch>& out) {
    out.Reset();
    const VARIANT& v = value.raw();
    IUnknown* unknown = nullptr;
    if (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN)
        unknown = v.vt == VT_DISPATCH ? v.pdispVal : v.punkVal;
    else if (v.vt == (VT_DISPATCH | VT_BYREF) || v.vt == (VT_UNKNOWN | VT_BYREF))
        unknown = v.ppunkVal ? *v.ppunkVal : nullptr;
    else
        return {kErrObjectRequired, L"Object required"};
    if (!unknown) return {};
    if (FAILED(unknown->QueryInterface(IID_PPV_ARGS(&out))))
        return {kErrObjectRequired, L"Object required"};
    return {};
}

} // namespace hv::rt

// Small COM helpers of the host.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <wrl/client.h>

namespace host {

template <typename T> using ComPtr = Microsoft::WRL::ComPtr<T>;

// Takes over a reference the caller owns. (MinGW's ComPtr::Attach adds one of its own,
// unlike the documented Attach, so it is not used.)
template <typename T> ComPtr<T> Adopt(T* owned) {
    ComPtr<T> p;
    *p.GetAddressOf() = owned;
    return p;
}

inline std::wstring FromBstr(BSTR s) {
    return s ? std::wstring(s, SysStringLen(s)) : L"";
}

inline bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// VB's error numbers as HRESULTs (FACILITY_CONTROL), the way VB-made objects raise them.
constexpr HRESULT VbError(int number) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, number);
}
constexpr HRESULT kErrInvalidCall = VbError(5);
constexpr HRESULT kErrSubscript = VbError(9);

} // namespace host

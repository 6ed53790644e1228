// COM pointers and BSTR texts, written once for the add-in and the IDE host alike. Header
// only, over the Windows SDK: the host takes nothing else of the add-in.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <wrl/client.h>

namespace hv::com {

template <typename T> using ComPtr = Microsoft::WRL::ComPtr<T>;

// QueryInterface: an empty pointer when the object has no such interface.
template <typename U, typename T> ComPtr<U> QueryAs(const ComPtr<T>& p) {
    ComPtr<U> u;
    if (p) p.As(&u);
    return u;
}

// Takes over a reference the caller owns. (MinGW's ComPtr::Attach adds one of its own,
// unlike the documented Attach, so it is not used.)
template <typename T> ComPtr<T> Adopt(T* owned) {
    ComPtr<T> p;
    *p.GetAddressOf() = owned;
    return p;
}

// A BSTR's characters, embedded zeros included; a null BSTR is the empty text.
inline std::wstring FromBstr(BSTR s) {
    return s ? std::wstring(s, SysStringLen(s)) : std::wstring();
}

} // namespace hv::com

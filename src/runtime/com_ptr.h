// Owning pointers to COM interfaces.
#pragma once
#include <wrl/client.h>

namespace hv::rt {
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
} // namespace hv::rt

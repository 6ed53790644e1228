// Small COM helpers of the host.
#pragma once
#include "../../shared/com.h"

namespace host {

using hv::com::Adopt;
using hv::com::ComPtr;
using hv::com::FromBstr;

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

// The editors' refusals of a change for the project's state, as opposed to a failing call:
// a protected project (50289) and a running one (17). The user hears their reason.
#pragma once
#include "../runtime/late_call.h"

namespace hv::output {

inline bool IsEditRefusal(const rt::CallError& e) {
    constexpr HRESULT kProtected = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 50289);
    constexpr HRESULT kCantPerform = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, 17);
    return e.number == kProtected || e.number == kCantPerform;
}

} // namespace hv::output

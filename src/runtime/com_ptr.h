// Owning pointers to COM interfaces.
#pragma once
#include "../../shared/com.h"

namespace hv::rt {
using com::Adopt;
using com::ComPtr;
using com::FromBstr;
using com::QueryAs;
} // namespace hv::rt

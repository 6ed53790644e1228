#pragma once
#include "handles.h"
#include <string>

namespace hv::rt {

// A font as VB describes it: face name, size in points, bold.
UniqueFont CreateVbFont(const std::string& face, double points, bool bold);

} // namespace hv::rt

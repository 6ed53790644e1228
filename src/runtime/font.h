#pragma once
#include "handles.h"
#include <string>

namespace hv::rt {

// A font as VB describes it: face name, size in points, bold; for `dpi` (0: the screen's).
UniqueFont CreateVbFont(const std::string& face, double points, bool bold, int dpi = 0);

} // namespace hv::rt

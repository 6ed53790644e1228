// VB's MousePointer numbers and custom pointers made from a picture.
#pragma once
#include "handles.h"
#include "picture.h"
#include <memory>

namespace hv::rt {

// A custom pointer shared by the controls that show it (MouseIcon with MousePointer 99).
using MouseIcon = std::shared_ptr<UniqueCursor>;
MouseIcon LoadMouseIcon(int resourceId);

enum MousePointerConstants : int { vbDefault = 0, vbArrow = 1, vbCrosshair = 2, vbCustom = 99 };

// The system pointer for a MousePointer number, or null for vbDefault, vbCustom and numbers
// that name no pointer (the window's own pointer is kept then).
HCURSOR StandardPointer(int mousePointer);

// A pointer showing the picture with its hot spot at the top-left corner.
UniqueCursor CursorFromPicture(const Picture& picture);

} // namespace hv::rt

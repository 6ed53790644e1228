// The shape of a picture drawn with a mask colour: every pixel of another colour.
#pragma once
#include "handles.h"
#include "picture.h"

namespace hv::rt {

// A region in the picture's pixel coordinates holding the pixels whose colour differs from
// `mask` (a COLORREF). Empty when every pixel is of the mask colour.
UniqueRegion MaskRegion(const Picture& picture, COLORREF mask);

} // namespace hv::rt

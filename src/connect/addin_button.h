// The add-in's button on the IDE's toolbar: placed before the last control of command
// bar 2, captioned, with the add-in's picture as its face and a separator before it.
#pragma once
#include "../runtime/late_call.h"

namespace hv::connect {

constexpr wchar_t kButtonCaption[] = L"VB 6 Huevista";

struct AddinButton {
    rt::ComPtr<IDispatch> button; // set as soon as the IDE made it
};

// Stops at the first failing step and returns its error.
rt::CallError AddButton(IDispatch* vbe, AddinButton& made);

// Gives the button the picture of bitmap resource 101 through the clipboard
// (PasteFace), and puts back what the user had on the clipboard.
rt::CallError PasteButtonFace(IDispatch* button);

} // namespace hv::connect

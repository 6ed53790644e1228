// The add-in's button on the IDE's "Standard" toolbar (command bar 2 in the VB6 IDE; found by
// name where bar 2 is another): placed before its last control, captioned, with the add-in's
// picture as its face and a separator before it.
#pragma once
#include "../runtime/late_call.h"

namespace hv::connect {

constexpr wchar_t kButtonCaption[] = L"VB 6 Huevista";
// Marks the add-in's button, so that one left by an earlier session (an IDE that died, a
// delete that failed) is found and removed.
constexpr wchar_t kButtonTag[] = L"Pigmora.Connect";

struct AddinButton {
    rt::ComPtr<IDispatch> button; // set as soon as the IDE made it
};

// Deletes the buttons an earlier session left, then adds the button; stops at the first
// failing step and returns its error.
rt::CallError AddButton(IDispatch* vbe, AddinButton& made);

// Gives the button the picture of bitmap resource 101 as Office's buttons take it: its
// Picture and Mask. Fails where the button has no Picture (the VB6 IDE's).
rt::CallError PutButtonPicture(IDispatch* button);

// Gives the button the picture of bitmap resource 101 through the clipboard
// (PasteFace), and puts back what the user had on the clipboard.
rt::CallError PasteButtonFace(IDispatch* button);

} // namespace hv::connect

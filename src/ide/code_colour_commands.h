// The colour written in code at the caret: read into the add-in, or overwritten with the
// current colour in the same form.
#pragma once
#include "../core/colour.h"
#include <oaidl.h>
#include <optional>

namespace hv::output {

enum class CodeColourResult {
    Done,
    NoPane,    // no code pane in view (none, or one behind another window): the user was told
    NoColour,  // none on the line, or several and the caret in none: the user was told
    Unchanged, // the line could not be read or written: the module is as it was
};

struct ColourFromCodeResult {
    CodeColourResult result;
    ColorValue colour = 0; // with Done: system colours resolved as they are now
};

// From code: the expression holding the caret, or the only one on the caret's line.
// `vbe` is the IDE's root object, as for every command on the code pane.
ColourFromCodeResult ColourFromCode(IDispatch* vbe);

// Replace in code: `current` written over that same expression; only its characters change.
CodeColourResult ReplaceColourInCode(IDispatch* vbe, ColorValue current);

} // namespace hv::output

// Appending a text for the colour to the end of the caret's line in the IDE's active code
// pane.
#pragma once
#include <functional>
#include <oaidl.h>
#include <string>

namespace hv::output {

enum class InsertResult {
    Inserted,  // the line now ends with the text
    NoPane,    // no code pane in view (none, or one behind another window): the user was told
    Unchanged, // the pane went away or refused between steps: the module is as it was
};

// The steps the IDE (`vbe`, its root object; null when not connected) is asked for, all on
// the active pane fetched once, with failures of the IDE skipped in turn. `text` is built
// only once the caret's line has been read, so it holds the fields as they are at that moment.
InsertResult InsertIntoCodePane(IDispatch* vbe, const std::function<std::string()>& text);

} // namespace hv::output

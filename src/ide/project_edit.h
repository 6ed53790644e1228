// A replace over the project's colour uses through the object model, its undo, and going to
// a use in the IDE.
#pragma once
#include "../core/project_colours.h"
#include "../runtime/late_call.h"
#include <string>
#include <vector>

namespace hv::output {

class ProjectEdit {
  public:
    explicit ProjectEdit(IDispatch* vbe) : vbe_(vbe) {}
    // Writes the plan's edits; a use whose line or value is no longer what was read, or that
    // the IDE refuses, is left and told in the answer (empty: all written). What was written
    // can be undone.
    std::wstring Replace(const std::vector<ColourUse>& uses, const ReplacePlan& plan);
    bool CanUndo() const { return !done_.empty(); }
    // Puts back every use still as the replace left it; the answer tells the others.
    std::wstring Undo();

  private:
    // One edit, written from `from` to `to` (a line's text or a property's value).
    rt::CallError Write(const ColourUse& use, const ColourEdit& edit, bool undo, ColourEdit* read);
    IDispatch* vbe_;
    std::vector<ColourUse> uses_;
    std::vector<ColourEdit> done_;
};

// Shows the use: the code pane with its expression selected, or the form's designer with the
// control selected (the VBA editor's designer has no selection to set: it is shown).
void GoToUse(IDispatch* vbe, const ColourUse& use);

} // namespace hv::output

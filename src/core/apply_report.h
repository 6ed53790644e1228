// What the form commands tell the user after "Apply to selected controls" and "Undo apply":
// once, in one text, which controls were changed and which were not, and why.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace hv {

// Component types whose designer holds controls: VBA's UserForm (3), VB6's form, MDI form,
// property page, user control and user document (5 to 9). A related document (10) has none.
constexpr bool HoldsControls(long componentType) {
    return componentType == 3 || (componentType >= 5 && componentType <= 9);
}

// Controls by name; a refused one with the IDE's reason.
using Refusal = std::pair<std::wstring, std::wstring>;

struct ApplyOutcome {
    std::wstring property;
    long lacking = 0;                  // selected controls without the property
    std::vector<std::wstring> changed; // set to the colour
    std::vector<Refusal> refused;
};

struct UndoOutcome {
    std::wstring property;
    std::vector<std::wstring> restored; // put back
    std::vector<std::wstring> movedOn;  // changed since the apply: left as they are now
    std::vector<std::wstring> gone;     // deleted since the apply
    std::vector<Refusal> refused;
};

// The text to tell; empty when everything went as asked.
std::wstring ApplyReport(const ApplyOutcome& outcome);
std::wstring UndoReport(const UndoOutcome& outcome);

} // namespace hv

// The colours a VB project uses: every colour expression in its modules' code and every
// colour property of its forms' controls, grouped by colour; one colour replaced in the uses
// chosen, and the replacement taken back where nothing changed since.
#pragma once
#include "code_colour.h"
#include <string>
#include <string_view>
#include <vector>

namespace hv {

// One place that uses a colour: an expression on a line of code, or a control's property.
struct ColourUse {
    std::wstring component; // the module or form
    std::wstring control;   // empty for a use in code; the form's own name for the form
    std::wstring property;  // BackColor, ForeColor, ...
    long line = 0;          // code: from 1; a property: the control's place in its designer's controls
    std::wstring text;      // code: the whole line as read
    CodeColour at;          // code: where on the line, and how it is written
    ColorValue value = 0;   // a system colour stays one

    bool InCode() const { return control.empty(); }
};

// Every colour expression of a module's text (lines separated by CR LF, as CodeModule.Lines
// gives them), line numbers counted from `firstLine`. Colours in strings and comments are no
// uses.
void AddCodeUses(std::vector<ColourUse>& uses, const std::wstring& module, std::wstring_view text,
                 long firstLine = 1);

// One colour and its uses (indexes into the uses), a system colour as itself.
struct ColourRow {
    ColorValue value = 0;
    std::vector<std::size_t> uses;
};
// The colours of the uses, the most used first, then by value.
std::vector<ColourRow> GroupByColour(const std::vector<ColourUse>& uses);

// What the list says of a colour: a system colour's constant (vbButtonFace), a named colour's
// name (red), or "near <name>".
std::string ColourRowName(ColorValue c);
// "Module1 (12): Me.BackColor = &HFF&" (the line without its indent) or "Form1.Label1.ForeColor".
std::wstring UseText(const ColourUse& use);

// One change of a replace: a line of code (all its chosen uses at once) or one property.
struct ColourEdit {
    std::vector<std::size_t> uses;
    std::wstring before, after; // code: the line as read, and as written (then as read back)
    ColorValue oldValue = 0, newValue = 0;
};
struct ReplacePlan {
    std::vector<ColourEdit> edits;
    // Uses that can't take the colour: the line rewritten would be longer than VB allows.
    std::vector<std::size_t> refused;
};
constexpr std::size_t kMaxCodeLine = 1023;

// The edits that write `to` over the chosen uses (as read: a component's uses together, in
// the order of its lines), each literal in its own form as "Replace color in code" writes it.
// Uses that already hold `to` need none.
ReplacePlan PlanReplace(const std::vector<ColourUse>& uses, const std::vector<std::size_t>& chosen,
                        ColorValue to);

// Whether an edit can be taken back: the line or value is still what the replace left.
bool StillAsReplaced(const ColourEdit& edit, const ColourUse& use, std::wstring_view lineNow,
                     ColorValue valueNow);

// A control's text colour on its background, for the contrast list.
struct TextColours {
    std::wstring form, control;
    ColorValue fore = 0, back = 0;
};
struct ContrastFailure {
    std::size_t index; // into the pairs
    int hundredths;    // the ratio cut to hundredths
};
// The pairs that fail WCAG 2.1 AA for normal text (below 4.5:1, decided on the ratio itself);
// every text is judged as normal text. `resolve` gives the colour a system colour paints now.
std::vector<ContrastFailure> FailingContrast(const std::vector<TextColours>& pairs,
                                             ColorValue (*resolve)(ColorValue));

} // namespace hv

#include "code_colour_commands.h"
#include "../core/code_colour.h"
#include "code_pane_line.h"
#include "../runtime/system_colour.h"

namespace hv::output {

namespace {

// The caret's line and the expression the command is about; the user told when there is none.
CodeColourResult FindAtCaret(CaretLine& caret, CodeColour& found) {
    if (const auto state = caret.Read(); state != CaretLine::State::Read)
        return state == CaretLine::State::NoPane ? CodeColourResult::NoPane : CodeColourResult::Unchanged;
    const auto all = FindCodeColours(std::wstring_view(caret.text));
    const std::size_t at = caret.column > 0 ? static_cast<std::size_t>(caret.column - 1) : 0;
    const auto chosen = ColourForCaret(all, at);
    if (!chosen) {
        TellAboutCode(all.empty() ? L"No color found on the caret's line"
                                  : L"More than one color on this line: put the caret in one of them");
        return CodeColourResult::NoColour;
    }
    found = *chosen;
    return CodeColourResult::Done;
}

} // namespace

ColourFromCodeResult ColourFromCode(IDispatch* vbe) {
    CaretLine caret(vbe);
    CodeColour found;
    const CodeColourResult r = FindAtCaret(caret, found);
    if (r != CodeColourResult::Done) return {r};
    return {r, static_cast<ColorValue>(rt::ResolveColor(found.value))};
}

CodeColourResult ReplaceColourInCode(IDispatch* vbe, ColorValue current) {
    CaretLine caret(vbe);
    CodeColour found;
    const CodeColourResult r = FindAtCaret(caret, found);
    if (r != CodeColourResult::Done) return r;
    // A system colour read from here and put back is still that system colour, not the RGB
    // it shows as today.
    if (IsSystemColor(found.value) && !IsSystemColor(current) &&
        rt::ResolveColor(found.value) == static_cast<COLORREF>(current))
        current = found.value;
    const std::wstring& line = caret.text;
    const std::wstring replaced = ReplaceCodeColour(std::wstring_view(line), found, current);
    // The caret goes right after the colour written, as the editor shows it.
    const auto afterColour = [&](const std::wstring& shown) {
        return static_cast<long>(CaretAfterColour(replaced, found.start, shown)) + 1;
    };
    return caret.Write(replaced, afterColour) ? CodeColourResult::Done : CodeColourResult::Unchanged;
}

} // namespace hv::output

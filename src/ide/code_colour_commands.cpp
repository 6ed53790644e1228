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

// Lines a theme colour's tint is looked for in, after the colour's own.
constexpr long kTintLines = 20;

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += c < 0x80 ? static_cast<char>(c) : '?';
    return s;
}

// A theme colour without its tint on its line takes the tint of the same object from a later
// line; its number, or 0.
long FindLaterTint(CaretLine& caret, OfficeColour& c) {
    if (c.form != OfficeForm::ThemeColour || c.tint) return 0;
    for (long n = caret.line + 1; n <= caret.line + kTintLines; ++n) {
        const auto text = caret.Other(n);
        if (!text) break;
        const std::string line = Narrow(*text);
        if (EndsTintSearch(c, line)) break;
        if (const auto t = FindOfficeTint(c, line)) {
            SetTint(c, *t);
            return n;
        }
    }
    return 0;
}

std::wstring Replaced(std::wstring line, std::size_t start, std::size_t end, const std::string& text) {
    return line.replace(start, end - start, Widen(text));
}

CodeColourResult ReplaceOfficeColour(CaretLine& caret, OfficeColour c, ColorValue current) {
    const long tintLine = FindLaterTint(caret, c);
    if (current == c.value) return CodeColourResult::Done;
    std::string nearest;
    const auto r = OfficeReplacement(c, current, &nearest);
    if (!r) {
        TellAboutCode(Widen("Not replaced: this color cannot be written exactly in the form of the code here (" +
                            nearest + "). Nothing was changed.")
                          .c_str());
        return CodeColourResult::Unchanged;
    }
    std::wstring line = caret.text;
    const bool tintHere = c.tint && !tintLine && c.form == OfficeForm::ThemeColour;
    if (tintHere && !r->tint.empty()) line = Replaced(line, c.tint->start, c.tint->end, r->tint); // after the colour
    line = Replaced(line, c.start, c.end, r->colour);
    const long after = static_cast<long>(c.start + Widen(r->colour).size()) + 1;
    const bool neutral = r->tint.empty() || r->tint == "0" || (c.family == ThemeFamily::Access && r->tint == "100");
    if (c.form == OfficeForm::ThemeColour && !c.tint && !neutral) {
        // No tint in the code yet: one goes after the colour, on its line.
        const std::string name = c.family == ThemeFamily::Access ? c.tintName + (r->shade ? "Shade" : "Tint") : c.tintName;
        const std::size_t at = c.start + Widen(r->colour).size();
        line = Replaced(line, at, at, ": " + c.object + "." + name + " = " + r->tint);
    }
    if (tintLine) {
        auto other = caret.Other(tintLine);
        if (!other || !caret.ReplaceOther(tintLine, Replaced(*other, c.tint->start, c.tint->end, r->tint)))
            return CodeColourResult::Unchanged;
    }
    return caret.Write(line, [after](const std::wstring&) { return after; }) ? CodeColourResult::Done
                                                                          : CodeColourResult::Unchanged;
}

} // namespace

ColourFromCodeResult ColourFromCode(IDispatch* vbe) {
    CaretLine caret(vbe);
    CodeColour found;
    const CodeColourResult r = FindAtCaret(caret, found);
    if (r != CodeColourResult::Done) return {r};
    if (found.office) {
        FindLaterTint(caret, *found.office);
        return {r, found.office->value};
    }
    return {r, static_cast<ColorValue>(rt::ResolveColor(found.value))};
}

CodeColourResult ReplaceColourInCode(IDispatch* vbe, ColorValue current) {
    CaretLine caret(vbe);
    CodeColour found;
    const CodeColourResult r = FindAtCaret(caret, found);
    if (r != CodeColourResult::Done) return r;
    if (found.office) return ReplaceOfficeColour(caret, *found.office, current);
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

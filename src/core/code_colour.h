// Colour expressions in one line of VB code: where each starts and ends, how it is written,
// and the colour it stands for; and the text that writes another colour in the same form.
#pragma once
#include "colour.h"
#include "office_code.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hv {

enum class CodeColourForm {
    HexLiteral,     // &HFF&, &H00C0FFFF&, &HFF0000
    RgbCall,        // RGB(255, 0, 0)
    Constant,       // vbRed
    QBColorCall,    // QBColor(12)
    SystemHex,      // &H80000005&
    SystemConstant, // vbWindowBackground
    Decimal,        // BackColor = 255
    WdConstant,     // wdColorRed
    Office,         // .ThemeColor = xlThemeColorAccent1, .ColorIndex = 6, ...: see `office`
};

struct CodeColour {
    CodeColour() = default;
    CodeColour(std::size_t s, std::size_t e, CodeColourForm f, ColorValue v, std::optional<OfficeColour> o = {})
        : start(s), end(e), form(f), value(v), office(std::move(o)) {}
    std::size_t start = 0; // first character
    std::size_t end = 0;   // one past the last
    CodeColourForm form = CodeColourForm::HexLiteral;
    ColorValue value = 0; // a system colour stays SystemColor(index), resolved when shown
    std::optional<OfficeColour> office; // with CodeColourForm::Office
};

// Every colour expression on the line, left to right, none inside a string or a comment.
// Characters are taken one by one (a byte of a std::string is one character).
std::vector<CodeColour> FindCodeColours(std::wstring_view line);
std::vector<CodeColour> FindCodeColours(std::string_view line);

// The expression that holds the caret (an insertion point, 0 = before the first character;
// either edge of an expression counts as inside), or, with the caret in none, the only one
// on the line. Nothing when there is none, or several and the caret is in none.
std::optional<CodeColour> ColourForCaret(const std::vector<CodeColour>& found, std::size_t caret);

// Where a caret right after the colour written at `colourStart` of `sent` goes once the editor
// shows that line as `shown` (it redoes what it is given: &H00FF& shows as &HFF&): right after
// the same colour of the shown line, counted from the line's start; at the line's end when the
// shown line holds another number of colours. A 0-based insertion point.
std::size_t CaretAfterColour(std::wstring_view sent, std::size_t colourStart, std::wstring_view shown);

// The text that writes `current` in the form of `found`: a constant or QBColor call stays one
// when `current` is one of theirs, RGB stays a call, a decimal stays decimal; anything else
// is the colour's code text.
std::string ReplacementText(const CodeColour& found, ColorValue current);

// `line` with `found` rewritten as ReplacementText(found, current); the very same line when
// `current` is the colour already written there (vbButtonFace stays vbButtonFace, &HFF &HFF).
template <typename Ch>
std::basic_string<Ch> ReplaceCodeColour(std::basic_string_view<Ch> line, const CodeColour& found,
                                        ColorValue current) {
    std::basic_string<Ch> out(line);
    if (current == found.value || found.end > line.size() || found.start > found.end) return out;
    const std::string text = ReplacementText(found, current); // ASCII only
    return out.replace(found.start, found.end - found.start, std::basic_string<Ch>(text.begin(), text.end()));
}
inline std::string ReplaceCodeColour(const std::string& line, const CodeColour& found, ColorValue current) {
    return ReplaceCodeColour(std::string_view(line), found, current);
}

// A colour typed or pasted by the user: any of the forms above alone (a decimal without the
// assignment), "#RRGGBB", or "R, G, B"; blanks around it are ignored.
std::optional<ColorValue> ParseTypedColour(std::string_view text);

// VB's QBColor: the sixteen colours for 0..15.
ColorValue QBColorValue(int index);

// The SystemColorConstants name of a system colour (vbButtonFace for &H8000000F&), or null
// for a colour that has none.
const char* SystemColourName(ColorValue c);

} // namespace hv

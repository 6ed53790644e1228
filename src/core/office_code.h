// Office's colour members in a line of VBA: `.ThemeColor = xlThemeColorAccent1` with the
// `.TintAndShade` of the same object, `.ColorIndex = 6`, `.ObjectThemeColor` with
// `.Brightness`, Access's `BackThemeColorIndex` with `BackTint`/`BackShade`, Word's theme
// Longs and `"#RRGGBB"` strings; and the texts that write another colour in their form.
#pragma once
#include "office_theme.h"
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace hv {

enum class OfficeForm { ThemeColour, ColourIndex, WordThemeLong, HashString };

// A tint of the same object: where its number is and what it stands for.
struct OfficeTint {
    double tintAndShade = 0; // -1..1
    std::size_t start = 0, end = 0; // the number
    bool percent = false;    // Access's BackTint/BackShade 0-100
    bool shade = false;      // ... and which of the two
};

struct OfficeColour {
    OfficeForm form = OfficeForm::ThemeColour;
    std::size_t start = 0, end = 0; // the value after '='
    ColorValue value = 0;           // in the default theme, with the tint
    // Theme colours
    ThemeSlot slot = ThemeSlot::Dark1;
    ThemeFamily family = ThemeFamily::Excel;
    std::string object;    // the text before ".Member", "" in a With block
    std::string tintName;  // the member that tints it ("TintAndShade", "BackTint" ...)
    std::optional<OfficeTint> tint; // on this line, or after SetTint
    bool wordIndex = false; // a WdColorIndex (HighlightColorIndex, wdRed) rather than Excel's
};

// The member named [from, to) of `line` (a '.' before it), when it is one of Office's colour
// members with a value this reads. Characters beyond ASCII are any letter.
std::optional<OfficeColour> ReadOfficeMember(std::string_view line, std::size_t from, std::size_t to);

// The tint member for `c` on `line` (from `from`), of the same object.
std::optional<OfficeTint> FindOfficeTint(const OfficeColour& c, std::string_view line, std::size_t from = 0);
// `c` with its tint (found on a later line) put on its colour.
void SetTint(OfficeColour& c, const OfficeTint& t);
// Whether a later line ends the search for `c`'s tint: End With, the end of the procedure,
// another colour of the same object, or (outside a With block) a line that is no statement
// on the same object.
bool EndsTintSearch(const OfficeColour& c, std::string_view line);

// The texts that write `current` in `c`'s form, or nothing when that form cannot hold it
// exactly (then `nearest` says what comes nearest).
struct OfficeRewrite {
    std::string colour; // replaces [start, end)
    std::string tint;   // the tint's number, "" for a form without one
    bool shade = false; // Access: the number is a BackShade's, not a BackTint's
};
std::optional<OfficeRewrite> OfficeReplacement(const OfficeColour& c, ColorValue current, std::string* nearest);

} // namespace hv

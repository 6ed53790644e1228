// A line of code as the editors show it once it is entered: they redo what was typed or
// written through the object model (InsertLines, ReplaceLine, AddFromString).
#pragma once
#include <string>

namespace host {

// Hex and octal literals in upper case without leading zeros (&h00ff& shows &HFF&), decimal
// ones without leading zeros, keywords in their case, one space around binary operators and
// after commas, none inside parentheses or before commas and colons, runs of blanks made one
// and trailing blanks dropped. Indentation, strings, comments and bracketed names stay as
// they are.
std::wstring AsTheEditorShows(const std::wstring& line);

} // namespace host

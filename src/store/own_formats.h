// The user's own formats as the settings keep them: text values Format1, Format2, ... of the
// section Formats, in the order of their numbers. Gaps in the numbering are passed over. A
// value that is no text, longer than a format may be, more than one line, or that the ANSI
// code page would change (a character it lacks, a zero inside) is unreadable: it is left
// where it is, and never written over.
#pragma once
#include <string>
#include <vector>

namespace hv::output {

// Numbers looked at: enough for every format with room for values left unreadable.
constexpr int kFormatNumbers = 64;

// Every readable text, good or not, in order; or, `formatsOnly`, the texts that make a format,
// at most kMaxFormats: what the menu lists.
std::vector<std::string> LoadFormatTexts(bool formatsOnly = false);
inline std::vector<std::string> LoadFormats() {
    return LoadFormatTexts(true);
}
// Stores `texts` in order under the lowest numbers that hold no unreadable value, and
// removes the readable values left over. False when the settings refuse a write.
bool SaveFormats(const std::vector<std::string>& texts);

} // namespace hv::output

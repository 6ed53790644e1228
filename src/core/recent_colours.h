// The colours the user made current, most recent first: distinct plain colours, at most 16,
// kept as one text of decimal values separated by spaces ("255 65280").
#pragma once
#include "colour.h"
#include <string>
#include <string_view>
#include <vector>

namespace hv {

constexpr std::size_t kRecentMax = 16;
using RecentColours = std::vector<ColorValue>;

// `c` to the front, its older place gone, the oldest beyond 16 dropped. A system colour (no
// fixed colour) leaves the list as it is.
void PutFirst(RecentColours& list, ColorValue c);

// The stored text read back: words that are not a decimal 0 to 16777215, and repeats of an
// earlier colour, are skipped; reading stops at 16 colours.
RecentColours ParseRecent(std::string_view text);
std::string RecentText(const RecentColours& list);

} // namespace hv

// The recent colours as the user's settings keep them, read afresh each time: another IDE
// of the same user may have added some.
#pragma once
#include "../core/recent_colours.h"

namespace hv::colour {

RecentColours LoadRecentColors();
// The colour the user made current goes to the front of the stored list. A stored value
// that is no text reads as an empty list and is replaced; a text that can't be read is left.
void RememberRecent(ColorValue c);

} // namespace hv::colour

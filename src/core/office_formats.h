// The formats a picked colour is written in for the Office application hosting the VBA
// editor: the nearest theme colour with its tint, the nearest colour index, Access's
// "#RRGGBB"; each marked exact, or approximate with the difference.
#pragma once
#include "office_theme.h"
#include <string>
#include <vector>

namespace hv {

struct OfficeFormat {
    std::string caption; // the menu's text: "Theme color: Accent 1, Lighter 40% (exact)"
    std::string code;    // what Insert and Copy deliver
};

// None for OfficeHost::None (VB6, or an Office application not told apart).
std::vector<OfficeFormat> OfficeFormats(OfficeHost host, ColorValue c);

// "Theme color: Accent 1, Lighter 40%" when `c` is exactly a theme colour or one of the
// picker's steps in the host's rule; "" otherwise.
std::string ThemeColourHint(OfficeHost host, ColorValue c);

// The host an Application's Name stands for ("Microsoft Excel" ...), None for any other.
OfficeHost OfficeHostNamed(std::string_view applicationName);

} // namespace hv

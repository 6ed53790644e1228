// The layout tables of the About, support and donation windows.
#pragma once
#include "layout.h"

namespace hv::forms {

constexpr int kAboutWidth = 5625, kAboutHeight = 3000;     // twips, as wide as the main window
constexpr int kSupportWidth = 6135, kSupportHeight = 5535; // client area, twips
constexpr int kDonateInfoWidth = 5565, kDonateInfoHeight = 5460; // client area, twips

extern const ControlRow kAboutLayout[];
extern const int kAboutLayoutCount;
extern const ControlRow kSupportLayout[];
extern const int kSupportLayoutCount;
extern const ControlRow kDonateInfoLayout[];
extern const int kDonateInfoLayoutCount;

} // namespace hv::forms

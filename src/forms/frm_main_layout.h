#pragma once
#include "layout.h"

namespace hv::forms {

constexpr int kMainWidth = 5625, kMainHeight = 2115; // twips

extern const ControlRow kMainLayout[];
extern const int kMainLayoutCount;

} // namespace hv::forms

// The texts handed out for a colour's components, built from the component fields as they
// stand: nothing is trimmed, filled or checked.
#pragma once
#include <string>

namespace hv {

enum class ComponentFormat { Red, Green, Blue, Joined, CommaList, RgbCall };

std::string FormatComponents(ComponentFormat format, const std::string& red,
                             const std::string& green, const std::string& blue);

// The hints that the Copy and Insert buttons show for the code they would deliver.
std::string CopyHint(const std::string& code);
std::string InsertHint(const std::string& code);

} // namespace hv

// Turning stored texts into values: what the favourites read back from the registry.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace hv {

// VB's numeric conversion to a Long, as far as stored colours need it: surrounding blanks, an
// optional sign, decimal digits with an optional fraction (rounded half to even), or &H/&O
// followed by up to 32 bits of hexadecimal or octal digits (two's complement, so
// "&H80000005" is a system colour). Anything else, or a value outside 32 bits, is nothing.
std::optional<std::int32_t> ParseVbLong(std::string_view text);

} // namespace hv

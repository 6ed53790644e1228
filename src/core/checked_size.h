// Sizes of pixel buffers computed without wrapping: in a 32-bit process a width times a
// height times four bytes overflows long before a screen is unusually large.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace hv {

// width * height * bytesEach, or nothing when a factor is negative or the product exceeds
// `limit`.
constexpr std::optional<std::size_t> CheckedArea(std::int64_t width, std::int64_t height,
                                                 std::size_t bytesEach = 1,
                                                 std::size_t limit = SIZE_MAX) {
    if (width < 0 || height < 0 || bytesEach == 0) return std::nullopt;
    const auto w = static_cast<std::uint64_t>(width), h = static_cast<std::uint64_t>(height);
    const std::uint64_t most = limit / bytesEach;
    if (w != 0 && h > most / w) return std::nullopt;
    return static_cast<std::size_t>(w * h * bytesEach);
}

// The most pixels an image or bitmap of the add-in may have (256 MB of 32-bit pixels): more
// than any screen it grabs, less than a 32-bit process can be sure to find.
constexpr std::size_t kMaxPixels = std::size_t{1} << 26;

} // namespace hv

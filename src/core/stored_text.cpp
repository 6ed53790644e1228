#include "stored_text.h"
#include <cmath>

namespace hv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

std::optional<std::int32_t> ParseRadix(std::string_view digits, int radix) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : digits) {
        const int d = DigitValue(c);
        if (d >= radix) return std::nullopt;
        v = v * radix + d;
        if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

std::optional<std::int32_t> ParseDecimal(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    const auto dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view{} : s.substr(dot + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > (std::int64_t{1} << 32)) return std::nullopt;
    }
    for (char c : fraction)
        if (c < '0' || c > '9') return std::nullopt;
    // Round half to even on the first fraction digit and whatever follows it.
    if (!fraction.empty()) {
        const int first = fraction[0] - '0';
        const bool rest = fraction.find_first_not_of('0', 1) != std::string_view::npos;
        if (first > 5 || (first == 5 && (rest || (v & 1)))) ++v;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace

std::optional<std::int32_t> ParseVbLong(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.size() >= 2 && text[0] == '&') {
        const char kind = text[1];
        if (kind == 'H' || kind == 'h') return ParseRadix(text.substr(2), 16);
        if (kind == 'O' || kind == 'o') return ParseRadix(text.substr(2), 8);
        return std::nullopt;
    }
    return ParseDecimal(text);
}

} // namespace hv

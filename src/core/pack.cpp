#include "pack.h"
#include <algorithm>

namespace hv {

namespace {

constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kLongMatch = 130; // lengths from here on carry 2 more bytes
constexpr std::size_t kMaxMatch = kLongMatch + 0xFFFF;
constexpr std::size_t kWindow = 0xFFFF;
constexpr int kHashBits = 15;
constexpr int kChainDepth = 32;

std::uint32_t Hash(const std::uint8_t* p) {
    const std::uint32_t v = p[0] | p[1] << 8 | p[2] << 16;
    return (v * 2654435761u) >> (32 - kHashBits);
}

void PutLiterals(std::vector<std::uint8_t>& out, const std::uint8_t* p, std::size_t n) {
    while (n > 0) {
        const std::size_t run = std::min<std::size_t>(n, 128);
        out.push_back(static_cast<std::uint8_t>(run - 1));
        out.insert(out.end(), p, p + run);
        p += run;
        n -= run;
    }
}

void PutMatch(std::vector<std::uint8_t>& out, std::size_t offset, std::size_t length) {
    const bool isLong = length >= kLongMatch;
    out.push_back(static_cast<std::uint8_t>(0x80 | (isLong ? 0x7F : length - kMinMatch)));
    out.push_back(static_cast<std::uint8_t>(offset));
    out.push_back(static_cast<std::uint8_t>(offset >> 8));
    if (isLong) {
        out.push_back(static_cast<std::uint8_t>(length - kLongMatch));
        out.push_back(static_cast<std::uint8_t>((length - kLongMatch) >> 8));
    }
}

} // namespace

std::vector<std::uint8_t> Pack(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    std::vector<std::int64_t> head(std::size_t{1} << kHashBits, -1), prev(size, -1);
    auto remember = [&](std::size_t at) {
        if (at + kMinMatch > size) return;
        std::int64_t& h = head[Hash(data + at)];
        prev[at] = h;
        h = static_cast<std::int64_t>(at);
    };
    std::size_t pos = 0, literalStart = 0;
    while (pos < size) {
        std::size_t best = 0, bestOffset = 0;
        if (pos + kMinMatch <= size) {
            std::int64_t candidate = head[Hash(data + pos)];
            for (int depth = 0; candidate >= 0 && depth < kChainDepth; ++depth) {
                const std::size_t from = static_cast<std::size_t>(candidate);
                if (pos - from > kWindow) break;
                const std::size_t limit = std::min(size - pos, kMaxMatch);
                std::size_t n = 0;
                while (n < limit && data[from + n] == data[pos + n]) ++n;
                if (n > best) {
                    best = n;
                    bestOffset = pos - from;
                }
                candidate = prev[from];
            }
        }
        if (best < kMinMatch) {
            remember(pos++);
            continue;
        }
        PutLiterals(out, data + literalStart, pos - literalStart);
        PutMatch(out, bestOffset, best);
        for (std::size_t end = pos + best; pos < end;) remember(pos++);
        literalStart = pos;
    }
    PutLiterals(out, data + literalStart, pos - literalStart);
    return out;
}

bool Unpack(const std::uint8_t* packed, std::size_t size, std::vector<std::uint8_t>& out) {
    out.clear();
    if (!packed || size < 4) return false;
    const std::size_t total = packed[0] | packed[1] << 8 | packed[2] << 16 |
                              static_cast<std::size_t>(packed[3]) << 24;
    // A token of 5 bytes writes at most kMaxMatch: a larger claim is damage, not a picture.
    if (total / kMaxMatch > size) return false;
    out.reserve(total);
    std::size_t at = 4;
    auto fail = [&] {
        out.clear();
        return false;
    };
    while (at < size) {
        const std::uint8_t t = packed[at++];
        if (t < 0x80) {
            const std::size_t n = std::size_t{t} + 1;
            if (n > size - at || n > total - out.size()) return fail();
            out.insert(out.end(), packed + at, packed + at + n);
            at += n;
            continue;
        }
        if (size - at < 2) return fail();
        const std::size_t offset = packed[at] | packed[at + 1] << 8;
        at += 2;
        std::size_t n = (t & 0x7Fu) + kMinMatch;
        if ((t & 0x7F) == 0x7F) {
            if (size - at < 2) return fail();
            n = kLongMatch + (packed[at] | packed[at + 1] << 8);
            at += 2;
        }
        if (offset == 0 || offset > out.size() || n > total - out.size()) return fail();
        // Byte by byte: an overlapping match repeats what it has just written.
        for (std::size_t from = out.size() - offset, i = 0; i < n; ++i) out.push_back(out[from + i]);
    }
    return out.size() == total ? true : fail();
}

} // namespace hv

// A small LZ77 packing for the pictures built into the DLL: drawn pictures are mostly flat
// colour and rows that repeat, which this shrinks some forty times; unpacking is a few lines
// with every read and write checked, so a damaged resource gives an error, never a crash.
//
// Format: the unpacked size (4 bytes, little-endian), then tokens. A token byte t < 0x80 is
// followed by t + 1 literal bytes; t >= 0x80 copies a match from `offset` bytes back (2 bytes,
// little-endian, 1 to 65535) of length (t & 0x7F) + 3, or when that is 0x7F, of 130 plus the
// following 2-byte little-endian number. Matches may overlap what they write.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace hv {

std::vector<std::uint8_t> Pack(const std::uint8_t* data, std::size_t size);
// False (and `out` empty) when `packed` is not a whole, consistent packing.
bool Unpack(const std::uint8_t* packed, std::size_t size, std::vector<std::uint8_t>& out);

} // namespace hv

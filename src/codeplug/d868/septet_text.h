// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SeptetText: the 7-bit text packing of the D868 contact streams.
//
// Each character is reduced to 7 bits and the characters of one stream entry are packed back to
// back, least significant bit first: character 0 is bits 0-6 of byte 0, character 1 takes bit 7
// of byte 0 as its bit 0 and bits 0-5 of byte 1 as its bits 1-6, and so on, eight characters in
// seven bytes. Each text ends with a zero character; after the last text of an entry the partly
// used byte is skipped, so that the next entry starts on a byte boundary.

#include "codeplug/byte_field.h"

#include <cstddef>
#include <cstdint>

namespace pw {

// The character as it is stored: its low seven bits, '?' for one that would read as a terminator.
inline std::uint8_t septetOf(unsigned char c)
{
    const auto value = static_cast<std::uint8_t>(c & 0x7F);
    return value == 0 ? static_cast<std::uint8_t>('?') : value;
}

// The septets of `bytes` from byte `offset` on, as many as fit in `maxSeptets` and in the span,
// into `septets`: eight septets from each seven bytes, as one 56-bit word. Returns the number read.
std::size_t unpackSeptets(ConstBytes bytes, std::size_t offset, std::size_t maxSeptets, std::uint8_t* septets);
// Packs `count` septets (values below 128) into `out`, which must hold (count * 7 + 7) / 8 bytes;
// the partly used last byte is padded with zero bits. Returns the number of bytes written.
std::size_t packSeptets(const std::uint8_t* septets, std::size_t count, std::uint8_t* out);

} // namespace pw

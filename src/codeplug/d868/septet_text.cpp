// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/d868/septet_text.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pw {

namespace {

static_assert(std::endian::native == std::endian::little, "septet groups are read as little-endian words");

// A group is eight septets in 56 bits, the first lowest. Both directions move whole halves, then
// quarters, then eighths of the word at once instead of one septet at a time.
void spreadGroup(std::uint64_t word, std::uint8_t* septets)
{
    word = (word & 0x000000000FFFFFFFull) | ((word << 4) & 0x0FFFFFFF00000000ull);
    word = (word & 0x00003FFF00003FFFull) | ((word << 2) & 0x3FFF00003FFF0000ull);
    word = (word & 0x007F007F007F007Full) | ((word << 1) & 0x7F007F007F007F00ull);
    std::memcpy(septets, &word, 8);  // the septets are bytes of a little-endian word
}

std::uint64_t gatherGroup(const std::uint8_t* septets)
{
    std::uint64_t word;
    std::memcpy(&word, septets, 8);
    word &= 0x7F7F7F7F7F7F7F7Full;
    word = (word & 0x007F007F007F007Full) | ((word & 0x7F007F007F007F00ull) >> 1);
    word = (word & 0x00003FFF00003FFFull) | ((word & 0x3FFF00003FFF0000ull) >> 2);
    return (word & 0x000000000FFFFFFFull) | ((word & 0x0FFFFFFF00000000ull) >> 4);
}

} // namespace

std::size_t unpackSeptets(ConstBytes bytes, std::size_t offset, std::size_t maxSeptets, std::uint8_t* septets)
{
    if (offset >= bytes.size())
        return 0;
    const std::size_t available = bytes.size() - offset;
    const std::size_t count = std::min(maxSeptets, available * 8 / 7);
    const std::uint8_t* in = bytes.data() + offset;
    std::uint8_t spare[8];
    for (std::size_t first = 0, at = 0; first < count; first += 8, at += 7) {
        // Seven bytes as one little-endian word: eight bytes read at once where the span has them,
        // the eighth masked off; at the span's end the missing bytes read as zeros.
        std::uint64_t word = 0;
        if (at + 8 <= available) {
            std::memcpy(&word, in + at, 8);
            word &= 0x00FFFFFFFFFFFFFFull;
        } else {
            std::memcpy(&word, in + at, std::min<std::size_t>(7, available - at));
        }
        // The septets past `count` are not the caller's to see.
        if (first + 8 <= count) {
            spreadGroup(word, septets + first);
        } else {
            spreadGroup(word, spare);
            std::memcpy(septets + first, spare, count - first);
        }
    }
    return count;
}

std::size_t packSeptets(const std::uint8_t* septets, std::size_t count, std::uint8_t* out)
{
    const std::size_t bytes = (count * 7 + 7) / 8;
    std::size_t first = 0;
    std::size_t at = 0;
    // Whole groups with a byte of the output after them are stored as one word; its eighth byte,
    // zero, is the first the next group overwrites.
    for (; first + 8 <= count && at + 8 <= bytes; first += 8, at += 7) {
        const std::uint64_t word = gatherGroup(septets + first);
        std::memcpy(out + at, &word, 8);
    }
    for (; first < count; first += 8, at += 7) {
        std::uint8_t last[8] = {};
        std::memcpy(last, septets + first, std::min<std::size_t>(8, count - first));
        const std::uint64_t word = gatherGroup(last);
        std::uint8_t packed[8];
        std::memcpy(packed, &word, 8);
        std::memcpy(out + at, packed, std::min<std::size_t>(7, bytes - at));
    }
    return bytes;
}

} // namespace pw

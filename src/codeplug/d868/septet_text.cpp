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

SeptetReader::SeptetReader(ConstBytes bytes, std::size_t offset)
    : bytes_(bytes), bitPosition_(offset * 8), bitLimit_(bytes.size() * 8)
{
}

std::optional<std::size_t> SeptetReader::readText(std::size_t accepted, Bytes field)
{
    // Most texts lie well inside their stream: then the checks of next() can be made once for the
    // longest text, its terminator and the byte after it that the two-byte window reaches into.
    if (bitLimit_ - bitPosition_ >= (accepted + 1) * 7 + 8) {
        const std::uint8_t* data = bytes_.data();
        std::size_t position = bitPosition_;
        std::size_t stored = 0;
        for (std::size_t read = 0;;) {
            const std::size_t byte = position / 8;
            const unsigned window = data[byte] | static_cast<unsigned>(data[byte + 1]) << 8;
            const auto c = static_cast<std::uint8_t>((window >> (position % 8)) & 0x7F);
            position += 7;
            if (c == 0)
                break;
            if (stored < field.size())
                field[stored++] = c;
            if (++read == accepted) {
                // The septet after the longest accepted text ends it, whatever it holds.
                position += 7;
                break;
            }
        }
        bitPosition_ = position;
        return stored;
    }
    std::size_t read = 0;
    std::size_t stored = 0;
    std::uint8_t c = 0;
    for (;;) {
        if (!next(c))
            return std::nullopt;
        if (c == 0)
            return stored;
        if (stored < field.size())
            setU8(field, stored++, c);
        if (++read == accepted) {
            // The septet after the longest accepted text ends it, whatever it holds.
            if (!next(c))
                return std::nullopt;
            return stored;
        }
    }
}

std::optional<std::string> SeptetReader::readText(std::size_t accepted, std::size_t kept)
{
    std::string text(kept, '\0');
    const auto stored = readText(accepted, Bytes(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    if (!stored)
        return std::nullopt;
    text.resize(*stored);
    return text;
}

} // namespace pw

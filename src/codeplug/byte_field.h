// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bounds-checked byte access shared by every record and image codec.
//
// All multi-byte integers in the codeplug formats are little-endian. A read outside the span gives 0
// and a write outside it is dropped, so a hostile offset taken from a file can never reach memory
// beyond the record or image it was meant for.

#include <cstddef>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pw {

using Bytes = std::span<std::uint8_t>;
using ConstBytes = std::span<const std::uint8_t>;

inline bool inBounds(ConstBytes bytes, std::size_t offset, std::size_t width)
{
    return offset <= bytes.size() && width <= bytes.size() - offset;
}

inline std::uint8_t getU8(ConstBytes bytes, std::size_t offset)
{
    return offset < bytes.size() ? bytes[offset] : 0;
}

inline void setU8(Bytes bytes, std::size_t offset, unsigned value)
{
    if (offset < bytes.size())
        bytes[offset] = static_cast<std::uint8_t>(value);
}

// Little-endian unsigned integer of 1 to 4 bytes.
inline std::uint32_t getUIntLe(ConstBytes bytes, std::size_t offset, std::size_t width)
{
    if (!inBounds(bytes, offset, width))
        return 0;
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | bytes[offset + i];
    return value;
}

inline void setUIntLe(Bytes bytes, std::size_t offset, std::size_t width, std::uint32_t value)
{
    if (!inBounds(bytes, offset, width))
        return;
    for (std::size_t i = 0; i < width; ++i, value >>= 8)
        bytes[offset + i] = static_cast<std::uint8_t>(value & 0xFF);
}

inline std::uint16_t getU16Le(ConstBytes b, std::size_t o) { return static_cast<std::uint16_t>(getUIntLe(b, o, 2)); }
inline std::uint32_t getU24Le(ConstBytes b, std::size_t o) { return getUIntLe(b, o, 3); }
inline std::uint32_t getU32Le(ConstBytes b, std::size_t o) { return getUIntLe(b, o, 4); }
inline void setU16Le(Bytes b, std::size_t o, std::uint32_t v) { setUIntLe(b, o, 2, v); }
inline void setU24Le(Bytes b, std::size_t o, std::uint32_t v) { setUIntLe(b, o, 3, v); }
inline void setU32Le(Bytes b, std::size_t o, std::uint32_t v) { setUIntLe(b, o, 4, v); }

// IEEE 754 double, little-endian (the D868 frequencies).
double getF64Le(ConstBytes bytes, std::size_t offset);
void setF64Le(Bytes bytes, std::size_t offset, double value);

// A field of `count` bits starting at bit `first` (0 = least significant) of one byte.
inline unsigned getBits(ConstBytes bytes, std::size_t offset, unsigned first, unsigned count)
{
    return (getU8(bytes, offset) >> first) & ((1u << count) - 1u);
}

inline void setBits(Bytes bytes, std::size_t offset, unsigned first, unsigned count, unsigned value)
{
    if (offset >= bytes.size())
        return;
    const unsigned mask = ((1u << count) - 1u) << first;
    bytes[offset] = static_cast<std::uint8_t>((bytes[offset] & ~mask) | ((value << first) & mask));
}

inline bool getBit(ConstBytes bytes, std::size_t offset, unsigned bit) { return getBits(bytes, offset, bit, 1) != 0; }
inline void setBit(Bytes bytes, std::size_t offset, unsigned bit, bool on) { setBits(bytes, offset, bit, 1, on ? 1u : 0u); }

// A field of `count` bits starting at bit `first` of byte `byte`, named once in a record's layout.
struct BitField {
    std::size_t byte;
    unsigned first;
    unsigned count = 1;
};

inline unsigned get(ConstBytes bytes, BitField field) { return getBits(bytes, field.byte, field.first, field.count); }
inline bool isSet(ConstBytes bytes, BitField field) { return get(bytes, field) != 0; }
inline void put(Bytes bytes, BitField field, unsigned value) { setBits(bytes, field.byte, field.first, field.count, value); }
inline void put(Bytes bytes, BitField field, bool on) { put(bytes, field, on ? 1u : 0u); }

// A name of `units` UTF-16LE code units up to the first zero unit, as UTF-8. This is how every
// TYT name and the 16-bit names of the RDB lists are read.
std::string getUtf16Name(ConstBytes bytes, std::size_t offset, std::size_t units);

// Room for a name of up to 32 units in UTF-8: three bytes a unit at most (a surrogate pair, two
// units, takes four).
using Utf16NameBuffer = std::array<char, 96>;

// The same name written into `buffer`, without an allocation: what a decoder of 10,000 contacts
// wants. Units past the 32nd are not read.
std::string_view getUtf16Name(ConstBytes bytes, std::size_t offset, std::size_t units, Utf16NameBuffer& buffer);

// Writes UTF-8 `text` (up to its first zero) as at most `units` code units, cut before a
// character that does not fit whole, and zeroes the remaining units. A name that already reads as
// `text` is left as stored.
void setUtf16Name(Bytes bytes, std::size_t offset, std::size_t units, std::string_view text);

// An 8-bit text of at most `size` bytes, ending at the first zero byte.
std::string getCString(ConstBytes bytes, std::size_t offset, std::size_t size);

// Copies at most `maxChars` characters of `text` (stopping at a zero in it) into a field of `size`
// bytes; the rest of the field is zero-filled.
void setCString(Bytes bytes, std::size_t offset, std::size_t size, std::string_view text, std::size_t maxChars);

// An 8-bit text read as Latin-1, so that every stored byte has its character and comes back as
// the same byte: the text as UTF-8.
std::string getLatin1Text(ConstBytes bytes, std::size_t offset, std::size_t size);

// UTF-8 `text` as the Latin-1 bytes an 8-bit field stores: up to its first zero, characters
// outside Latin-1 transliterated, at most `maxChars` bytes.
std::string storableLatin1Text(std::string_view text, std::size_t maxChars);

// Writes UTF-8 `text` as storableLatin1Text into a field of `size` bytes, the rest zero-filled;
// a text that already reads as `text` is left as stored.
void setLatin1Text(Bytes bytes, std::size_t offset, std::size_t size, std::string_view text, std::size_t maxChars);

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name packing of the RDB family: 16 characters of 6 bits each, most significant bit first,
// in 12 bytes. A 6-bit value indexes the alphabet
// "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz ." (62 is a space, 63 a full stop).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

class SixBitText {
public:
    static constexpr std::size_t Characters = 16;
    static constexpr std::size_t Bytes = 12;
    using Packed = std::array<std::uint8_t, Bytes>;

    // UTF-8 text: letters outside ASCII are first transliterated ("Jürgen" to "Jurgen", Cyrillic,
    // Greek and Chinese to Latin letters); characters outside the alphabet become full stops; the
    // text is padded with spaces to 16 characters and longer texts keep their first 16.
    static Packed encode(std::string_view utf8);
    // False when `utf8` has a character that not even transliteration brings to Latin letters:
    // storing it would keep nothing of it, so editors refuse such a name.
    static bool holds(std::string_view utf8);
    // The 16 characters with trailing spaces removed.
    static std::string decode(const std::uint8_t* packed);
    // The same into a caller's buffer, without an allocation per name; returns the length kept.
    static std::size_t decodeInto(const std::uint8_t* packed, std::array<char, Characters>& out);
    static std::string decode(const Packed& packed) { return decode(packed.data()); }
    // The text as an RDB codeplug stores it: encoded and decoded again.
    static std::string normalize(std::string_view text) { return decode(encode(text)); }
};

} // namespace pw

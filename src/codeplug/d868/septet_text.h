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

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Reads septets from a span, never past its end.
class SeptetReader {
public:
    // Reads the septets that start at byte `offset` of `bytes`.
    SeptetReader(ConstBytes bytes, std::size_t offset);

    // The next character, or nothing when its seven bits are not all inside the span.
    std::optional<std::uint8_t> next()
    {
        std::uint8_t c;
        if (!next(c))
            return std::nullopt;
        return c;
    }
    // The same for the hot loops: false when the seven bits are not all inside the span.
    bool next(std::uint8_t& c)
    {
        const std::size_t end = bitPosition_ + 7;
        if (end > bitLimit_)
            return false;
        const std::size_t byte = bitPosition_ / 8;
        const unsigned shift = bitPosition_ % 8;
        // A septet that starts at bit 2 or later of its byte reaches into the next byte, which
        // the check above has shown to lie inside the span.
        unsigned window = bytes_[byte];
        if (shift > 1)
            window |= static_cast<unsigned>(bytes_[byte + 1]) << 8;
        bitPosition_ = end;
        c = static_cast<std::uint8_t>((window >> shift) & 0x7F);
        return true;
    }

    // A zero-terminated text of at most `accepted` characters. Its first characters, as many as
    // `field` holds, are stored into `field`; the rest of the field is left as it is. A text that
    // reaches `accepted` characters is cut there and the septet after it is taken as its
    // terminator whatever it holds. The result is the number of characters stored, or nothing
    // when the span ends first.
    std::optional<std::size_t> readText(std::size_t accepted, Bytes field);
    // The same, giving the text kept (at most `kept` characters).
    std::optional<std::string> readText(std::size_t accepted, std::size_t kept);

    // The byte offset just after the last septet read, counting a partly used byte as used.
    std::size_t endOffset() const { return (bitPosition_ + 7) / 8; }

private:
    ConstBytes bytes_;
    std::size_t bitPosition_;
    std::size_t bitLimit_;
};

// Writes septets into a caller's buffer, never past its end. An entry is packed into a small
// buffer on the stack and then appended to the stream, so that the writer's state stays in
// registers while 170000 entries are packed.
class SeptetWriter {
public:
    explicit SeptetWriter(Bytes buffer) : buffer_(buffer) {}

    // Writes the character reduced to 7 bits. A character whose low seven bits are zero would
    // read back as the end of its text and shift every later text of the entry, so it is written
    // as '?' instead.
    void put(unsigned char c) { putSeptet(septetOf(c)); }
    // Writes at most `limit` characters of `text` (up to a zero in it) and the terminator.
    void putText(std::string_view text, std::size_t limit)
    {
        const std::size_t end = std::min(text.size(), limit);
        for (std::size_t i = 0; i < end && text[i] != '\0'; ++i)
            putSeptet(septetOf(static_cast<unsigned char>(text[i])));
        putSeptet(0);
    }
    // Writes the zero-terminated text of at most `limit` bytes at `offset` of `field`, and the
    // terminator.
    void putField(ConstBytes field, std::size_t offset, std::size_t limit)
    {
        for (std::size_t i = 0; i < limit; ++i) {
            const auto c = getU8(field, offset + i);
            if (c == 0)
                break;
            put(c);
        }
        putSeptet(0);
    }
    // Writes the partly used last byte, so that what follows starts on a byte boundary.
    void finish()
    {
        while (pendingBits_ > 0) {
            emit(pending_ & 0xFF);
            pending_ >>= 8;
            pendingBits_ = pendingBits_ > 8 ? pendingBits_ - 8 : 0;
        }
        pending_ = 0;
    }

    // The bytes written so far.
    std::size_t size() const { return size_; }
    // Whether the buffer was too small for what was written (the excess is dropped).
    bool overflowed() const { return size_ > buffer_.size(); }

private:
    // Septets gather in a 64-bit word, which is written out seven bytes at a time.
    void putSeptet(std::uint8_t septet)
    {
        pending_ |= static_cast<std::uint64_t>(septet) << pendingBits_;
        pendingBits_ += 7;
        if (pendingBits_ >= 56) {
            for (int i = 0; i < 7; ++i, pending_ >>= 8)
                emit(pending_ & 0xFF);
            pendingBits_ -= 56;
        }
    }
    void emit(std::uint64_t byte)
    {
        if (size_ < buffer_.size())
            buffer_[size_] = static_cast<std::uint8_t>(byte);
        ++size_;
    }

    Bytes buffer_;
    std::size_t size_ = 0;
    std::uint64_t pending_ = 0;
    unsigned pendingBits_ = 0;
};

} // namespace pw

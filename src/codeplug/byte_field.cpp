// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/byte_field.h"

#include "model/unicode_text.h"

#include <bit>
#include <algorithm>
#include <cstring>

namespace pw {

double getF64Le(ConstBytes bytes, std::size_t offset)
{
    if (!inBounds(bytes, offset, 8))
        return 0.0;
    std::uint64_t raw = 0;
    for (std::size_t i = 8; i-- > 0;)
        raw = (raw << 8) | bytes[offset + i];
    return std::bit_cast<double>(raw);
}

void setF64Le(Bytes bytes, std::size_t offset, double value)
{
    if (!inBounds(bytes, offset, 8))
        return;
    auto raw = std::bit_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < 8; ++i, raw >>= 8)
        bytes[offset + i] = static_cast<std::uint8_t>(raw & 0xFF);
}

namespace {

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// UTF-8 text (up to its first zero) as at most `units` UTF-16 units, cut before a character that
// would not fit whole.
std::u16string unitsOf(std::string_view text, std::size_t units)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::u16string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = decodeUtf8At(text, pos);
        const std::size_t needed = c >= 0x10000 ? 2 : 1;
        if (out.size() + needed > units)
            break;
        if (needed == 2) {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

} // namespace

std::string getUtf16Name(ConstBytes bytes, std::size_t offset, std::size_t units)
{
    Utf16NameBuffer buffer;
    return std::string(getUtf16Name(bytes, offset, units, buffer));
}

std::string_view getUtf16Name(ConstBytes bytes, std::size_t offset, std::size_t units, Utf16NameBuffer& buffer)
{
    const std::size_t stored = offset < bytes.size() ? (bytes.size() - offset) / 2 : 0;
    const std::size_t count = std::min({units, stored, std::size_t{32}});
    const auto unitAt = [&](std::size_t i) { return static_cast<char32_t>(getU16Le(bytes, offset + 2 * i)); };
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = unitAt(i);
        if (c == 0)
            break;
        if (c < 0x80) {
            buffer[length++] = static_cast<char>(c);
            continue;
        }
        if (isHighSurrogate(c) && i + 1 < count && isLowSurrogate(unitAt(i + 1))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00u);
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            // A surrogate without its partner is no character: it shows as the replacement mark.
            c = 0xFFFD;
        }
        std::string encoded;
        appendUtf8(encoded, c);
        for (const char byte : encoded)
            buffer[length++] = byte;
    }
    return {buffer.data(), length};
}

void setUtf16Name(Bytes bytes, std::size_t offset, std::size_t units, std::string_view text)
{
    const auto wanted = unitsOf(text, units);
    // A name that reads as it is already stored keeps its bytes: other software may have left
    // units after the terminating zero, or a unit that shows only as a replacement mark.
    std::array<std::uint8_t, 2 * 32> wantedBytes{};
    for (std::size_t i = 0; i < std::min<std::size_t>(wanted.size(), 32); ++i)
        setU16Le(wantedBytes, 2 * i, wanted[i]);
    Utf16NameBuffer asWanted;
    Utf16NameBuffer asStored;
    if (getUtf16Name(wantedBytes, 0, wanted.size(), asWanted) == getUtf16Name(bytes, offset, units, asStored))
        return;
    for (std::size_t i = 0; i < units; ++i)
        setU16Le(bytes, offset + 2 * i, i < wanted.size() ? wanted[i] : 0);
}

std::string getCString(ConstBytes bytes, std::size_t offset, std::size_t size)
{
    std::string text;
    for (std::size_t i = 0; i < size && offset + i < bytes.size(); ++i) {
        const auto c = bytes[offset + i];
        if (c == 0)
            break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

void setCString(Bytes bytes, std::size_t offset, std::size_t size, std::string_view text, std::size_t maxChars)
{
    std::size_t i = 0;
    for (; i < size && i < maxChars && i < text.size() && text[i] != '\0'; ++i)
        setU8(bytes, offset + i, static_cast<unsigned char>(text[i]));
    for (; i < size; ++i)
        setU8(bytes, offset + i, 0);
}

std::string getLatin1Text(ConstBytes bytes, std::size_t offset, std::size_t size)
{
    return latin1ToUtf8(getCString(bytes, offset, size));
}

std::string storableLatin1Text(std::string_view text, std::size_t maxChars)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    auto stored = transliterateToLatin1(text);
    // Transliteration may bring a zero back ("?" never, but a control character may stay).
    stored = stored.substr(0, std::min({stored.find('\0'), stored.size(), maxChars}));
    return stored;
}

void setLatin1Text(Bytes bytes, std::size_t offset, std::size_t size, std::string_view text, std::size_t maxChars)
{
    const auto stored = storableLatin1Text(text, maxChars);
    // A text that reads as it is already stored keeps its bytes, those after its zero included.
    if (stored == getCString(bytes, offset, std::min(size, maxChars)))
        return;
    setCString(bytes, offset, size, stored, maxChars);
}

} // namespace pw

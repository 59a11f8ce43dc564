#include "codeplug/byte_field.h"

#include <bit>
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

std::string getUtf16Name(ConstBytes bytes, std::size_t offset, std::size_t units)
{
    std::string text;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = getU16Le(bytes, offset + 2 * i);
        if (unit == 0 || !inBounds(bytes, offset + 2 * i, 2))
            break;
        // Only the low byte is shown; a unit such as 0x0100 gives a zero low byte and ends the text.
        const auto low = static_cast<char>(unit & 0xFF);
        if (low == 0)
            break;
        text.push_back(low);
    }
    return text;
}

void setUtf16Name(Bytes bytes, std::size_t offset, std::size_t units, std::string_view text)
{
    std::size_t i = 0;
    for (; i < units && i < text.size() && text[i] != '\0'; ++i)
        setU16Le(bytes, offset + 2 * i, static_cast<unsigned char>(text[i]));
    for (; i < units; ++i)
        setU16Le(bytes, offset + 2 * i, 0);
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

} // namespace pw

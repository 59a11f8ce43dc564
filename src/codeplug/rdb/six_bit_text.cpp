// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/rdb/six_bit_text.h"

#include "model/unicode_text.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::string_view Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz .";
constexpr unsigned SpaceValue = 62;
constexpr unsigned FullStopValue = 63;

unsigned valueOf(char c)
{
    const auto at = Alphabet.find(c);
    return at == std::string_view::npos ? FullStopValue : static_cast<unsigned>(at);
}

} // namespace

bool SixBitText::holds(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    if (isAscii(text))
        return true;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (decodeUtf8At(text, pos) < 0x80)
            continue;
        // A character with no Latin spelling comes back as '?'.
        const auto spelled = transliterateToAscii(text.substr(start, pos - start));
        if (spelled.empty() || spelled.find('?') != std::string::npos)
            return false;
    }
    return true;
}

SixBitText::Packed SixBitText::encode(std::string_view utf8)
{
    const auto zero = utf8.find('\0');
    if (zero != std::string_view::npos)
        utf8 = utf8.substr(0, zero);
    const auto ascii = transliterateToAscii(utf8);
    const std::string_view text = ascii;
    Packed packed{};
    for (std::size_t i = 0; i < Characters; ++i) {
        const unsigned value = i < text.size() ? valueOf(text[i]) : SpaceValue;
        // Character i occupies bits 6i .. 6i+5 counted from the top of byte 0.
        for (unsigned b = 0; b < 6; ++b) {
            if (value & (0x20u >> b)) {
                const std::size_t bit = 6 * i + b;
                packed[bit / 8] = static_cast<std::uint8_t>(packed[bit / 8] | (0x80u >> (bit % 8)));
            }
        }
    }
    return packed;
}

std::size_t SixBitText::decodeInto(const std::uint8_t* packed, std::array<char, Characters>& out)
{
    // Three bytes hold four characters.
    for (std::size_t group = 0; group < Characters / 4; ++group) {
        const std::uint8_t* in = packed + 3 * group;
        const std::uint32_t bits = (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
        for (std::size_t k = 0; k < 4; ++k)
            out[4 * group + k] = Alphabet[(bits >> (18 - 6 * k)) & 0x3Fu];
    }
    std::size_t length = Characters;
    while (length > 0 && out[length - 1] == ' ')
        --length;
    return length;
}

std::string SixBitText::decode(const std::uint8_t* packed)
{
    std::array<char, Characters> characters;
    return std::string(characters.data(), decodeInto(packed, characters));
}

} // namespace pw

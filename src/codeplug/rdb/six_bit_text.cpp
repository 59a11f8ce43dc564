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

std::string SixBitText::decode(const std::uint8_t* packed)
{
    std::string text;
    text.reserve(Characters);
    for (std::size_t i = 0; i < Characters; ++i) {
        unsigned value = 0;
        for (unsigned b = 0; b < 6; ++b) {
            const std::size_t bit = 6 * i + b;
            value = (value << 1) | ((packed[bit / 8] >> (7 - bit % 8)) & 1u);
        }
        text.push_back(Alphabet[value]);
    }
    const auto last = text.find_last_not_of(' ');
    text.erase(last == std::string::npos ? 0 : last + 1);
    return text;
}

} // namespace pw

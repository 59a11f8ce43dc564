// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/network_text.h"

#include "model/text_trim.h"
#include "model/unicode_text.h"

#include <charconv>
#include <cmath>

namespace pw {

std::string networkText(std::string_view utf8, std::size_t maxBytes)
{
    std::string text(utf8Prefix(trimmedBlanks(utf8), maxBytes));
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return std::string(trimmedBlanks(text));
}

std::optional<std::uint32_t> wholeNumber(std::string_view text, std::uint32_t highest)
{
    text = trimmedBlanks(text);
    std::uint32_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end || value > highest)
        return std::nullopt;
    return value;
}

std::optional<double> decimalNumber(std::string_view text)
{
    text = trimmedBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || at != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace pw

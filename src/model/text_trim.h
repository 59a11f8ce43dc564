// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Typed values (a frequency in a box, a choice on the command line) are taken without the spaces
// and tabs around them; a text file's lines are taken one by one.

#include <cstddef>
#include <string_view>

namespace pw {

constexpr std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A line of a text file (a settings file, a user list) without the blanks around it and the carriage
// return that a CRLF line end leaves at its end.
constexpr std::string_view trimmedLine(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return last == std::string_view::npos || last < first ? std::string_view() : text.substr(first, last - first + 1);
}

// The line of `text` that starts at `pos`, without its LF (a CR before it stays), with `pos` moved
// past that LF: a text is read line by line while `pos < text.size()`, and one that ends in an LF
// has no empty line after it.
constexpr std::string_view takeLine(std::string_view text, std::size_t& pos)
{
    auto end = text.find('\n', pos);
    if (end == std::string_view::npos)
        end = text.size();
    const auto line = text.substr(pos, end - pos);
    pos = end + 1;
    return line;
}

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Letter case in the texts of codeplugs, CSV files and the network. Only A-Z and a-z have a case
// here, whatever the process's locale: the desktop program runs in the user's locale, and a name
// must compare the same there as on the command line and in the vendor software. Other letters
// (é, Ж, Ω) compare as written: "Ж" and "ж" are two names, and sorts order them by their UTF-8
// bytes, which is their code point order.

#include <algorithm>
#include <string_view>

namespace pw {

constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

} // namespace pw

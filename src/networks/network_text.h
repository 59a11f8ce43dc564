// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts and numbers of the networks' lists as the program keeps them.
//
// Names, callsigns and places arrive as UTF-8 from JSON or from a CSV file that was brought to
// UTF-8 first. They are shown on one line of a list or a CSV file, so control characters (a line
// feed inside a name would split its line) become blanks, blanks around the text go, and a text
// longer than any use of it is cut on a character boundary. Numbers are read whole: a field that
// holds anything but the number (an exponent, a trailing word) is no number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pw {

// Longest text kept of a name, a callsign or a place.
inline constexpr std::size_t NetworkTextLimit = 96;

std::string networkText(std::string_view utf8, std::size_t maxBytes = NetworkTextLimit);

// A whole decimal number from 0 to `highest` with nothing but blanks around it.
std::optional<std::uint32_t> wholeNumber(std::string_view text, std::uint32_t highest);

// A decimal number with an optional sign and fraction ("438.80000", "+5.000", "-0.600"), nothing
// but blanks around it, no exponent.
std::optional<double> decimalNumber(std::string_view text);

} // namespace pw

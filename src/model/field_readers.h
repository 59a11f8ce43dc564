// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The splitters behind every text parser of the program.
//
// CsvFieldReader takes comma-separated fields (contact, channel and scan-list lines, the ID
// database's record lines); WordReader takes words separated by blanks or commas (HTTP status and
// header lines, the searcher's name template, pasted texts). Both take one field or word by its
// number from an 8-bit line, which ends at its end or at its first zero byte, and neither changes
// the line.
//
// A byte is blank when, taken as a signed 8-bit number, it is at most 0x20: control characters,
// the space, and every byte from 0x80 to 0xFF. So an unquoted field loses leading bytes above 0x7F,
// while a quoted field keeps them. A quote cannot be escaped: a quoted field ends at the first
// matching quote.
//
// Files that other tools write as spreadsheets do (the user list in today's layout, talkgroup
// lists) are split by splitCsvLine instead, which follows RFC 4180.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline bool isBlankByte(char c) { return static_cast<signed char>(c) <= 0x20; }

// The value of a field that must be a number: all of it ASCII digits, with no sign, blank, "0x",
// exponent or anything after the digits. Nothing for any other text; a value past what 64 bits
// hold reads as the largest one, for the caller's range check to refuse.
std::optional<std::uint64_t> plainDecimal(std::string_view text);
// The same rule for a number with a fraction: digits, then optionally a point and more digits.
bool isPlainDecimalNumber(std::string_view text);

class CsvFieldReader {
public:
    // Copies field `number` (0 = first) of `line` into `out`, at most `maxLength` characters when
    // `maxLength` is not 0. Returns -1 when the line has fewer fields, else the position in the line
    // where copying stopped.
    static int field(std::string_view line, int number, std::size_t maxLength, std::string& out);

    // Convenience: the field, or an empty text when it is missing.
    static std::string field(std::string_view line, int number, std::size_t maxLength = 0);
};

class WordReader {
public:
    // Copies word `number` (0 = first) of `line` into `out`, at most `maxLength` bytes when
    // `maxLength` is not 0. Returns -1 when the line has fewer words, else the position in the line
    // where copying stopped.
    static int word(std::string_view line, int number, std::size_t maxLength, std::string& out);

    static std::string word(std::string_view line, int number, std::size_t maxLength = 0);
};

// Splits one CSV line as RFC 4180 writes it into `cells`: fields separated by commas, a quoted
// field may hold commas and doubled quotes, blanks around a field are dropped.
void splitCsvLine(std::string_view line, std::vector<std::string>& cells);

} // namespace pw

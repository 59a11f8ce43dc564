// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of people named by DMR ID or callsign: the pinned users that a selection always keeps
// first, and the excluded users it never keeps.
//
// The file has one person a line: a DMR ID (decimal digits, 1 to 16777215) or a callsign. A `#`
// starts a comment that runs to the end of the line; blank lines are passed over. Only the first
// word of a line counts, up to a blank, a tab, a comma or a semicolon, so a CSV file whose first
// column holds IDs or callsigns (a last-heard export, a club roster) serves as it is. Callsigns
// compare without regard to the case of ASCII letters. The text is UTF-8 (the caller converts
// files in other encodings).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

struct PersonEntry {
    // The DMR ID, or 0 when the entry is a callsign.
    std::uint32_t dmrId = 0;
    // The callsign in upper case; empty when the entry is a DMR ID.
    std::string callsign;
    // The entry as written, for messages.
    std::string text;
    int line = 0;
};

struct PeopleList {
    // In the file's order.
    std::vector<PersonEntry> entries;
    // Lines whose first word is all digits but no DMR ID (0, or above 16777215), as "line N: TEXT".
    std::vector<std::string> refused;
};

// A longer word is no callsign nor ID: it is refused rather than compared.
inline constexpr std::size_t PersonEntryLimit = 32;

PeopleList parsePeopleList(std::string_view text);

} // namespace pw

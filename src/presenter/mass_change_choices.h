// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lists of the "Channel Mass Change" dialog, which the command line checks its arguments
// against too.

#include "codeplug/format_id.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;

// "Simplex", "( + )", "( -- )".
std::vector<std::string> offsetChoices();
// "None", then the names of the scan lists, contacts or RX group lists in table order: entry n is
// list position n.
std::vector<std::string> scanListChoices(const Codeplug& codeplug);
std::vector<std::string> contactChoices(const Codeplug& codeplug);
std::vector<std::string> rxGroupChoices(const Codeplug& codeplug);
// The admit names of a digital channel of the format.
std::vector<std::string> admitChoicesForMassChange(FormatId formatId);
// "1", "2".
std::vector<std::string> timeSlotChoices();
// "0" to "15".
std::vector<std::string> colorCodeChoices();
// "None", the 45 CTCSS tones "067.0" to "225.7", the 104 DCS codes normal ("D023N" ..), then the
// same codes inverted: 254 entries.
const std::vector<std::string>& toneChoices();
// The entry of toneChoices() that means the same tone as `text` ("88.5" finds "088.5", "none"
// finds "None"); nothing when the text names no tone of the list.
std::optional<std::size_t> toneChoiceIndex(std::string_view text);

} // namespace pw

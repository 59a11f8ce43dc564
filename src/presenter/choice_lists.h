// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces the channel dialogs build their drop-down lists from, so that the Channel Editor and
// Channel Mass Change list a tone, a number or a table the same way.

#include "model/record_list.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pw {

// "None", `ctcssCount` CTCSS tones of the editors' table from 67.0 Hz on ("067.0" ..), then the 104
// DCS codes normal ("D023N" ..), then the same codes inverted.
std::vector<std::string> toneChoiceList(std::size_t ctcssCount);

// The whole numbers `first` to `last` as text.
std::vector<std::string> numberChoices(int first, int last);

// "None", then the names of the records of `list` in table order: entry n is list position n.
template <typename Record>
std::vector<std::string> noneThenNames(const RecordList<Record>& list)
{
    std::vector<std::string> names{"None"};
    names.reserve(static_cast<std::size_t>(list.count()) + 1);
    for (const auto& record : list)
        names.push_back(record->name());
    return names;
}

} // namespace pw

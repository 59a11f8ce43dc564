// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Talkgroup numbers as users type them: single numbers and ranges separated by commas,
// "91,262,3100-3199", blanks allowed around each.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pw {

struct TalkgroupIdRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool single() const { return first == last; }
};

// The ranges in the order given; nothing when the text is not such a list or names a number
// outside 1 to 16777215 or a range that runs backwards.
std::optional<std::vector<TalkgroupIdRange>> parseTalkgroupIds(std::string_view text);

bool containsTalkgroup(const std::vector<TalkgroupIdRange>& ranges, std::uint32_t id);

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/talkgroup_ids.h"

#include "networks/network_text.h"
#include "networks/talkgroup_catalogue.h"

#include <algorithm>

namespace pw {

std::optional<std::vector<TalkgroupIdRange>> parseTalkgroupIds(std::string_view text)
{
    std::vector<TalkgroupIdRange> ranges;
    const auto id = [](std::string_view part) -> std::optional<std::uint32_t> {
        const auto number = wholeNumber(part, HighestTalkgroupId);
        return number && *number > 0 ? number : std::nullopt;
    };
    while (true) {
        const auto comma = text.find(',');
        const auto part = text.substr(0, comma);
        const auto dash = part.find('-');
        const auto first = id(part.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : id(part.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        ranges.push_back({*first, *last});
        if (comma == std::string_view::npos)
            return ranges;
        text.remove_prefix(comma + 1);
    }
}

bool containsTalkgroup(const std::vector<TalkgroupIdRange>& ranges, std::uint32_t id)
{
    return std::any_of(ranges.begin(), ranges.end(),
                       [id](const TalkgroupIdRange& range) { return id >= range.first && id <= range.last; });
}

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
// The networks' inputs that users type: the sources file network_sources.conf, edited by hand, and
// the talkgroup numbers and ranges ("91,262,3100-3199"). The first input byte chooses. Any sources
// text must report at most one problem per line and leave both sources fetchable URLs, which stay
// such with any area added to the repeater list's query. Any list of numbers that reads must hold
// ranges within 1 to 16777215 that do not run backwards, and read back as the same ranges once
// written out again.

#include "networks/network_sources.h"
#include "networks/talkgroup_catalogue.h"
#include "networks/talkgroup_ids.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void checkSources(std::string_view text)
{
    const auto sources = pw::parseNetworkSources(text);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (sources.problems.size() > lines || !pw::isListUrl(sources.talkgroups) || !pw::isListUrl(sources.repeaters))
        std::abort();
    const auto half = text.size() / 2;
    if (!pw::isListUrl(pw::repeaterPageUrl(sources.repeaters, text.substr(0, half), text.substr(half), 2)))
        std::abort();
}

void checkTalkgroupIds(std::string_view text)
{
    const auto ranges = pw::parseTalkgroupIds(text);
    if (!ranges)
        return;
    std::string written;
    for (const auto& range : *ranges) {
        if (range.first == 0 || range.last > pw::HighestTalkgroupId || range.last < range.first)
            std::abort();
        written += (written.empty() ? "" : ",") + std::to_string(range.first);
        if (!range.single())
            written += "-" + std::to_string(range.last);
    }
    const auto again = pw::parseTalkgroupIds(written);
    if (!again || again->size() != ranges->size())
        std::abort();
    for (std::size_t i = 0; i < ranges->size(); ++i)
        if ((*again)[i].first != (*ranges)[i].first || (*again)[i].last != (*ranges)[i].last)
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] % 2)
        checkTalkgroupIds(text);
    else
        checkSources(text);
    return 0;
}

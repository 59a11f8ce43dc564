// SPDX-License-Identifier: GPL-3.0-or-later
// The repeater list reader: the input is one page of RadioID's repeater JSON. Whatever it holds, a
// page that failed has no repeater; every repeater keeps its texts as one line of valid UTF-8,
// its colour code within 0 to 15, a positive output, and at most the talkgroup limit, each with a
// number within 1 to 16777215 and slot 1 or 2. The list written for the cache must read back as
// the same repeaters.

#include "model/unicode_text.h"
#include "networks/repeater_list.h"
#include "networks/talkgroup_catalogue.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(const pw::Repeater& repeater)
{
    for (const auto* text : {&repeater.callsign, &repeater.city, &repeater.state, &repeater.country, &repeater.network,
                             &repeater.status})
        if (!pw::isValidUtf8(*text) || text->find_first_of("\r\n") != std::string::npos)
            std::abort();
    if ((repeater.colorCode && (*repeater.colorCode < 0 || *repeater.colorCode > 15))
        || (repeater.outputMhz && !(*repeater.outputMhz > 0)) || repeater.talkgroups.size() > pw::RepeaterTalkgroupLimit)
        std::abort();
    for (const auto& talkgroup : repeater.talkgroups)
        if (talkgroup.id == 0 || talkgroup.id > pw::HighestTalkgroupId || talkgroup.timeSlot < 1 || talkgroup.timeSlot > 2)
            std::abort();
}

bool near(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || std::fabs(*a - *b) < 1e-6);
}

bool same(const pw::Repeater& a, const pw::Repeater& b)
{
    if (a.callsign != b.callsign || a.city != b.city || a.state != b.state || a.country != b.country
        || a.network != b.network || a.status != b.status || a.colorCode != b.colorCode || !near(a.outputMhz, b.outputMhz)
        || !near(a.offsetMhz, b.offsetMhz) || a.talkgroups.size() != b.talkgroups.size())
        return false;
    for (std::size_t i = 0; i < a.talkgroups.size(); ++i)
        if (a.talkgroups[i].id != b.talkgroups[i].id || a.talkgroups[i].timeSlot != b.talkgroups[i].timeSlot
            || a.talkgroups[i].description != b.talkgroups[i].description)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto page = pw::readRepeaterPage(text, 1000);
    if (!page.failure.empty() && !page.repeaters.empty())
        std::abort();
    for (const auto& repeater : page.repeaters)
        check(repeater);
    const auto again = pw::readRepeaterPage(pw::repeaterListJson(page.repeaters), 1000);
    if (!again.failure.empty() || again.repeaters.size() != page.repeaters.size())
        std::abort();
    for (std::size_t i = 0; i < page.repeaters.size(); ++i)
        if (!same(again.repeaters[i], page.repeaters[i]))
            std::abort();
    return 0;
}

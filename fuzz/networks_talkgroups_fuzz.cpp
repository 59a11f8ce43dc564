// SPDX-License-Identifier: GPL-3.0-or-later
// The talkgroup catalogue reader: the input is a catalogue as a network or a user's file gives it,
// BrandMeister's JSON object or a Talkgroup,Name CSV file. Whatever it holds, the catalogue must be
// ordered by number without repeats, every number within 1 to 16777215 and every name a non-empty
// line of valid UTF-8; a reading that failed has no talkgroup and one that did not has some. Both
// forms are reached: the first input byte, when odd, makes the rest read as CSV. When it is 2 the
// rest is read as a list cache file first, whose fields must read back the same once written, and
// the cached list goes on to the catalogue reader.

#include "model/unicode_text.h"
#include "networks/list_cache.h"
#include "networks/talkgroup_catalogue.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::optional<pw::ListCache> cache;
    if (data[0] == 2) {
        cache = pw::parseListCache(text);
        if (!cache)
            return 0;
        const auto again = pw::parseListCache(pw::listCacheBytes(*cache));
        if (!again || again->source != cache->source || again->downloaded != cache->downloaded
            || again->items != cache->items || again->list != cache->list)
            std::abort();
        text = cache->list;
    }
    const auto reading = data[0] % 2 ? pw::readTalkgroupCsv(text) : pw::readTalkgroupCatalogue(text);
    if (reading.failure.empty() == reading.catalogue.empty())
        std::abort();
    std::uint32_t previous = 0;
    for (const auto& talkgroup : reading.catalogue.talkgroups()) {
        if (talkgroup.id <= previous || talkgroup.id > pw::HighestTalkgroupId || talkgroup.name.empty()
            || !pw::isValidUtf8(talkgroup.name) || talkgroup.name.find_first_of("\r\n") != std::string::npos)
            std::abort();
        previous = talkgroup.id;
        if (reading.catalogue.find(talkgroup.id) != &talkgroup)
            std::abort();
    }
    return 0;
}

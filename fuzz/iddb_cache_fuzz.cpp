// SPDX-License-Identifier: GPL-3.0-or-later
// The cache file of the ID database, read at every start: any bytes must either be refused whole or
// give records that write back to a file giving the same records.

#include "iddb/id_cache.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto content = pw::parseIdCache(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!content)
        return 0;
    const auto again = pw::parseIdCache(pw::idCacheBytes(content->records, content->info));
    if (!again || again->records.count() != content->records.count()
        || again->info.sources.size() != content->info.sources.size())
        std::abort();
    for (int i = 0; i < content->records.count(); ++i)
        if (again->records[i].matchText() != content->records[i].matchText())
            std::abort();
    return 0;
}

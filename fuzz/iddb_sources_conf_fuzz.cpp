// SPDX-License-Identifier: GPL-3.0-or-later
// The sources file of the ID database, which a user edits by hand: any text must be read within
// bounds, report at most one problem per line, and leave every source a fetchable URL, "none", or
// the default.

#include "iddb/id_sources.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto settings = pw::parseSourceSettings(text);
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (settings.problems.size() > lines)
        std::abort();
    for (const auto& source : {settings.firstSource, settings.secondSource})
        if (pw::sourceAddress(source, 1).kind == pw::SourceAddress::Kind::Invalid)
            std::abort();
    (void)pw::sourceAddress(text, 2);
    return 0;
}

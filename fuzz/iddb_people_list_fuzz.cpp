// SPDX-License-Identifier: GPL-3.0-or-later
// The pinned and excluded lists of a selection, which users write by hand or export from other
// programs: any text must be read within bounds, give entries that are a DMR ID or a callsign of
// bounded length, and select each user at most once, pinned ones first.

#include "iddb/id_selection.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string_view>

namespace {

const pw::IdRecordStore& users()
{
    static const pw::IdRecordStore store = [] {
        pw::IdRecordStore records;
        const char* callsigns[] = {"DL1ABC", "K0ABC", "dl1abc", "G4XYZ", "", "VE3AAA"};
        for (int i = 0; i < 6; ++i)
            records.append({std::to_string(2620001 + i % 5), callsigns[i], "Name", "City", "State", "Country", ""});
        return records;
    }();
    return store;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto list = pw::parsePeopleList(text);
    for (const auto& entry : list.entries)
        if ((entry.dmrId == 0) == entry.callsign.empty() || entry.dmrId > 0xFFFFFF
            || entry.text.size() > pw::PersonEntryLimit)
            std::abort();
    static const pw::IdUserIndex index(users());
    pw::IdSelectionCriteria criteria;
    criteria.pinned = list;
    criteria.excluded = pw::parsePeopleList(text.substr(size / 2));
    criteria.near = 2620003;
    const auto selection = pw::selectUsers(index, criteria);
    const std::set<int> once(selection.users.begin(), selection.users.end());
    if (once.size() != selection.users.size() || selection.users.size() > static_cast<std::size_t>(index.userCount())
        || selection.pinned > static_cast<int>(selection.users.size()))
        std::abort();
    return 0;
}

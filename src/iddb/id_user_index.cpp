// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_user_index.h"

#include "model/letter_case.h"

#include <algorithm>

namespace pw {
namespace {

// The names of one field that users have, numbered anew in the store's order, with their users;
// `codes` turns from the store's numbers to those.
void countUsersByName(const std::vector<std::string>& storeNames, std::vector<int>& codes,
                      std::vector<IdUserIndex::NameCount>& names)
{
    std::vector<int> users(storeNames.size(), 0);
    for (const int code : codes)
        ++users[static_cast<std::size_t>(code)];
    std::vector<int> renumbered(storeNames.size(), -1);
    for (std::size_t code = 0; code < storeNames.size(); ++code) {
        if (users[code] == 0)
            continue;
        renumbered[code] = static_cast<int>(names.size());
        names.push_back({storeNames[code], users[code]});
    }
    for (auto& code : codes)
        code = renumbered[static_cast<std::size_t>(code)];
}

} // namespace

IdUserIndex::IdUserIndex(const IdRecordStore& records) : records_(&records)
{
    const auto count = static_cast<std::size_t>(records.count());
    ids_.reserve(count);
    recordIndexes_.reserve(count);
    countryCodes_.reserve(count);
    stateCodes_.reserve(count);
    callsignKeys_.reserve(count);
    auto addUser = [&](std::uint32_t id, int record) {
        if (!ids_.empty() && ids_.back() == id) {
            ++duplicateRecords_;
            return;
        }
        ids_.push_back(id);
        recordIndexes_.push_back(record);
        countryCodes_.push_back(static_cast<int>(records.countryNumberOf(record)));
        stateCodes_.push_back(static_cast<int>(records.stateNumberOf(record)));
        callsignKeys_.push_back(callsignKey(records.callsignOf(record)));
    };
    // The lists are served in ID order, mostly: their records are taken as they come, until one
    // is out of order.
    int inOrder = 0;
    for (; inOrder < records.count(); ++inOrder) {
        const auto id = records.dmrIdOf(inOrder);
        if (id == 0)
            ++recordsWithoutId_;
        else if (!ids_.empty() && id < ids_.back())
            break;
        else
            addUser(id, inOrder);
    }
    if (inOrder < records.count()) {
        // ID and record position in one key: sorting the keys orders users by ID and, within one
        // ID, by their place in the list.
        std::vector<std::uint64_t> keys;
        keys.reserve(count);
        for (int i = 0; i < records.count(); ++i)
            if (const auto id = records.dmrIdOf(i))
                keys.push_back(std::uint64_t{id} << 32 | static_cast<std::uint32_t>(i));
        std::sort(keys.begin(), keys.end());
        ids_.clear();
        recordIndexes_.clear();
        countryCodes_.clear();
        stateCodes_.clear();
        callsignKeys_.clear();
        duplicateRecords_ = 0;
        recordsWithoutId_ = records.count() - static_cast<int>(keys.size());
        for (const auto key : keys)
            addUser(static_cast<std::uint32_t>(key >> 32), static_cast<int>(key & 0xFFFFFFFFu));
    }
    countUsersByName(records.countryNames(), countryCodes_, countries_);
    countUsersByName(records.stateNames(), stateCodes_, states_);
}

int IdUserIndex::userWithId(std::uint32_t id) const
{
    const int user = firstUserFrom(id);
    return user < userCount() && idOf(user) == id ? user : -1;
}

int IdUserIndex::firstUserFrom(std::uint32_t id) const
{
    return static_cast<int>(std::lower_bound(ids_.begin(), ids_.end(), id) - ids_.begin());
}

const IdRecordStore& IdUserIndex::noRecords()
{
    static const IdRecordStore empty;
    return empty;
}

int IdUserIndex::codeOf(const std::vector<NameCount>& names, std::string_view name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (equalsIgnoringCase(names[i].name, name))
            return static_cast<int>(i);
    return -1;
}

} // namespace pw

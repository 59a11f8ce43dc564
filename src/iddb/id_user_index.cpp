// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_user_index.h"

#include "model/letter_case.h"

#include <algorithm>
#include <unordered_map>

namespace pw {
namespace {

// Numbers the distinct names of one field, ASCII case ignored. Neighbouring records of a list in ID
// order mostly share their country and state, so the last name seen is tried before the table.
class NameNumbering {
public:
    explicit NameNumbering(std::vector<IdUserIndex::NameCount>& names) : names_(names) {}

    int codeOf(std::string_view name)
    {
        if (hasLast_ && name == last_)
            return lastCode_;
        key_.assign(name);
        for (auto& c : key_)
            c = lowerAscii(c);
        const auto [at, added] = codes_.try_emplace(key_, static_cast<int>(names_.size()));
        if (added)
            names_.push_back({std::string(name), 0});
        hasLast_ = true;
        last_ = name;
        lastCode_ = at->second;
        return lastCode_;
    }

private:
    std::vector<IdUserIndex::NameCount>& names_;
    std::unordered_map<std::string, int> codes_;
    std::string key_;
    bool hasLast_ = false;
    std::string_view last_;
    int lastCode_ = 0;
};

} // namespace

IdUserIndex::IdUserIndex(const IdRecordStore& records) : records_(&records)
{
    // ID and record position in one key: sorting the keys orders users by ID and, within one ID,
    // by their place in the list.
    std::vector<std::uint64_t> keys;
    keys.reserve(static_cast<std::size_t>(records.count()));
    for (int i = 0; i < records.count(); ++i) {
        if (const auto id = dmrIdFromDigits(records.at(i).radioId()))
            keys.push_back(std::uint64_t{*id} << 32 | static_cast<std::uint32_t>(i));
        else
            ++recordsWithoutId_;
    }
    // The lists are served in ID order, mostly: then there is nothing to sort.
    if (!std::is_sorted(keys.begin(), keys.end()))
        std::sort(keys.begin(), keys.end());
    ids_.reserve(keys.size());
    recordIndexes_.reserve(keys.size());
    for (const auto key : keys) {
        const auto id = static_cast<std::uint32_t>(key >> 32);
        if (!ids_.empty() && ids_.back() == id) {
            ++duplicateRecords_;
            continue;
        }
        ids_.push_back(id);
        recordIndexes_.push_back(static_cast<int>(key & 0xFFFFFFFFu));
    }

    NameNumbering countries(countries_);
    NameNumbering states(states_);
    countryCodes_.resize(ids_.size());
    stateCodes_.resize(ids_.size());
    for (std::size_t user = 0; user < ids_.size(); ++user) {
        const auto record = records.at(recordIndexes_[user]);
        const int country = countries.codeOf(record.country());
        const int state = states.codeOf(record.state());
        countryCodes_[user] = country;
        stateCodes_[user] = state;
        ++countries_[static_cast<std::size_t>(country)].users;
        ++states_[static_cast<std::size_t>(state)].users;
    }
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_selection.h"

#include "iddb/id_export.h"
#include "iddb/id_search.h"
#include "model/letter_case.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace pw {
namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// One flag per user.
using UserFlags = std::vector<std::uint8_t>;

// The users whose callsign is one of `callsigns` (upper case), each list in ID order.
std::unordered_map<std::string, std::vector<int>> usersByCallsign(const IdUserIndex& index,
                                                                  const std::vector<std::string>& callsigns)
{
    std::unordered_map<std::string, std::vector<int>> found;
    if (callsigns.empty())
        return found;
    for (const auto& callsign : callsigns)
        found.try_emplace(callsign);
    std::string key;
    for (int user = 0; user < index.userCount(); ++user) {
        const auto callsign = index.recordOfUser(user).callsign();
        if (callsign.empty() || callsign.size() > PersonEntryLimit)
            continue;
        key.assign(callsign);
        for (auto& c : key)
            c = upperAscii(c);
        if (const auto at = found.find(key); at != found.end())
            at->second.push_back(user);
    }
    return found;
}

std::vector<std::string> callsignsOf(const PeopleList& list)
{
    std::vector<std::string> callsigns;
    for (const auto& entry : list.entries)
        if (!entry.callsign.empty())
            callsigns.push_back(entry.callsign);
    return callsigns;
}

UserFlags excludedUsers(const IdUserIndex& index, const PeopleList& excluded)
{
    UserFlags flags(static_cast<std::size_t>(index.userCount()), 0);
    for (const auto& entry : excluded.entries)
        if (entry.dmrId != 0)
            if (const int user = index.userWithId(entry.dmrId); user >= 0)
                flags[static_cast<std::size_t>(user)] = 1;
    for (const auto& [callsign, users] : usersByCallsign(index, callsignsOf(excluded)))
        for (const int user : users)
            flags[static_cast<std::size_t>(user)] = 1;
    return flags;
}

// The records whose match text holds one of the terms, one flag per record; empty when there are
// no terms.
std::vector<std::uint8_t> recordsHolding(const IdRecordStore& records, const std::vector<std::string>& terms)
{
    std::vector<std::uint8_t> flags;
    if (terms.empty())
        return flags;
    flags.assign(static_cast<std::size_t>(records.count()), 0);
    for (const int record : FindRecords(records, terms))
        flags[static_cast<std::size_t>(record)] = 1;
    return flags;
}

// One flag per distinct name: the names asked for. Names the list lacks are noted.
std::vector<std::uint8_t> wantedNames(const std::vector<IdUserIndex::NameCount>& names,
                                      const std::vector<std::string>& asked, const char* kind,
                                      std::vector<std::string>& unknown)
{
    std::vector<std::uint8_t> wanted(names.size(), 0);
    for (const auto& name : asked) {
        bool found = false;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (equalsIgnoringCase(names[i].name, name)) {
                wanted[i] = 1;
                found = true;
            }
        }
        if (!found)
            unknown.push_back(std::string(kind) + ": " + name);
    }
    return wanted;
}

// The filters of a selection, prepared once and asked per user.
class UserFilter {
public:
    UserFilter(const IdUserIndex& index, const IdSelectionCriteria& criteria, std::vector<std::string>& unknownNames)
        : index_(index), criteria_(criteria)
    {
        if (!criteria.countries.empty())
            countries_ = wantedNames(index.countries(), criteria.countries, "country", unknownNames);
        if (!criteria.states.empty())
            states_ = wantedNames(index.states(), criteria.states, "state", unknownNames);
        matching_ = recordsHolding(index.records(), criteria.matchTexts);
        meetingCriteria_ = recordsHolding(index.records(), exportCriteriaTerms(criteria.criteriaText));
    }

    bool accepts(int user) const
    {
        if (!countries_.empty() && !countries_[static_cast<std::size_t>(index_.countryOf(user))])
            return false;
        if (!states_.empty() && !states_[static_cast<std::size_t>(index_.stateOf(user))])
            return false;
        const int record = index_.recordOf(user);
        if (!matching_.empty() && !matching_[static_cast<std::size_t>(record)])
            return false;
        if (!meetingCriteria_.empty() && !meetingCriteria_[static_cast<std::size_t>(record)])
            return false;
        if (!criteria_.idPrefixes.empty() && !idHasPrefix(index_.idOf(user)))
            return false;
        if (!criteria_.callsignPrefixes.empty()) {
            const auto callsign = index_.records().at(record).callsign();
            if (std::none_of(criteria_.callsignPrefixes.begin(), criteria_.callsignPrefixes.end(),
                             [&](const std::string& prefix) { return startsWithIgnoringCase(callsign, prefix); }))
                return false;
        }
        return true;
    }

private:
    bool idHasPrefix(std::uint32_t id) const
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, id).ptr;
        const std::string_view text(digits, static_cast<std::size_t>(end - digits));
        return std::any_of(criteria_.idPrefixes.begin(), criteria_.idPrefixes.end(),
                           [&](const std::string& prefix) { return text.starts_with(prefix); });
    }

    const IdUserIndex& index_;
    const IdSelectionCriteria& criteria_;
    std::vector<std::uint8_t> countries_;
    std::vector<std::uint8_t> states_;
    std::vector<std::uint8_t> matching_;
    std::vector<std::uint8_t> meetingCriteria_;
};

// Appends up to `wanted` of `users` (in ID order) by the distance of their ID to `near`, the lower
// ID first on a tie: the users below and above `near` are merged outward from it.
void appendNearest(const IdUserIndex& index, const std::vector<int>& users, std::uint32_t near, std::size_t wanted,
                   std::vector<int>& out)
{
    const auto split = std::lower_bound(users.begin(), users.end(), near,
                                        [&](int user, std::uint32_t id) { return index.idOf(user) < id; });
    auto above = static_cast<std::size_t>(split - users.begin());
    auto below = above;  // one past the next user below
    while (wanted > 0 && (below > 0 || above < users.size())) {
        bool takeBelow = above >= users.size();
        if (below > 0 && above < users.size())
            takeBelow = near - index.idOf(users[below - 1]) <= index.idOf(users[above]) - near;
        out.push_back(takeBelow ? users[--below] : users[above++]);
        --wanted;
    }
}

} // namespace

IdSelection selectUsers(const IdUserIndex& index, const IdSelectionCriteria& criteria)
{
    IdSelection selection;
    const auto userCount = static_cast<std::size_t>(index.userCount());
    if (userCount == 0) {
        for (const auto& entry : criteria.pinned.entries)
            selection.unknownPins.push_back(entry.text);
        return selection;
    }
    const UserFlags excluded = excludedUsers(index, criteria.excluded);
    UserFlags taken(userCount, 0);

    std::vector<int> pinned;
    const auto pinnedByCallsign = usersByCallsign(index, callsignsOf(criteria.pinned));
    auto pin = [&](int user) {
        const auto at = static_cast<std::size_t>(user);
        if (excluded[at] || taken[at])
            return;
        taken[at] = 1;
        pinned.push_back(user);
    };
    for (const auto& entry : criteria.pinned.entries) {
        if (entry.dmrId != 0) {
            const int user = index.userWithId(entry.dmrId);
            if (user < 0)
                selection.unknownPins.push_back(entry.text);
            else
                pin(user);
            continue;
        }
        const auto& users = pinnedByCallsign.at(entry.callsign);
        if (users.empty())
            selection.unknownPins.push_back(entry.text);
        for (const int user : users)
            pin(user);
    }

    std::vector<int> rest;
    const UserFilter filter(index, criteria, selection.unknownNames);
    for (std::size_t at = 0; at < userCount; ++at)
        if (!taken[at] && !excluded[at] && filter.accepts(static_cast<int>(at)))
            rest.push_back(static_cast<int>(at));

    selection.qualified = static_cast<int>(pinned.size() + rest.size());
    const std::size_t limit = criteria.limit.value_or(static_cast<std::size_t>(selection.qualified));
    auto& users = selection.users;
    users.assign(pinned.begin(), pinned.begin() + static_cast<std::ptrdiff_t>(std::min(limit, pinned.size())));
    selection.pinned = static_cast<int>(users.size());
    const std::size_t room = limit - users.size();
    if (criteria.near)
        appendNearest(index, rest, *criteria.near, room, users);
    else
        users.insert(users.end(), rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(std::min(room, rest.size())));
    return selection;
}

std::string selectionCountText(int selected, int users, std::optional<std::size_t> capacity)
{
    std::string text = std::to_string(selected) + " users selected of " + std::to_string(users) + "; ";
    text += capacity ? "capacity " + std::to_string(*capacity) : std::string("no known capacity");
    return text;
}

std::vector<std::string> selectionNotes(const IdSelection& selection, const IdSelectionCriteria& criteria,
                                        std::optional<std::size_t> limit)
{
    std::vector<std::string> notes;
    auto listed = [](const std::vector<std::string>& items) {
        constexpr std::size_t Shown = 10;
        std::string text;
        for (std::size_t i = 0; i < std::min(items.size(), Shown); ++i)
            text += (i > 0 ? ", " : "") + items[i];
        if (items.size() > Shown)
            text += " and " + std::to_string(items.size() - Shown) + " more";
        return text;
    };
    if (selection.cutAtLimit() > 0 && limit)
        notes.push_back(std::to_string(selection.cutAtLimit()) + " more users qualified but were cut at the limit of "
                        + std::to_string(*limit));
    if (!selection.unknownNames.empty())
        notes.push_back("no user of the list has " + listed(selection.unknownNames));
    if (!selection.unknownPins.empty())
        notes.push_back("pinned entries that name no user of the list: " + listed(selection.unknownPins));
    if (!criteria.pinned.refused.empty())
        notes.push_back("lines of the pinned list that were not read: " + listed(criteria.pinned.refused));
    if (!criteria.excluded.refused.empty())
        notes.push_back("lines of the excluded list that were not read: " + listed(criteria.excluded.refused));
    return notes;
}

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_selection.h"

#include "iddb/id_export.h"
#include "iddb/id_search.h"
#include "iddb/name_numbering.h"
#include "model/letter_case.h"

#include <algorithm>

namespace pw {
namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// One flag per user.
using UserFlags = std::vector<std::uint8_t>;

// The callsigns of a list by their keys. A callsign of at most seven bytes, none of them zero, is
// told by its key alone; where a longer one has the key, the text decides.
class CallsignKeyTable {
public:
    static constexpr std::uint32_t ByText = 0xFFFFFFFFu;

    explicit CallsignKeyTable(std::size_t callsigns)
    {
        std::size_t size = 16;
        while (size < callsigns * 4)
            size *= 2;
        slots_.resize(size);
    }

    void add(std::string_view callsign, std::uint32_t number)
    {
        const std::uint64_t key = callsignKey(callsign);
        // Stored callsigns hold no zero byte: one that begins with eight of them names nobody.
        if (key == 0)
            return;
        const bool told = callsign.size() < 8 && callsign.find('\0') == std::string_view::npos;
        auto& slot = slots_[slotOf(key)];
        if (slot.key == 0)
            slot = {key, told ? number : ByText};
        else if (!told || slot.number != number)
            slot.number = ByText;
    }

    // The number of the list's callsign with this key, ByText, or nothing when the list has none.
    std::optional<std::uint32_t> find(std::uint64_t key) const
    {
        const auto& slot = slots_[slotOf(key)];
        return slot.key == 0 ? std::nullopt : std::optional(slot.number);
    }

private:
    struct Slot {
        std::uint64_t key = 0;  // 0: free
        std::uint32_t number = 0;
    };

    // The slot that holds `key`, or the free slot where it belongs.
    std::size_t slotOf(std::uint64_t key) const
    {
        const std::size_t mask = slots_.size() - 1;
        auto at = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15u) >> 32) & mask;
        while (slots_[at].key != key && slots_[at].key != 0)
            at = (at + 1) & mask;
        return at;
    }

    std::vector<Slot> slots_;  // a power of two in size, at most a quarter full
};

// The users of each callsign of a people list, in ID order.
class UsersByCallsign {
public:
    UsersByCallsign(const IdUserIndex& index, const PeopleList& list)
    {
        CallsignKeyTable keys(list.entries.size());
        for (const auto& entry : list.entries)
            if (!entry.callsign.empty())
                keys.add(entry.callsign, callsigns_.numberOf(entry.callsign));
        if (callsigns_.names().empty())
            return;
        users_.resize(callsigns_.names().size());
        for (int user = 0; user < index.userCount(); ++user) {
            auto number = keys.find(index.callsignKeyOf(user));
            if (number == CallsignKeyTable::ByText) {
                const auto callsign = index.recordOfUser(user).callsign();
                number = callsign.size() > PersonEntryLimit ? std::nullopt : callsigns_.find(callsign);
            }
            if (number)
                users_[*number].push_back(user);
        }
    }

    // The users of a callsign of the list.
    const std::vector<int>& usersOf(std::string_view callsign) const { return users_[*callsigns_.find(callsign)]; }
    const std::vector<std::vector<int>>& all() const { return users_; }

private:
    NameNumbering callsigns_;
    std::vector<std::vector<int>> users_;
};

// A callsign prefix, compared on the callsign's key, and on its text only where the key cannot tell.
class CallsignPrefix {
public:
    explicit CallsignPrefix(std::string_view prefix)
        : text_(prefix), key_(callsignKey(prefix)),
          mask_(prefix.size() >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * prefix.size())) - 1),
          textDecides_(prefix.size() > 8 || prefix.find('\0') != std::string_view::npos)
    {
    }

    bool begins(const IdUserIndex& index, int user) const
    {
        const bool keyBegins = (index.callsignKeyOf(user) & mask_) == key_;
        if (!textDecides_)
            return keyBegins;
        return keyBegins && startsWithIgnoringCase(index.recordOfUser(user).callsign(), text_);
    }

private:
    std::string_view text_;
    std::uint64_t key_;
    std::uint64_t mask_;
    bool textDecides_;
};

UserFlags excludedUsers(const IdUserIndex& index, const PeopleList& excluded)
{
    UserFlags flags(static_cast<std::size_t>(index.userCount()), 0);
    for (const auto& entry : excluded.entries)
        if (entry.dmrId != 0)
            if (const int user = index.userWithId(entry.dmrId); user >= 0)
                flags[static_cast<std::size_t>(user)] = 1;
    const UsersByCallsign byCallsign(index, excluded);
    for (const auto& users : byCallsign.all())
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

// One flag per distinct name: the names asked for, or every name when none is. Names the list lacks
// are noted.
std::vector<std::uint8_t> wantedNames(const std::vector<IdUserIndex::NameCount>& names,
                                      const std::vector<std::string>& asked, const char* kind,
                                      std::vector<std::string>& unknown)
{
    std::vector<std::uint8_t> wanted(names.size(), asked.empty());
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

// The IDs that begin with one of the prefixes, as ranges of IDs: the prefix 262 holds 262, 2620 to
// 2629, 26200 to 26299 and so on up to the eight digits of the largest ID. A prefix that is not
// all digits, or that begins with 0, holds none.
std::vector<std::pair<std::uint32_t, std::uint32_t>> idRangesOf(const std::vector<std::string>& prefixes)
{
    constexpr std::size_t IdDigits = 8;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
    for (const auto& prefix : prefixes) {
        if (prefix.size() > IdDigits || prefix.starts_with('0')
            || !std::all_of(prefix.begin(), prefix.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::uint32_t low = 0;
        for (const char c : prefix)
            low = low * 10 + static_cast<std::uint32_t>(c - '0');
        std::uint32_t high = prefix.empty() ? 1 : low + 1;
        for (std::size_t digits = prefix.size(); digits <= IdDigits; ++digits, low *= 10, high *= 10)
            ranges.emplace_back(low, high);
    }
    return ranges;
}

// The users whose IDs begin with one of the prefixes, as spans of positions in ID order, ascending
// and apart; every user when no prefix is given.
std::vector<std::pair<int, int>> userSpans(const IdUserIndex& index, const std::vector<std::string>& idPrefixes)
{
    if (idPrefixes.empty())
        return {{0, index.userCount()}};
    auto ranges = idRangesOf(idPrefixes);
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> spans;
    for (const auto& [low, high] : ranges) {
        const int first = index.firstUserFrom(low);
        const int end = index.firstUserFrom(high);
        if (first >= end)
            continue;
        if (!spans.empty() && first <= spans.back().second)
            spans.back().second = std::max(spans.back().second, end);
        else
            spans.emplace_back(first, end);
    }
    return spans;
}

// The filters of a selection but the ID prefixes, prepared once and asked per user (the users of the
// ID prefixes are told by userSpans, without looking at the others). Each kind of filter is asked of
// every user without a branch on the answer: users pass or fail at random as far as the processor
// can tell, and a wrong guess would cost more than asking all.
class UserFilter {
public:
    UserFilter(const IdUserIndex& index, const IdSelectionCriteria& criteria, std::vector<std::string>& unknownNames)
        : index_(index)
    {
        countries_ = wantedNames(index.countries(), criteria.countries, "country", unknownNames);
        states_ = wantedNames(index.states(), criteria.states, "state", unknownNames);
        matching_ = recordsHolding(index.records(), criteria.matchTexts);
        meetingCriteria_ = recordsHolding(index.records(), exportCriteriaTerms(criteria.criteriaText));
        for (const auto& prefix : criteria.callsignPrefixes)
            callsignPrefixes_.emplace_back(prefix);
    }

    bool accepts(int user) const
    {
        const int record = index_.recordOf(user);
        return countries_[static_cast<std::size_t>(index_.countryOf(user))]
             & states_[static_cast<std::size_t>(index_.stateOf(user))] & holds(matching_, record)
             & holds(meetingCriteria_, record) & callsignHasPrefix(user);
    }

private:
    static bool holds(const std::vector<std::uint8_t>& records, int record)
    {
        return records.empty() || records[static_cast<std::size_t>(record)];
    }

    bool callsignHasPrefix(int user) const
    {
        bool found = callsignPrefixes_.empty();
        for (const auto& prefix : callsignPrefixes_)
            found |= prefix.begins(index_, user);
        return found;
    }

    const IdUserIndex& index_;
    std::vector<std::uint8_t> countries_;
    std::vector<std::uint8_t> states_;
    std::vector<std::uint8_t> matching_;
    std::vector<std::uint8_t> meetingCriteria_;
    std::vector<CallsignPrefix> callsignPrefixes_;
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
    const UsersByCallsign pinnedByCallsign(index, criteria.pinned);
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
        const auto& users = pinnedByCallsign.usersOf(entry.callsign);
        if (users.empty())
            selection.unknownPins.push_back(entry.text);
        for (const int user : users)
            pin(user);
    }

    // Every user is written to the end of the list, which grows only by those that qualify.
    std::vector<int> rest(userCount);
    std::size_t qualifying = 0;
    const UserFilter filter(index, criteria, selection.unknownNames);
    for (const auto& [first, end] : userSpans(index, criteria.idPrefixes)) {
        for (auto at = static_cast<std::size_t>(first); at < static_cast<std::size_t>(end); ++at) {
            rest[qualifying] = static_cast<int>(at);
            qualifying += !taken[at] & !excluded[at] & filter.accepts(static_cast<int>(at));
        }
    }
    rest.resize(qualifying);

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

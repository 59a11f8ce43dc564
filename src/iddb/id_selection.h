// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which users of the DMR ID list go into a radio, and in what order: the one selection that the
// command line, the window's "Fit to Radio" page, the radio CSV export and the tests share.
//
// 1. Filters. A user qualifies when it matches every kind of filter given, and any value within a
//    kind: country and state (the whole name, ASCII case ignored), callsign prefix (ASCII case
//    ignored), DMR ID prefix (decimal digits), the searcher's text (found anywhere in the record's
//    match text) and the exporter's criteria lines (each found where a word begins). No filter:
//    every user qualifies.
// 2. The pinned list: its users come first, in the list's order (a callsign that several users
//    share gives them all, by ID), whatever the filters say. The excluded list drops users, pinned
//    ones too: a user that asked not to be listed stays out.
// 3. Order and limit: after the pinned users, the rest by the distance of their DMR ID to `near`
//    (the lower ID first on a tie) when it is given, else by DMR ID; then the whole is cut at the
//    limit. Each DMR ID appears once (IdUserIndex).

#include "iddb/id_user_index.h"
#include "iddb/people_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pw {

struct IdSelectionCriteria {
    std::vector<std::string> countries;
    std::vector<std::string> states;
    std::vector<std::string> callsignPrefixes;
    std::vector<std::string> idPrefixes;
    std::vector<std::string> matchTexts;
    // The exporter's criteria box: one word-start term a line (exportCriteriaTerms).
    std::string criteriaText;
    PeopleList pinned;
    PeopleList excluded;
    std::optional<std::uint32_t> near;
    std::optional<std::size_t> limit;
};

struct IdSelection {
    // Users of the index, in the order they are written or added.
    std::vector<int> users;
    // The first `pinned` users came from the pinned list.
    int pinned = 0;
    // Users that qualified or were pinned, before the limit.
    int qualified = 0;
    // Pinned entries that name no user of the list, as written.
    std::vector<std::string> unknownPins;
    // Countries and states asked for that no user of the list has ("country: Germny").
    std::vector<std::string> unknownNames;

    int cutAtLimit() const { return qualified - static_cast<int>(users.size()); }
};

IdSelection selectUsers(const IdUserIndex& index, const IdSelectionCriteria& criteria);

// "N users selected of M; capacity C", or "...; no known capacity" without one. M is the number
// of users in the list.
std::string selectionCountText(int selected, int users, std::optional<std::size_t> capacity);

// What a selection left out or could not find, one line each; none when there is nothing to say.
// "12,000 more users qualified but were cut at the limit of 10,000", "pinned entries that name no
// user of the list: DL1XYZ, 2620999", "lines of the pinned list that were not read: line 3: 0".
std::vector<std::string> selectionNotes(const IdSelection& selection, const IdSelectionCriteria& criteria,
                                        std::optional<std::size_t> limit);

} // namespace pw

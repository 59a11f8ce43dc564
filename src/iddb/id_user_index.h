// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The users of a loaded DMR ID list, each DMR ID once, in ascending ID order: what selections run
// over.
//
// A user is the first record of the list with its DMR ID (the first source's record wins over the
// second's, an earlier line over a later one). Records whose ID field is not a DMR ID (decimal
// digits, 1 to 16777215) are no users: no radio could call them. Each user carries the number of
// its country and its state among the distinct names that users of the list have, which are
// grouped without regard to the case of ASCII letters and keep the spelling they first had in the
// list: filters and the window's lists work on those numbers, not on the texts. The store numbered
// the names as the list was read; the index only counts them. It keeps the key of each user's
// callsign too, so that the pinned and excluded lists and the callsign prefixes are compared
// without reading the texts.
//
// The index refers to the store's records by position and is built once per loaded list; it is
// valid while the store it was built from is unchanged.

#include "iddb/id_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class IdUserIndex {
public:
    IdUserIndex() = default;
    explicit IdUserIndex(const IdRecordStore& records);

    const IdRecordStore& records() const { return *records_; }
    int userCount() const { return static_cast<int>(ids_.size()); }
    std::uint32_t idOf(int user) const { return ids_[static_cast<std::size_t>(user)]; }
    int recordOf(int user) const { return recordIndexes_[static_cast<std::size_t>(user)]; }
    IdRecord recordOfUser(int user) const { return records_->at(recordOf(user)); }
    // The key of the user's callsign (callsignKey).
    std::uint64_t callsignKeyOf(int user) const { return callsignKeys_[static_cast<std::size_t>(user)]; }
    // The user with this DMR ID, -1 for none.
    int userWithId(std::uint32_t id) const;
    // The first user whose ID is at least `id` (userCount() when there is none).
    int firstUserFrom(std::uint32_t id) const;
    // Records that were no users: their ID field held no DMR ID, or a user had the ID already.
    int recordsWithoutId() const { return recordsWithoutId_; }
    int duplicateRecords() const { return duplicateRecords_; }

    // A distinct country or state name of the list (as first spelt) and its number of users.
    struct NameCount {
        std::string name;
        int users = 0;
    };
    const std::vector<NameCount>& countries() const { return countries_; }
    const std::vector<NameCount>& states() const { return states_; }
    int countryOf(int user) const { return countryCodes_[static_cast<std::size_t>(user)]; }
    int stateOf(int user) const { return stateCodes_[static_cast<std::size_t>(user)]; }
    // The number of the country or state spelt `name` (ASCII case ignored); -1 when the list has none.
    int countryCode(std::string_view name) const { return codeOf(countries_, name); }
    int stateCode(std::string_view name) const { return codeOf(states_, name); }

private:
    static int codeOf(const std::vector<NameCount>& names, std::string_view name);
    static const IdRecordStore& noRecords();

    const IdRecordStore* records_ = &noRecords();
    std::vector<std::uint32_t> ids_;
    std::vector<int> recordIndexes_;
    std::vector<int> countryCodes_;
    std::vector<int> stateCodes_;
    std::vector<std::uint64_t> callsignKeys_;
    std::vector<NameCount> countries_;
    std::vector<NameCount> states_;
    int recordsWithoutId_ = 0;
    int duplicateRecords_ = 0;
};

} // namespace pw

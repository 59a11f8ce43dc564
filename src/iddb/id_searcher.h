// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the database searcher, without its window and without questions to the user: the
// queries and their messages, the name template, the contact line of a record, and the CSV line a
// search prints. Adding records to a codeplug, which may ask the user, is in
// operations/id_contact_add.h.

#include "iddb/id_database.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr std::size_t GeneralTermLimit = 50;
inline constexpr std::size_t SearchLineLimit = 254;
inline constexpr std::size_t MaxSearchTerms = 50;
inline constexpr std::size_t SimpleQueryMinimum = 3;
inline constexpr std::size_t MaxTemplateWords = 10;
inline constexpr const char* DefaultNameTemplate = "%C - %F";

// The lines of a multi-line box, from the first up to (not including) the first empty one. Lines
// are separated by CR LF, or by a lone LF.
std::vector<std::string_view> leadingLines(std::string_view text);

// The terms of a compound query: the general text's first 50 characters (when it is not empty),
// then one blank followed by each additional line (at most 254 characters of it), 50 terms at most.
std::vector<std::string> compoundSearchTerms(std::string_view generalText, std::string_view additionalText);

struct SearchOutcome {
    std::string message;
    int count = 0;
};

// What a search says when the load ended without a record: "The user list is empty: it could not
// be loaded (source 1: URL: failed: REASON)", with every place that failed.
std::string emptyListText(const IdDatabase& database);

// The Search command: nothing (no search run) unless the database is done, or for a simple query
// of fewer than three characters; emptyListText when the load had no record; otherwise the
// query's message and its number of matches. The matches are left in the database.
std::optional<SearchOutcome> runSearch(IdDatabase& database, std::string_view generalText,
                                       std::string_view additionalText);
// "Entire Database (WW)".
std::optional<SearchOutcome> runEntireDatabase(IdDatabase& database);

// The words of a name template (at most 10); nothing when it has none.
std::optional<std::vector<std::string>> templateWordList(std::string_view templateText);
// The contact name a template gives for a record: each word's value followed by one blank.
std::string contactNameFromTemplate(const std::vector<std::string>& words, const IdRecord& record);

// "Type for Added Records", by position in the list.
enum class AddedRecordType { PrivateCall = 0, GroupCall = 1, AllCall = 2 };
std::string addedRecordTypeText(AddedRecordType type);

// The contact line of one record: with all nine fields for codeplugs whose contacts carry the
// descriptive texts (`extended`), else the ID, the templated name and the type.
std::string contactLineForRecord(const IdRecord& record, bool extended, AddedRecordType type,
                                 std::string_view builtName);

// A record as one CSV line (no line end): radioId, callsign, name, city, state, country, remarks;
// a field holding a comma, a double quote or a line break is quoted, with inner quotes doubled.
std::string recordCsvLine(const IdRecord& record);

} // namespace pw

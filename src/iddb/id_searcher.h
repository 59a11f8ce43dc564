#pragma once
// The logic of the database searcher, without its window: the queries and their messages, the name
// template, and turning chosen records into contacts of the working codeplug. The dialog (and the
// command-line front end) read the controls, call these, and show what they return.

#include "iddb/id_database.h"
#include "model/contact.h"
#include "model/record_list.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;
class Prompts;
class SettingsBlock;

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

// The Search command: nothing (no search run) unless the database is done, or for a simple query
// of fewer than three characters; otherwise the query's message and its number of matches. The
// matches are left in the database.
std::optional<SearchOutcome> runSearch(IdDatabase& database, std::string_view generalText,
                                       std::string_view additionalText);
// "Entire Database (WW)".
std::optional<SearchOutcome> runEntireDatabase(IdDatabase& database);

// Shows the notice about the database sources the first time the searcher is opened with these
// settings, and remembers that it was shown. True when it was shown now.
bool showSourcesNoticeOnce(SettingsBlock& settings, Prompts& prompts);

// The words of the name template (at most 10); when it has none, asks whether to use the default
// and gives nothing when the user declines.
std::optional<std::vector<std::string>> templateWords(std::string_view templateText, Prompts& prompts);
// The contact name a template gives for a record: each word's value followed by one blank.
std::string contactNameFromTemplate(const std::vector<std::string>& words, const IdRecord& record);

// "Type for Added Records", by position in the list.
enum class AddedRecordType { PrivateCall = 0, GroupCall = 1, AllCall = 2 };
std::string addedRecordTypeText(AddedRecordType type);

// The contact line of one record: with all nine fields for codeplugs whose contacts carry the
// descriptive texts (`extended`), else the ID, the templated name and the type.
std::string contactLineForRecord(const IdRecord& record, bool extended, AddedRecordType type,
                                 std::string_view builtName);

// Merges the contacts into the codeplug with the contact merge: duplicates are looked for, both
// call-type options are set, and `refreshExisting` adds the option that overwrites the texts of
// contacts whose DMR ID is present. Returns the number added plus the number updated. An empty
// function stands for the codeplug's own contact merge (mergeContacts), which is what the window
// and the command line use; tests may put another in its place.
using ContactMerge = std::function<int(Codeplug& codeplug, const RecordList<Contact>& incoming, bool refreshExisting)>;

struct AddRecordsRequest {
    // Positions in the database's matches, in any order; they are added in row order.
    std::vector<int> selectedRows;
    std::string nameTemplate;
    AddedRecordType type = AddedRecordType::PrivateCall;
    bool refreshContacts = false;
};

struct AddRecordsResult {
    bool ran = false;     // contacts were offered to the merge
    int offered = 0;
    int added = 0;        // as the merge reported it
    std::string message;  // the closing message, empty when none was shown
};

// "Add Selected Records". `codeplug` may be null (nothing happens).
AddRecordsResult addSelectedRecords(Codeplug* codeplug, const IdDatabase& database, const AddRecordsRequest& request,
                                    Prompts& prompts, const ContactMerge& merge = {});
// "Add All Records": every row of the matches.
AddRecordsResult addAllRecords(Codeplug* codeplug, const IdDatabase& database, AddRecordsRequest request,
                               Prompts& prompts, const ContactMerge& merge = {});

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning records of the DMR ID database into contacts of the working codeplug ("Add Selected
// Records", "Add All Records" of the searcher and `iddb add`), and the notice the searcher shows
// the first time it is opened. These are the searcher's flows that ask or tell the user something.
//
// The records and the codeplug model hold UTF-8: each contact line goes through
// modelTextFromUtf8 (model/unicode_text.h), and the family's record formats store what they can.

#include "iddb/id_searcher.h"
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

// Shows the notice about the database sources the first time the searcher is opened with these
// settings, and remembers that it was shown. True when it was shown now.
bool showSourcesNoticeOnce(SettingsBlock& settings, Prompts& prompts);

// False when there is no codeplug to add to: none (silently), or one not loaded (the searcher's
// error message is shown).
bool codeplugTakesContacts(const Codeplug* codeplug, Prompts& prompts);

// The words of the name template (at most 10); when it has none, asks whether to use the default
// and gives nothing when the user declines.
std::optional<std::vector<std::string>> templateWords(std::string_view templateText, Prompts& prompts);

// Merges the contacts into the codeplug with the contact merge: duplicates are looked for, both
// call-type options are set, and `refreshExisting` adds the option that overwrites the texts of
// contacts whose DMR ID is present. Returns the number added plus the number updated. An empty
// function stands for the codeplug's own contact merge (mergeContacts), which is what the window
// and the command line use; tests may put another in its place.
using ContactMerge = std::function<int(Codeplug& codeplug, const RecordList<Contact>& incoming, bool refreshExisting)>;

struct AddRecordsRequest {
    // Positions in the database's matches, in any order; they are added in row order.
    std::vector<int> selectedRows;
    // UTF-8.
    std::string nameTemplate;
    AddedRecordType type = AddedRecordType::PrivateCall;
    bool refreshContacts = false;
};

struct AddRecordsResult {
    bool ran = false;     // contacts were offered to the merge
    int offered = 0;
    int added = 0;        // as the merge reported it
    int leftOut = 0;      // records that found the contact table full
    std::string message;  // the closing message, empty when none was shown
};

// "Add Selected Records". `codeplug` may be null (nothing happens).
AddRecordsResult addSelectedRecords(Codeplug* codeplug, const IdDatabase& database, const AddRecordsRequest& request,
                                    Prompts& prompts, const ContactMerge& merge = {});
// "Add All Records": every row of the matches.
AddRecordsResult addAllRecords(Codeplug* codeplug, const IdDatabase& database, AddRecordsRequest request,
                               Prompts& prompts, const ContactMerge& merge = {});

} // namespace pw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Contacts into and out of the working codeplug: the contact CSV file, the contact merge that the
// CSV import, the merge from another codeplug, the structural import and the ID database share,
// and the one-line add of the clipboard paste.
//
// Contact CSV file: UTF-8 text (read as TextLineReader reads it), one ContactLine per line, each ended by CR LF, no header line:
//   "dmrId","name","Group Call|Private Call|All Call","Yes|No","callsign","city","state","country","remarks"
// The five texts are empty outside the D868 family. Reading takes the line as Contact::fromLine
// does; a first line whose first field is a word names the columns and is passed over, blank lines
// are passed over, and every other line that does not become a contact is counted by its reason.

#include "codeplug/codeplug.h"
#include "model/contact.h"
#include "model/record_list.h"
#include "operations/import_shortfall.h"
#include "platform/file_io.h"
#include "platform/work_progress.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pw {

// Options of the merge, a bit set.
// Incoming Group Call and All Call contacts are taken.
inline constexpr unsigned MergeGroupCalls = 0x01;
// Incoming Private Call contacts are taken.
inline constexpr unsigned MergePrivateCalls = 0x20;
// An incoming contact whose DMR ID is present overwrites that contact's name and texts.
inline constexpr unsigned MergeUpdateExisting = 0x400;
// What the CSV import and the merge from another codeplug pass.
inline constexpr unsigned MergeBothCallTypes = MergeGroupCalls | MergePrivateCalls;

// The merge one contact at a time, for callers that produce contacts as they read them. The DMR IDs
// present are taken once, when the merger is made: contacts it adds are not looked for, so two
// incoming contacts with one new ID are both added. A set of the IDs replaces the scan of the whole
// table that addContact would make per contact, which would be quadratic for 130000 contacts.
class ContactMerger {
public:
    ContactMerger(Codeplug& codeplug, bool addWithoutCheck, unsigned options);

    // Merges one contact; false once the table is full, when the merge is over (contacts offered
    // after that are counted as left out).
    bool offer(const Contact& incoming);
    // Marks the codeplug changed and writes the model into the image when anything was added or
    // updated; the number of contacts added plus the number updated.
    int finish();
    int count() const { return count_; }
    // Contacts that found the table full.
    int leftOut() const { return leftOut_; }

private:
    Codeplug& codeplug_;
    bool addWithoutCheck_;
    unsigned options_;
    bool full_ = false;
    bool finished_ = false;
    int count_ = 0;
    int leftOut_ = 0;
    // (DMR ID, table position) of the contacts present, sorted: the first entry of an ID is the
    // first contact of the table with it.
    std::vector<std::pair<std::uint32_t, int>> present_;
};

// Merges a list of contacts that the caller owns into the codeplug: the number added plus the
// number updated; 0 for an empty list or a codeplug that is not loaded. `leftOut`, when given,
// receives the number of contacts that found the table full; `progress`, when given, steps once
// per contact offered.
int mergeContacts(Codeplug& codeplug, const RecordList<Contact>& source, bool addWithoutCheck, unsigned options,
                  int* leftOut = nullptr, ProgressStage* progress = nullptr);
// The same over another codeplug's contact table; 0 when no codeplug is given.
int mergeContactsFromCodeplug(Codeplug& codeplug, const Codeplug* other, bool addWithoutCheck, unsigned options,
                              int* leftOut = nullptr, ProgressStage* progress = nullptr);

// Every contact's line with CR LF, in table order.
std::string contactsCsvText(const Codeplug& codeplug);
// Writes the contact CSV file as a save is written: fails when nothing is loaded, there are no
// contacts, or the file could not be written whole (the old file is then unchanged).
WriteResult exportContactsCsv(const Codeplug& codeplug, const std::filesystem::path& path);

struct ContactCsvImport {
    bool opened = false;
    int imported = 0;
    // Lines refused for their DMR ID, and contacts that found the table full.
    ImportShortfall shortfall;
};
// Imports the contact CSV file with the merge (both call types, no update of existing contacts),
// telling `progress` how much of the file it has read.
ContactCsvImport readContactsCsv(Codeplug& codeplug, const std::filesystem::path& path,
                                 WorkProgress* progress = nullptr);
// The number of contacts added; 0 also when the file cannot be opened or holds no usable line.
int importContactsCsv(Codeplug& codeplug, const std::filesystem::path& path);

// What addContactFromLine did: how the line read and, when it read, what adding it did.
struct ContactLineAdd {
    ContactLineRead read = ContactLineRead::TooShort;
    std::optional<AddResult> add;
    bool added() const { return add == AddResult::Added; }
};
// Reads one ContactLine and adds it, duplicates not allowed. Marks
// the codeplug changed when the contact was added.
ContactLineAdd addContactFromLine(Codeplug& codeplug, std::string_view line);

// Finds contacts of one codeplug by name, as Codeplug::findContactByName does, and by DMR ID, as
// contactNameForId does, without walking the table per question: for imports that ask once per
// channel of tables that hold 160000 contacts.
class ContactIndex {
public:
    explicit ContactIndex(const Codeplug& codeplug);
    // The 0-based index of the first contact of that name ignoring case, or -1.
    int findByName(std::string_view name) const;
    // The 0-based index of the first contact with that ID, or -1.
    int findById(std::uint32_t dmrId) const;
    // Takes in the contacts appended to the table since the index was made or last brought up.
    void catchUp();

private:
    std::string key(std::string_view name) const;

    const Codeplug& codeplug_;
    int indexed_ = 0;
    std::unordered_map<std::string, int> byName_;
    std::unordered_map<std::uint32_t, int> byId_;
};

} // namespace pw

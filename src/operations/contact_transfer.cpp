// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_transfer.h"

#include "codeplug/codeplug.h"
#include "model/field_readers.h"
#include "model/letter_case.h"
#include "operations/record_line_files.h"
#include "operations/text_lines.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace pw {

// ---- Merge ----

ContactMerger::ContactMerger(Codeplug& codeplug, bool addWithoutCheck, unsigned options)
    : codeplug_(codeplug), addWithoutCheck_(addWithoutCheck), options_(options)
{
    const auto& contacts = codeplug_.contacts();
    present_.reserve(static_cast<std::size_t>(contacts.count()));
    int position = 0;
    for (const auto& contact : contacts)
        present_.emplace_back(contact->dmrId(), position++);
    std::sort(present_.begin(), present_.end());
}

bool ContactMerger::offer(const Contact& incoming)
{
    if (full_) {
        ++leftOut_;
        return false;
    }
    if (finished_ || !codeplug_.loaded())
        return false;
    const bool groupLike = incoming.callType() != CallType::PrivateCall;
    if (groupLike ? (options_ & MergeGroupCalls) == 0 : (options_ & MergePrivateCalls) == 0)
        return true;

    const auto id = incoming.dmrId();
    const auto first = std::lower_bound(present_.begin(), present_.end(), std::make_pair(id, 0));
    const bool isPresent = first != present_.end() && first->first == id;
    if (addWithoutCheck_ || !isPresent) {
        // The ID set already answered the duplicate question.
        const AddResult result = codeplug_.addContact(incoming, true);
        if (result == AddResult::Added)
            ++count_;
        else if (result == AddResult::TableFullRefused)
            full_ = true;
        leftOut_ += full_ ? 1 : 0;
        return !full_;
    }
    if (options_ & MergeUpdateExisting) {
        auto* existing = codeplug_.contactAt(first->second);
        existing->setName(incoming.name());
        for (const auto text : {ContactText::Callsign, ContactText::City, ContactText::State, ContactText::Country,
                                ContactText::Remarks})
            existing->setDescriptive(text, incoming.descriptive(text));
        ++count_;
    }
    return true;
}

int ContactMerger::finish()
{
    if (!finished_ && count_ > 0) {
        Codeplug::EditScope edit(codeplug_);
        edit.changed();
    }
    finished_ = true;
    return count_;
}

int mergeContacts(Codeplug& codeplug, const RecordList<Contact>& source, bool addWithoutCheck, unsigned options,
                  int* leftOut, ProgressStage* progress)
{
    if (source.empty() || !codeplug.loaded())
        return 0;
    ContactMerger merger(codeplug, addWithoutCheck, options);
    int offered = 0;
    for (const auto& contact : source) {
        ++offered;
        if (progress)
            progress->step();
        if (!merger.offer(*contact))
            break;
    }
    // What follows the contact that found the table full is left out as well.
    if (leftOut)
        *leftOut = merger.leftOut() + (merger.leftOut() > 0 ? source.count() - offered : 0);
    return merger.finish();
}

int mergeContactsFromCodeplug(Codeplug& codeplug, const Codeplug* other, bool addWithoutCheck, unsigned options,
                              int* leftOut, ProgressStage* progress)
{
    // Merging a codeplug into itself would walk a table that grows under the walk.
    if (!other || other == &codeplug)
        return 0;
    return mergeContacts(codeplug, other->contacts(), addWithoutCheck, options, leftOut, progress);
}

// ---- CSV ----

std::string contactsCsvText(const Codeplug& codeplug)
{
    return recordLinesText(codeplug.contacts(), 64, [](const Contact& contact) { return contact.toLine(); });
}

WriteResult exportContactsCsv(const Codeplug& codeplug, const std::filesystem::path& path)
{
    return writeRecordLines(codeplug, codeplug.contacts(), path, "no contacts to write", contactsCsvText);
}

ContactCsvImport readContactsCsv(Codeplug& codeplug, const std::filesystem::path& path, WorkProgress* progress)
{
    ProgressRun run(progress);
    ContactCsvImport result;
    // Each contact is merged as soon as it is read; since the merge looks for duplicates only among
    // the contacts present before it began, this gives what collecting the whole file first would,
    // without holding the file's contacts twice, and stops reading once the table is full.
    ContactMerger merger(codeplug, false, MergeBothCallTypes);
    result.opened = readRecordLines(path, progress, result.shortfall, [&](const std::string& line, bool mayNameColumns) {
        Contact contact = codeplug.newContact();
        const ContactLineRead read = contact.fromLine(line);
        if (read == ContactLineRead::Read) {
            // Once the table is full the rest of the file is only counted.
            merger.offer(contact);
            return;
        }
        // A first line whose first field is a word names the columns: no record, and no refusal.
        if (mayNameColumns && std::isalpha(static_cast<unsigned char>(CsvFieldReader::field(line, 0, 1).c_str()[0])))
            return;
        result.shortfall.refuseLine(contactLineRefusal(read));
    });
    result.imported = merger.finish();
    result.shortfall.leaveOut(merger.leftOut());
    return result;
}

int importContactsCsv(Codeplug& codeplug, const std::filesystem::path& path)
{
    return readContactsCsv(codeplug, path).imported;
}

ContactLineAdd addContactFromLine(Codeplug& codeplug, std::string_view line)
{
    Contact contact = codeplug.newContact();
    ContactLineAdd result;
    result.read = contact.fromLine(line);
    if (result.read != ContactLineRead::Read)
        return result;
    result.add = codeplug.addContact(contact, false);
    if (result.added())
        codeplug.markChanged();
    return result;
}

// ---- Index ----

ContactIndex::ContactIndex(const Codeplug& codeplug) : codeplug_(codeplug)
{
    byName_.reserve(static_cast<std::size_t>(codeplug.contacts().count()));
    byId_.reserve(static_cast<std::size_t>(codeplug.contacts().count()));
    catchUp();
}

std::string ContactIndex::key(std::string_view name) const
{
    std::string text(name);
    for (auto& c : text)
        c = lowerAscii(c);
    return text;
}

void ContactIndex::catchUp()
{
    const auto& contacts = codeplug_.contacts();
    for (; indexed_ < contacts.count(); ++indexed_) {
        const auto* contact = contacts.at(indexed_);
        byName_.try_emplace(key(contact->name()), indexed_);
        byId_.try_emplace(contact->dmrId(), indexed_);
    }
}

int ContactIndex::findByName(std::string_view name) const
{
    const auto zero = name.find('\0');
    if (zero != std::string_view::npos)
        name = name.substr(0, zero);
    // A format with a small alphabet compares the wanted name as it would store it.
    const auto wanted = codeplug_.loaded() ? key(codeplug_.codec().recordFormats().contact->lookupName(name)) : key(name);
    const auto found = byName_.find(wanted);
    return found == byName_.end() ? -1 : found->second;
}

int ContactIndex::findById(std::uint32_t dmrId) const
{
    const auto found = byId_.find(dmrId);
    return found == byId_.end() ? -1 : found->second;
}

} // namespace pw

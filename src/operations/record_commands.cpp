// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/record_commands.h"

#include "operations/document_commands.h"
#include "operations/tab_command_support.h"

#include <algorithm>

namespace pw {

using namespace tab_commands;

namespace {

// The selection as the list holds it: ascending, each row once, inside the table. Positions shift
// down as records are deleted, which only works out when rows come in ascending order.
std::vector<int> listOrder(std::vector<int> rows, int tableSize)
{
    std::erase_if(rows, [tableSize](int row) { return row < 0 || row >= tableSize; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// One of the two tables whose lists have a Delete command.
struct RecordTable {
    int (*count)(const Codeplug& codeplug);
    void (Codeplug::*erase)(int position);
    // What a delete leaves out of date.
    TabList refresh;
};

constexpr RecordTable ContactTable{[](const Codeplug& codeplug) { return codeplug.contacts().count(); },
                                   &Codeplug::deleteContact,
                                   TabList::Contacts | TabList::Channels | TabList::RxGroups};
constexpr RecordTable ChannelTable{[](const Codeplug& codeplug) { return codeplug.channels().count(); },
                                   &Codeplug::deleteChannel,
                                   TabList::Channels | TabList::Zones | TabList::ScanLists};

// False when the codeplug kept the record (the last channel of an RDB or D868 codeplug).
bool deleteAt(Codeplug& codeplug, const RecordTable& table, int position)
{
    const int before = table.count(codeplug);
    (codeplug.*table.erase)(position);
    return table.count(codeplug) < before;
}

// The one selected record: the selection mark then keeps its row, or moves to the new last one.
CommandResult deleteOne(Codeplug& codeplug, const RecordTable& table, int row)
{
    if (!deleteAt(codeplug, table, row))
        return {};
    CommandResult result = tableChanged(table.refresh);
    if (const int size = table.count(codeplug); size > 0)
        result.selectedRow = std::min(row, size - 1);
    return result;
}

// Several selected records in list order, each that `mayDelete` (given its position) lets go.
// Only a delete that happened moves the later rows up.
template <typename MayDelete>
CommandResult deleteInTurn(Codeplug& codeplug, Prompts& prompts, const RecordTable& table,
                           const std::vector<int>& rows, MayDelete mayDelete)
{
    BusyScope busy(prompts);
    int deleted = 0;
    for (const int row : rows) {
        const int position = row - deleted;
        if (mayDelete(position) && deleteAt(codeplug, table, position))
            ++deleted;
    }
    return deleted > 0 ? tableChanged(table.refresh) : CommandResult{};
}

} // namespace

CommandResult deleteContacts(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    // Every delete of the command is one edit, encoded once.
    Codeplug::EditScope edit(codeplug);
    rows = listOrder(std::move(rows), ContactTable.count(codeplug));
    if (rows.empty())
        return result;

    if (rows.size() == 1) {
        const int row = rows.front();
        const Contact& contact = *codeplug.contactAt(row);
        if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                      "Are you sure you want to delete the contact: \r\n\r\n" + contact.name() + " (ID# " +
                          std::to_string(contact.dmrId()) + ") ?"))
            return result;
        if (codeplug.isContactUsed(row) &&
            !askedYes(prompts, MessageIcon::Error, MessageButtons::YesNoCancel,
                      "Warning: Item being deleted is in use by at least one channel\r\nin this Codeplug.\r\n\r\n"
                      "Are you sure you want to do this?"))
            return result;
        return deleteOne(codeplug, ContactTable, row);
    }

    if (!askedYes(prompts, MessageIcon::Error, MessageButtons::YesNoCancel,
                  "Are you sure you want to delete " + std::to_string(rows.size()) + " selected contacts?"))
        return result;
    return deleteInTurn(codeplug, prompts, ContactTable, rows, [&](int position) {
        return !codeplug.isContactUsed(position) ||
               askedYes(prompts, MessageIcon::Warning, MessageButtons::YesNoCancel,
                        "WARNING: Contact " + singleQuoted(codeplug.contactAt(position)->name()) +
                            " is in use by one or more channels;\r\nare you sure want to delete it?");
    });
}

CommandResult deleteChannels(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    Codeplug::EditScope edit(codeplug);
    if (!codeplug.hasFeature(feature::ChannelOperations))
        return refusal(prompts, featureNotSupportedText("deleting channels"));
    rows = listOrder(std::move(rows), ChannelTable.count(codeplug));
    if (rows.empty())
        return result;

    if (rows.size() == 1) {
        const int row = rows.front();
        if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                      "Are you sure you want to delete the channel " + singleQuoted(codeplug.channelAt(row)->name()) + " ?"))
            return result;
        return deleteOne(codeplug, ChannelTable, row);
    }

    if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                  "Are you sure you want to delete the " + std::to_string(rows.size()) + " selected channels?"))
        return result;
    return deleteInTurn(codeplug, prompts, ChannelTable, rows, [](int) { return true; });
}

CommandResult markContactsAsTalkgroups(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    rows = listOrder(std::move(rows), codeplug.contacts().count());
    if (rows.empty())
        return result;

    if (rows.size() == 1) {
        const Contact& contact = *codeplug.contactAt(rows.front());
        if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                      "Are you sure you want to set the contact " + singleQuoted(contact.name()) + " (ID# " +
                          std::to_string(contact.dmrId()) + ") as a talkgroup?"))
            return result;
    } else if (!askedYes(prompts, MessageIcon::Error, MessageButtons::YesNoCancel,
                         "Are you sure you want to mark the " + std::to_string(rows.size()) +
                             " selected contacts as talkgroups?")) {
        return result;
    }

    bool marked = false;
    for (const int row : rows) {
        Contact& contact = *codeplug.contactAt(row);
        marked = marked || !contact.isTalkgroup();
        contact.setTalkgroup(true);
    }
    if (rows.size() > 1)
        prompts.notify(std::to_string(rows.size()) + " contacts marked as talkgroups.");
    // The mark decides where the D868 save writes the contact, so it is a change to be saved.
    if (marked)
        codeplug.markChanged();
    result.modelChanged = marked;
    result.refresh = TabList::Contacts;
    return result;
}

} // namespace pw

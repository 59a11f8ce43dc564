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

// The row that keeps the selection mark after a delete: the same row, or the new last one.
std::optional<int> rowAfterDelete(int row, int tableSize)
{
    if (tableSize <= 0)
        return std::nullopt;
    return std::min(row, tableSize - 1);
}

bool deleteContactAt(Codeplug& codeplug, int position)
{
    const int before = codeplug.contacts().count();
    codeplug.deleteContact(position);
    return codeplug.contacts().count() < before;
}

bool deleteChannelAt(Codeplug& codeplug, int position)
{
    const int before = codeplug.channels().count();
    codeplug.deleteChannel(position);
    return codeplug.channels().count() < before;
}

constexpr TabList AfterContactDelete = TabList::Contacts | TabList::Channels | TabList::RxGroups;
constexpr TabList AfterChannelDelete = TabList::Channels | TabList::Zones | TabList::ScanLists;

} // namespace

CommandResult deleteContacts(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    // Every delete of the command is one edit, encoded once.
    Codeplug::EditScope edit(codeplug);
    rows = listOrder(std::move(rows), codeplug.contacts().count());
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
        if (!deleteContactAt(codeplug, row))
            return result;
        result.modelChanged = true;
        result.refresh = AfterContactDelete;
        result.selectedRow = rowAfterDelete(row, codeplug.contacts().count());
        return result;
    }

    if (!askedYes(prompts, MessageIcon::Error, MessageButtons::YesNoCancel,
                  "Are you sure you want to delete " + std::to_string(rows.size()) + " selected contacts?"))
        return result;
    BusyScope busy(prompts);
    int deleted = 0;
    for (const int row : rows) {
        const int position = row - deleted;
        if (codeplug.isContactUsed(position) &&
            !askedYes(prompts, MessageIcon::Warning, MessageButtons::YesNoCancel,
                      "WARNING: Contact " + singleQuoted(codeplug.contactAt(position)->name()) +
                          " is in use by one or more channels;\r\nare you sure want to delete it?"))
            continue;
        // Only a delete that happened moves the later rows up.
        if (deleteContactAt(codeplug, position))
            ++deleted;
    }
    if (deleted > 0) {
        result.modelChanged = true;
        result.refresh = AfterContactDelete;
    }
    return result;
}

CommandResult deleteChannels(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    Codeplug::EditScope edit(codeplug);
    if (!codeplug.hasFeature(feature::ChannelOperations))
        return refusal(prompts, featureNotSupportedText("deleting channels"));
    rows = listOrder(std::move(rows), codeplug.channels().count());
    if (rows.empty())
        return result;

    if (rows.size() == 1) {
        const int row = rows.front();
        if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                      "Are you sure you want to delete the channel " + singleQuoted(codeplug.channelAt(row)->name()) + " ?"))
            return result;
        if (!deleteChannelAt(codeplug, row))
            return result;
        result.modelChanged = true;
        result.refresh = AfterChannelDelete;
        result.selectedRow = rowAfterDelete(row, codeplug.channels().count());
        return result;
    }

    if (!askedYes(prompts, MessageIcon::Question, MessageButtons::YesNoCancel,
                  "Are you sure you want to delete the " + std::to_string(rows.size()) + " selected channels?"))
        return result;
    BusyScope busy(prompts);
    int deleted = 0;
    for (const int row : rows)
        // A refused delete (the last channel of an RDB or D868 codeplug) leaves the rows in place.
        if (deleteChannelAt(codeplug, row - deleted))
            ++deleted;
    if (deleted > 0) {
        result.modelChanged = true;
        result.refresh = AfterChannelDelete;
    }
    return result;
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

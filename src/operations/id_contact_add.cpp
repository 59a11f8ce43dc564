// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/id_contact_add.h"

#include "codeplug/codeplug.h"
#include "iddb/settings_block.h"
#include "model/unicode_text.h"
#include "operations/contact_transfer.h"
#include "platform/prompts.h"

#include <algorithm>
#include <memory>

namespace pw {

bool showSourcesNoticeOnce(SettingsBlock& settings, Prompts& prompts)
{
    if (settings.noticeShown())
        return false;
    settings.setNoticeShown(true);
    prompts.inform("Current database sources may not provide data for all fields in all records.\r\n"
                   "Unsupported fields will be empty in search results.");
    return true;
}

bool codeplugTakesContacts(const Codeplug* codeplug, Prompts& prompts)
{
    if (!codeplug)
        return false;
    if (!codeplug->loaded()) {
        prompts.error("You must first load a valid codeplug before using this command.");
        return false;
    }
    return true;
}

std::optional<std::vector<std::string>> templateWords(std::string_view templateText, Prompts& prompts)
{
    if (auto words = templateWordList(templateText))
        return words;
    const auto answer = prompts.message(MessageIcon::Question, MessageButtons::YesNoCancel,
                                        "Invalid template value for NAME field. Use default?");
    if (answer != MessageAnswer::Yes)
        return std::nullopt;
    return templateWordList(DefaultNameTemplate);
}

AddRecordsResult addSelectedRecords(Codeplug* codeplug, const IdDatabase& database, const AddRecordsRequest& request,
                                    Prompts& prompts, const ContactMerge& merge)
{
    AddRecordsResult result;
    if (!codeplugTakesContacts(codeplug, prompts))
        return result;
    const bool extended = codeplug->formatId() == D868Format;
    const auto matchCount = static_cast<int>(database.Matches().size());
    if (matchCount == 0)
        return result;
    std::vector<int> rows;
    for (const int row : request.selectedRows)
        if (row >= 0 && row < matchCount)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty()) {
        prompts.inform("Please select one or more contacts to add to the Codeplug.");
        return result;
    }
    const auto words = templateWords(request.nameTemplate, prompts);
    if (!words)
        return result;

    {
        BusyScope busy(prompts);
        RecordList<Contact> incoming;
        ImportShortfall shortfall;
        for (const int row : rows) {
            const auto record = database.Match(row);
            const auto name = contactNameFromTemplate(*words, record);
            const auto line = modelTextFromUtf8(contactLineForRecord(record, extended, request.type, name));
            auto contact = std::make_unique<Contact>(codeplug->newContact());
            const ContactLineRead read = contact->fromLine(line);
            if (read == ContactLineRead::Read)
                incoming.append(std::move(contact));
            else if (read == ContactLineRead::IdOutOfRange)
                shortfall.refuseLine(DmrIdAboveLimit);
        }
        result.offered = incoming.count();
        int leftOut = 0;
        if (merge)
            result.added = merge(*codeplug, incoming, request.refreshContacts);
        else
            result.added = mergeContacts(*codeplug, incoming, false,
                                         MergeBothCallTypes | (request.refreshContacts ? MergeUpdateExisting : 0u),
                                         &leftOut);
        shortfall.leaveOut(leftOut);
        result.leftOut = leftOut;
        result.ran = true;
        // Records a full table left out are no duplicates.
        const int duplicates = result.offered - result.added - leftOut;
        if (result.added == result.offered)
            result.message = std::to_string(result.added) + " Contacts added to working Codeplug.";
        else if (duplicates > 0)
            result.message = std::to_string(result.added) + " Contacts added; " + std::to_string(duplicates) +
                             " Duplicates skipped.";
        else
            result.message = std::to_string(result.added) + " Contacts added to working Codeplug.";
        result.message += shortfall.text("added", "contact", contactCapacity(codeplug->formatId()));
    }
    prompts.inform(result.message);
    return result;
}

AddRecordsResult addAllRecords(Codeplug* codeplug, const IdDatabase& database, AddRecordsRequest request,
                               Prompts& prompts, const ContactMerge& merge)
{
    if (!codeplugTakesContacts(codeplug, prompts))
        return {};
    if (database.Matches().empty())
        return {};
    request.selectedRows.resize(database.Matches().size());
    for (std::size_t i = 0; i < request.selectedRows.size(); ++i)
        request.selectedRows[i] = static_cast<int>(i);
    return addSelectedRecords(codeplug, database, request, prompts, merge);
}

} // namespace pw

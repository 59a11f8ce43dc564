// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/contact_commands.h"

#include "codeplug/codeplug.h"
#include "operations/contact_transfer.h"
#include "operations/transfer_command_support.h"
#include "platform/prompts.h"
#include "platform/work_progress.h"

#include <filesystem>
#include <string>

namespace pw {
namespace {

using namespace transfer_commands;

constexpr const char* CsvFilter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";

// "N contacts imported." and what was not.
ImportEnding contactsImported(const Codeplug& working, int added, const ImportShortfall& shortfall)
{
    return importDone(std::to_string(added) + " contacts imported." +
                          shortfall.text("imported", "contact", contactCapacity(working.formatId())),
                      {.added = added, .tableFull = shortfall.leftOut() > 0});
}

} // namespace

TransferOutcome mergeContactsCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path =
        chosenFile(working, prompts, OpenCodeplugFirstMessage, outcome,
                   importFileRequest("Merge Contacts from a different Codeplug File...", CodeplugFileFilter, "Merge >"));
    Codeplug other;
    if (!path || !openOtherCodeplug(other, *path, prompts, "Unable to open the specified file for merging.", outcome))
        return outcome;
    return importFrom(path, outcome, prompts, [&] {
        int leftOut = 0;
        ProgressRun run(progress);
        // The merge takes the bar to 90 %; the image written once at the end, the rest.
        ProgressStage merging(progress, other.contacts().count(), 0, ProgressScale * 9 / 10);
        const int added = mergeContactsFromCodeplug(working, &other, false, MergeBothCallTypes, &leftOut, &merging);
        ImportShortfall shortfall;
        shortfall.leaveOut(leftOut);
        return contactsImported(working, added, shortfall);
    });
}

TransferOutcome importContactsCsvCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, OpenCodeplugFirstMessage, outcome,
                                 importFileRequest("Import Contacts from a CSV File...", CsvFilter, "CSV Import >"));
    return importFrom(path, outcome, prompts, [&] {
        const ContactCsvImport result = readContactsCsv(working, *path, progress);
        return result.opened ? contactsImported(working, result.imported, result.shortfall) : unopenedFile(*path);
    });
}

TransferOutcome exportContactsCsvCommand(const Codeplug& working, Prompts& prompts)
{
    TransferOutcome outcome;
    if (!working.loaded() || working.contacts().empty()) {
        prompts.warn("There are no valid contacts in the file to export.");
        outcome.status = TransferOutcome::Status::Refused;
        return outcome;
    }
    const auto path = prompts.chooseFile({.mode = FileChooserRequest::Mode::Save,
                                          .title = "Export Contacts as Comma-Separated Values...",
                                          .filter = CsvFilter,
                                          .defaultExtension = "csv",
                                          .confirmText = "CSV Export >"});
    if (!path)
        return outcome;

    WriteResult written;
    {
        BusyScope busy(prompts);
        written = exportContactsCsv(working, *path);
    }
    outcome.fileProblem = written.error;
    endExport(prompts, static_cast<bool>(written), working.contacts().count(), "Contacts succesfully exported.",
              MessageIcon::Error, "Failed to export contact data.", outcome);
    return outcome;
}

bool sortContactsCommand(Codeplug& working, int column, ContactListKind list, WorkProgress* progress,
                         SortOrder order)
{
    ProgressRun run(progress);
    constexpr int ContactTypeColumn = 3;
    constexpr int LastColumn = 9;
    if (!working.loaded() || column <= 0 || column > LastColumn)
        return false;
    if (list == ContactListKind::ContactsTab && column == ContactTypeColumn)
        return false;
    if (working.contacts().count() < 2)
        return false;
    working.sortContacts(column, progress, order);
    return true;
}

} // namespace pw

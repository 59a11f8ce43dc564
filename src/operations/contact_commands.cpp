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

using transfer_commands::openOtherCodeplug;
using transfer_commands::chosenFile;

constexpr const char* OpenFirstMessage = "Please open a valid Codeplug file first.";
constexpr const char* CsvFilter = "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*||";

std::string importedMessage(int count) { return std::to_string(count) + " contacts imported."; }

} // namespace

TransferOutcome mergeContactsCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, OpenFirstMessage, outcome,
                                 {.mode = FileChooserRequest::Mode::Open,
                                  .title = "Merge Contacts from a different Codeplug File...",
                                  .filter = "RDT/RDT Files (*.rdt;*.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||",
                                  .confirmText = "Merge >",
                                  .mustExist = true});
    if (!path)
        return outcome;

    Codeplug other;
    if (!openOtherCodeplug(other, *path, prompts)) {
        prompts.error("Unable to open the specified file for merging.");
        outcome.status = TransferOutcome::Status::Failed;
        return outcome;
    }
    int leftOut = 0;
    {
        BusyScope busy(prompts);
        ProgressRun run(progress);
        // The merge takes the bar to 90 %; the image written once at the end, the rest.
        ProgressStage merging(progress, other.contacts().count(), 0, ProgressScale * 9 / 10);
        outcome.added = mergeContactsFromCodeplug(working, &other, false, MergeBothCallTypes, &leftOut, &merging);
    }
    ImportShortfall shortfall;
    shortfall.leaveOut(leftOut);
    outcome.tableFull = leftOut > 0;
    prompts.inform(importedMessage(outcome.added) + shortfall.text("imported", "contact", contactCapacity(working.formatId())));
    outcome.status = TransferOutcome::Status::Done;
    return outcome;
}

TransferOutcome importContactsCsvCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, OpenFirstMessage, outcome,
                                 {.mode = FileChooserRequest::Mode::Open,
                                  .title = "Import Contacts from a CSV File...",
                                  .filter = CsvFilter,
                                  .confirmText = "CSV Import >",
                                  .mustExist = true});
    if (!path)
        return outcome;

    ContactCsvImport result;
    {
        BusyScope busy(prompts);
        result = readContactsCsv(working, *path, progress);
    }
    if (!result.opened) {
        // "0 contacts imported." would tell the user that the file held nothing new.
        prompts.warn("File '" + *path + "' could not be opened.");
        outcome.status = TransferOutcome::Status::Failed;
        return outcome;
    }
    outcome.added = result.imported;
    outcome.tableFull = result.shortfall.leftOut() > 0;
    prompts.inform(importedMessage(outcome.added) +
                   result.shortfall.text("imported", "contact", contactCapacity(working.formatId())));
    outcome.status = TransferOutcome::Status::Done;
    return outcome;
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
    if (written) {
        prompts.notify("Contacts succesfully exported.");
        outcome.status = TransferOutcome::Status::Done;
        outcome.added = working.contacts().count();
    } else {
        prompts.error("Failed to export contact data.");
        outcome.status = TransferOutcome::Status::Failed;
        outcome.fileProblem = written.error;
    }
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

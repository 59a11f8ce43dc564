// SPDX-License-Identifier: GPL-3.0-or-later
// The contact and channel transfers: CSV export and import, contact merge, channel import from
// another codeplug, and the two table sorts. Each runs the desktop program's command with the
// file chooser answered by the command's argument.

#include "cli/commands.h"

#include "operations/channel_transfer.h"
#include "operations/contact_commands.h"
#include "operations/contact_transfer.h"

#include <memory>

namespace pw::cli {
namespace {

struct SortArguments {
    std::string file;
    int column = 0;
};

// True when the command ran to its end without filling a table before it was through.
bool ranToEnd(const TransferOutcome& outcome)
{
    return outcome.status == TransferOutcome::Status::Done && !outcome.tableFull;
}

// A command that did not run to its end ends with status 1; its messages have said why.
void endUnlessDone(const TransferOutcome& outcome)
{
    if (!ranToEnd(outcome))
        throw CommandExit{ExitFailed};
}

using ExportCommand = TransferOutcome (*)(const Codeplug&, Prompts&);

// Runs an export with its file chooser answered by OUT ("-": standard output).
void runExport(CliSession& session, const TwoFiles& args, ExportCommand command)
{
    const auto out = session.outputFile(args.other);
    const auto& codeplug = session.openCodeplug(args.file);
    session.prompts().queueFile(out);
    const auto outcome = command(codeplug, session.prompts());
    if (outcome.status == TransferOutcome::Status::Failed)
        session.reportWriteProblem(out, outcome.fileProblem);
    endUnlessDone(outcome);
    session.deliverStandardOutput();
}

using ImportCommand = TransferOutcome (*)(Codeplug&, Prompts&, WorkProgress*);

// Runs a command that changes the codeplug, saves it when it changed, and ends with status 1
// when the command did not run to its end.
// The file the command reads ("-": standard input) answers its file chooser; when it cannot be
// read, its path and the system's reason follow the command's message.
void runImport(CliSession& session, const TwoFiles& args, ImportCommand command)
{
    auto& codeplug = session.openCodeplug(args.file);
    const auto other = session.inputFile(args.other);
    session.prompts().queueFile(other);
    // The command line shows no progress.
    const auto outcome = command(codeplug, session.prompts(), nullptr);
    if (outcome.status == TransferOutcome::Status::Failed)
        session.reportReadProblem(other);
    session.saveIfChanged(codeplug, args.file);
    endUnlessDone(outcome);
}

// A command that writes the codeplug's records to OUT.
void addExportCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                      ExportCommand command)
{
    auto args = std::make_shared<TwoFiles>();
    addTwoFileCommand(app, name, description, *args, "OUT", "CSV file to write; - for standard output")
        ->callback([&session, args, command] { runExport(session, *args, command); });
}

// A command that brings the records of another file into the codeplug.
void addImportCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                      const char* otherName, const char* otherDescription, ImportCommand command)
{
    auto args = std::make_shared<TwoFiles>();
    auto* added = addTwoFileCommand(app, name, description, *args, otherName, otherDescription);
    session.addOutputOption(*added);
    added->callback([&session, args, command] { runImport(session, *args, command); });
}

// Sorts a table of the codeplug by COLUMN (0 to `lastColumn`); false when the sort did not run
// to its end.
using TableSort = bool (*)(Codeplug& codeplug, Prompts& prompts, int column);

// A command that sorts a table, saves the codeplug when the order changed, and ends with status 1
// when the sort did not run to its end.
void addSortCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                    const char* columnHelp, int lastColumn, TableSort sort)
{
    auto args = std::make_shared<SortArguments>();
    auto* command = app.add_subcommand(name, description);
    addFileArgument(*command, args->file);
    command->add_option("COLUMN", args->column, columnHelp)->required()->check(CLI::Range(0, lastColumn));
    session.addOutputOption(*command);
    command->callback([&session, args, sort] {
        auto& codeplug = session.openCodeplug(args->file);
        const bool done = sort(codeplug, session.prompts(), args->column);
        session.saveIfChanged(codeplug, args->file);
        if (!done)
            throw CommandExit{ExitFailed};
    });
}

} // namespace

void addExportContactsCommand(CLI::App& app, CliSession& session)
{
    addExportCommand(app, session, "export-contacts", "Write the contacts as a CSV file", exportContactsCsvCommand);
}

void addExportChannelsCommand(CLI::App& app, CliSession& session)
{
    addExportCommand(app, session, "export-channels", "Write the channels as a CSV file", exportChannelsCsvCommand);
}

void addImportContactsCommand(CLI::App& app, CliSession& session)
{
    addImportCommand(app, session, "import-contacts", "Import contacts from a CSV file", "CSV",
                     "Contact CSV file; - for standard input", importContactsCsvCommand);
}

void addMergeContactsCommand(CLI::App& app, CliSession& session)
{
    addImportCommand(app, session, "merge-contacts", "Merge the contacts of another codeplug", "OTHER",
                     "Codeplug file to take the contacts from; - for standard input", mergeContactsCommand);
}

void addImportChannelsCommand(CLI::App& app, CliSession& session)
{
    addImportCommand(app, session, "import-channels", "Import channels from a CSV file", "CSV",
                     "Channel CSV file; - for standard input", importChannelsCsvCommand);
}

void addImportChannelsFromCommand(CLI::App& app, CliSession& session)
{
    addImportCommand(app, session, "import-channels-from",
                     "Import the channels of another codeplug with the contacts they use", "OTHER",
                     "Codeplug file to take the channels from; - for standard input",
                     importChannelsFromCodeplugCommand);
}

void addSortContactsCommand(CLI::App& app, CliSession& session)
{
    addSortCommand(app, session, "sort-contacts", "Sort the contacts by a column of the contact list",
                   "0 No., 1 DMR-MARC ID, 2 Contact Name, 3 Contact Type, 4 Alert Tone "
                   "(0 and 3 do not sort, as in the contact list)",
                   4, [](Codeplug& codeplug, Prompts&, int column) {
                       sortContactsCommand(codeplug, column);
                       return true;
                   });
}

void addSortChannelsCommand(CLI::App& app, CliSession& session)
{
    addSortCommand(app, session, "sort-channels", "Sort the channels by a column of the channel list",
                   "0 No. (does not sort), 1 Channel Name, 2 Rx Freq, 3 Mode, 4 BW, 5 Tx Freq, 6 Admit, "
                   "7 PWR, 8 Slot, 9 Color, 10 T-Enc/Contact, 11 R-Dec/Grp",
                   11, [](Codeplug& codeplug, Prompts& prompts, int column) {
                       const auto outcome = sortChannelsCommand(codeplug, prompts, column);
                       // Column 0 sorts nothing and is no failure; the feature guard is.
                       return column == 0 || ranToEnd(outcome);
                   });
}

} // namespace pw::cli

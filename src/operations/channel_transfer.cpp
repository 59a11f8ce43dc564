// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/channel_transfer.h"

#include "codeplug/codeplug.h"
#include "operations/channel_line.h"
#include "operations/contact_transfer.h"
#include "operations/document_commands.h"
#include "operations/record_line_files.h"
#include "operations/text_lines.h"
#include "operations/transfer_command_support.h"
#include "platform/file_io.h"
#include "platform/overwrite_question.h"
#include "platform/prompts.h"
#include "platform/work_progress.h"

#include <cstdio>

namespace pw {
namespace {

using namespace transfer_commands;

constexpr const char* MemoryFullMessage = "Channel memory is full.";
constexpr const char* ChannelCsvFilter = "CSV Files (*.csv)|*.csv|TXT Files (*.txt)|*.txt|All Files (*.*)|*.*||";

void finishImport(Codeplug& working, const ChannelImportCounts& counts)
{
    if (counts.added == 0 && counts.supportingContacts == 0)
        return;
    // Supporting contacts change the codeplug even when every channel was a duplicate.
    Codeplug::EditScope edit(working);
    edit.changed();
}

// A channel import's closing: "Channel memory is full." when it stopped at a full table, then
// `report` and what was not imported.
ImportEnding channelsImported(const Codeplug& working, const ChannelImportCounts& counts, const std::string& report)
{
    auto ending = importDone(report + counts.shortfall.text("imported", "channel", channelCapacity(working.formatId())),
                             {.added = counts.added,
                              .duplicates = counts.duplicates,
                              .supportingContacts = counts.supportingContacts,
                              .tableFull = counts.tableFull});
    if (counts.tableFull)
        ending.messages.insert(ending.messages.begin(), {MessageIcon::Error, MemoryFullMessage});
    return ending;
}

} // namespace

std::string channelsCsvText(const Codeplug& codeplug)
{
    return recordLinesText(codeplug.channels(), 320,
                           [&codeplug](const Channel& channel) { return ChannelLine::write(channel, codeplug); });
}

WriteResult exportChannelsCsv(const Codeplug& codeplug, const std::filesystem::path& path)
{
    return writeRecordLines(codeplug, codeplug.channels(), path, "no channels to write", channelsCsvText);
}

ChannelImportCounts importChannelsCsv(Codeplug& working, const std::filesystem::path& path, WorkProgress* progress)
{
    ProgressRun run(progress);
    ChannelImportCounts counts;
    if (!working.loaded()) {
        counts.opened = TextLineReader(path).isOpen();
        return counts;
    }
    const ContactIndex contacts(working);
    std::string refusal;
    counts.opened = readRecordLines(path, progress, counts.shortfall, [&](const std::string& line, bool) {
        Channel channel = working.newChannel();
        const ChannelLineRead read = ChannelLine::read(line, channel, &working, &contacts, &refusal);
        if (read == ChannelLineRead::ValueRefused)
            counts.shortfall.refuseLine(refusal);
        else if (read != ChannelLineRead::Read)
            counts.shortfall.refuseLine(ChannelLineTooFewFields);
        if (read != ChannelLineRead::Read)
            return;
        // Once the table is full the rest of the file is only counted.
        const AddResult result = counts.tableFull ? AddResult::TableFullRefused : working.addChannel(channel);
        if (result == AddResult::Added) {
            ++counts.added;
        } else if (result == AddResult::DuplicateRefused) {
            ++counts.duplicates;
        } else if (result == AddResult::TableFullRefused) {
            counts.tableFull = true;
            counts.shortfall.leaveOut();
        }
    });
    finishImport(working, counts);
    return counts;
}

ChannelImportCounts importChannelsFromCodeplug(Codeplug& working, const Codeplug& other, WorkProgress* progress)
{
    ProgressRun run(progress);
    ChannelImportCounts counts;
    if (!working.loaded() || &working == &other)
        return counts;
    ProgressStage adding(progress, other.channels().count(), 0, ProgressScale * 9 / 10);
    ContactIndex workingContacts(working);
    const ContactIndex otherContacts(other);
    int offered = 0;
    for (const auto& source : other.channels()) {
        ++offered;
        adding.step();
        const auto line = ChannelLine::write(*source, other);

        std::string contactName = source->contactNameCache();
        bool repoint = false;
        if (!contactName.empty() && workingContacts.findByName(contactName) < 0) {
            const auto* supporting = other.contactAt(otherContacts.findByName(contactName));
            if (supporting) {
                // The index answers the duplicate question that addContact would answer by walking
                // the whole table.
                const int existing = workingContacts.findById(supporting->dmrId());
                if (existing >= 0) {
                    contactName = supporting->dmrId() == 0 ? std::string() : working.contactAt(existing)->name();
                    repoint = true;
                } else if (working.addContact(*supporting, true) == AddResult::Added) {
                    ++counts.supportingContacts;
                    workingContacts.catchUp();
                }
            }
        }

        Channel channel = working.newChannel();
        std::string refusal;
        const ChannelLineRead read = ChannelLine::read(line, channel, &working, &workingContacts, &refusal);
        if (read == ChannelLineRead::ValueRefused)
            counts.shortfall.refuseLine(refusal);
        if (read != ChannelLineRead::Read)
            continue;
        if (repoint)
            channel.setTxContactByName(contactName,
                                       [&workingContacts](std::string_view name) { return workingContacts.findByName(name); });
        const AddResult result = working.addChannel(channel);
        if (result == AddResult::TableFullRefused) {
            counts.tableFull = true;
            // This channel and every one after it.
            counts.shortfall.leaveOut(other.channels().count() - offered + 1);
            break;
        }
        if (result == AddResult::DuplicateRefused)
            ++counts.duplicates;
        else if (result == AddResult::Added)
            ++counts.added;
    }
    adding.finish();
    finishImport(working, counts);
    return counts;
}

TransferOutcome exportChannelsCsvCommand(const Codeplug& working, Prompts& prompts)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, OpenFirstMessage, outcome,
                                 exportFileRequest("Export Channels to CSV File...", ChannelCsvFilter, "csv"));
    if (!path || !overwriteAgreed(prompts, *path))
        return outcome;
    // Without channels there is no file to write, and no reason of the system's to tell.
    WriteResult written{.error = std::make_error_code(std::errc::invalid_argument)};
    if (!working.channels().empty()) {
        BusyScope busy(prompts);
        written = exportChannelsCsv(working, *path);
        outcome.fileProblem = written.error;
    }
    endExport(prompts, static_cast<bool>(written), working.channels().count(),
              "Successfully wrote channel data to CSV file.", MessageIcon::Warning, "Unable to write CSV file.", outcome);
    return outcome;
}

TransferOutcome importChannelsCsvCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path =
        chosenChannelImportFile(working, prompts, OpenFirstMessage, outcome,
                                importFileRequest("Import Channels from CSV File...", ChannelCsvFilter, "Import >", "csv"));
    return importFrom(path, outcome, prompts, [&] {
        const ChannelImportCounts counts = importChannelsCsv(working, *path, progress);
        if (!counts.opened)
            return unopenedFile(*path);
        return channelsImported(working, counts,
                                std::to_string(counts.added) + " new channels added; " +
                                    std::to_string(counts.duplicates) + " duplicates skipped.");
    });
}

TransferOutcome importChannelsFromCodeplugCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress)
{
    TransferOutcome outcome;
    const auto path = chosenChannelImportFile(
        working, prompts, OpenFirstMessage, outcome,
        importFileRequest("Import Channels from Codeplug...",
                          "RDT/RDB Files (*.rdt, *.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||", "Ch Import >", "rdt"),
        "channel codeplug import");
    Codeplug other;
    if (!path || !openOtherCodeplug(other, *path, prompts,
                                    "Unable to read specified file. Is it a valid\r\nradio database file?", outcome))
        return outcome;
    return importFrom(path, outcome, prompts, [&] {
        const ChannelImportCounts counts = importChannelsFromCodeplug(working, other, progress);
        char text[256];
        std::snprintf(text, sizeof text,
                      "%d Channels added (with %d new supporting digital contacts).\r\n\r\n%d duplicate channels skipped.",
                      counts.added, counts.supportingContacts, counts.duplicates);
        return channelsImported(working, counts, text);
    });
}

TransferOutcome sortChannelsCommand(Codeplug& working, Prompts& prompts, int column, bool guarded, SortOrder order)
{
    TransferOutcome outcome;
    outcome.status = TransferOutcome::Status::Refused;
    if (!working.loaded() || column <= 0)
        return outcome;
    if (guarded && !channelOperationsOffered(working, prompts, "channel sorting"))
        return outcome;
    // sortChannels writes the model back and marks the codeplug changed when it had two channels
    // or more to order.
    working.sortChannels(column, order);
    outcome.status = TransferOutcome::Status::Done;
    return outcome;
}

} // namespace pw

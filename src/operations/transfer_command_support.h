// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces that the transfer commands (CSV files, merges, imports from another codeplug)
// share. Not part of the operations' interface.

#include "codeplug/codeplug.h"
#include "operations/document_commands.h"
#include "operations/transfer_outcome.h"
#include "platform/file_io.h"
#include "platform/overwrite_question.h"
#include "platform/prompts.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw::transfer_commands {

inline constexpr const char* OpenFirstMessage = "Please open a valid Codeplug file before using this command.";
// The shorter form that the contact and structure commands show.
inline constexpr const char* OpenCodeplugFirstMessage = "Please open a valid Codeplug file first.";
inline constexpr const char* CodeplugFileFilter = "RDT/RDT Files (*.rdt;*.rdb)|*.rdt;*.rdb|All Files (*.*)|*.*||";

// Without a loaded codeplug the command shows `message` and is refused. True when it was.
inline bool refusedWhenUnloaded(const Codeplug& working, Prompts& prompts, std::string_view message,
                                TransferOutcome& outcome)
{
    if (working.loaded())
        return false;
    prompts.inform(message);
    outcome.status = TransferOutcome::Status::Refused;
    return true;
}

// The file a command works with, chosen through `request`: nothing when no codeplug is loaded (the
// command then shows `openFirstMessage` and is refused) or when the user cancels the choice.
inline std::optional<std::string> chosenFile(const Codeplug& working, Prompts& prompts, std::string_view openFirstMessage,
                                             TransferOutcome& outcome, const FileChooserRequest& request)
{
    if (refusedWhenUnloaded(working, prompts, openFirstMessage, outcome))
        return std::nullopt;
    return prompts.chooseFile(request);
}

// The file a command imports channels from: as chosenFile, and refused as well when the user
// declines the channel operations this codeplug's format offers only with a warning (`feature`
// names the operation in that warning).
inline std::optional<std::string> chosenChannelImportFile(Codeplug& working, Prompts& prompts,
                                                          std::string_view openFirstMessage, TransferOutcome& outcome,
                                                          const FileChooserRequest& request,
                                                          const std::string& feature = "channel importing")
{
    if (refusedWhenUnloaded(working, prompts, openFirstMessage, outcome))
        return std::nullopt;
    if (!channelOperationsOffered(working, prompts, feature)) {
        outcome.status = TransferOutcome::Status::Refused;
        return std::nullopt;
    }
    return prompts.chooseFile(request);
}

// A command that writes a text file of the codeplug: the file chosen through `request` (asking
// before it writes over one), `produce()` written to it as a save is written, and `written` or
// `failed` shown.
inline TransferOutcome exportTextCommand(const Codeplug& working, Prompts& prompts, std::string_view openFirstMessage,
                                         const FileChooserRequest& request,
                                         const std::function<std::string()>& produce, std::string_view written,
                                         std::string_view failed)
{
    TransferOutcome outcome;
    const auto path = chosenFile(working, prompts, openFirstMessage, outcome, request);
    if (!path || !overwriteAgreed(prompts, *path))
        return outcome;
    bool done = false;
    {
        BusyScope busy(prompts);
        done = static_cast<bool>(writeFileAtomically(*path, writing(produce())));
    }
    if (done) {
        prompts.inform(written);
        outcome.status = TransferOutcome::Status::Done;
    } else {
        prompts.warn(failed);
        outcome.status = TransferOutcome::Status::Failed;
    }
    return outcome;
}

// What an export command asks its file chooser for: a file to write, "Export >" on the button.
inline FileChooserRequest exportFileRequest(std::string title, std::string filter, std::string defaultExtension)
{
    return {.mode = FileChooserRequest::Mode::Save,
            .title = std::move(title),
            .filter = std::move(filter),
            .defaultExtension = std::move(defaultExtension),
            .confirmText = "Export >"};
}

// How an export of a table's records ends: `done` told and the `records` counted when the file was
// written, otherwise `failed` shown with `icon`.
inline void endExport(Prompts& prompts, bool written, int records, std::string_view done, MessageIcon icon,
                      std::string_view failed, TransferOutcome& outcome)
{
    if (written) {
        prompts.notify(done);
        outcome.status = TransferOutcome::Status::Done;
        outcome.added = records;
    } else {
        prompts.message(icon, MessageButtons::Ok, failed);
        outcome.status = TransferOutcome::Status::Failed;
    }
}

// What an import command asks its file chooser for: a file that exists, to read.
inline FileChooserRequest importFileRequest(std::string title, std::string filter, std::string confirmText,
                                            std::string defaultExtension = {})
{
    return {.mode = FileChooserRequest::Mode::Open,
            .title = std::move(title),
            .filter = std::move(filter),
            .defaultExtension = std::move(defaultExtension),
            .confirmText = std::move(confirmText),
            .mustExist = true};
}

// Opens and decodes the codeplug a command reads from; what its decoder has for the user is shown
// through `prompts`. When it does not open, `failure` is shown and the command has failed.
inline bool openOtherCodeplug(Codeplug& other, const std::string& path, Prompts& prompts, std::string_view failure,
                              TransferOutcome& outcome)
{
    const bool decoded = other.open(path) && other.decode();
    for (const auto& message : other.takeMessages())
        prompts.error(message);
    if (!decoded) {
        prompts.error(failure);
        outcome.status = TransferOutcome::Status::Failed;
    }
    return decoded;
}

// How an import command ends once its work is done: the messages it shows, in order, and what it
// reports back.
struct ImportEnding {
    TransferOutcome outcome;
    std::vector<std::pair<MessageIcon, std::string>> messages;
};

// The import could not be made: `why`, shown with `icon`, instead of a report.
inline ImportEnding importFailed(MessageIcon icon, std::string why,
                                 TransferOutcome::Status status = TransferOutcome::Status::Failed)
{
    return {.outcome = {.status = status}, .messages = {{icon, std::move(why)}}};
}

// A file that could not be opened: "0 records imported." would tell the user that it held nothing new.
inline ImportEnding unopenedFile(const std::string& path)
{
    return importFailed(MessageIcon::Warning, "File '" + path + "' could not be opened.");
}

// The import ran: `report` shown, and `counts` reported.
inline ImportEnding importDone(std::string report, TransferOutcome counts)
{
    counts.status = TransferOutcome::Status::Done;
    return {.outcome = counts, .messages = {{MessageIcon::Information, std::move(report)}}};
}

// Runs an import of the file `path` under the wait cursor, then shows how it ended. Without a file
// (the choice was refused or cancelled) the command ends with `outcome` as it stands.
template <typename Import>
TransferOutcome importFrom(const std::optional<std::string>& path, const TransferOutcome& outcome, Prompts& prompts,
                           Import&& import)
{
    if (!path)
        return outcome;
    ImportEnding ending;
    {
        BusyScope busy(prompts);
        ending = import();
    }
    for (const auto& [icon, text] : ending.messages)
        prompts.message(icon, MessageButtons::Ok, text);
    return ending.outcome;
}

} // namespace pw::transfer_commands

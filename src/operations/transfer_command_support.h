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

namespace pw::transfer_commands {

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
// declines the channel operations this codeplug's format offers only with a warning.
inline std::optional<std::string> chosenChannelImportFile(Codeplug& working, Prompts& prompts,
                                                          std::string_view openFirstMessage, TransferOutcome& outcome,
                                                          const FileChooserRequest& request)
{
    if (refusedWhenUnloaded(working, prompts, openFirstMessage, outcome))
        return std::nullopt;
    if (!channelOperationsOffered(working, prompts, "channel importing")) {
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

// Opens and decodes the codeplug a command reads from; what its decoder has for the user is shown
// through `prompts`.
inline bool openOtherCodeplug(Codeplug& other, const std::string& path, Prompts& prompts)
{
    const bool decoded = other.open(path) && other.decode();
    for (const auto& message : other.takeMessages())
        prompts.error(message);
    return decoded;
}

} // namespace pw::transfer_commands

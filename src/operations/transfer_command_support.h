// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces that the transfer commands (CSV files, merges, imports from another codeplug)
// share. Not part of the operations' interface.

#include "codeplug/codeplug.h"
#include "operations/transfer_outcome.h"
#include "platform/prompts.h"

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

// SPDX-License-Identifier: GPL-3.0-or-later
// delete-contacts and delete-channels: the Delete commands of the contact and channel lists, on
// the rows given, with their questions answered as the global options say.

#include "cli/commands.h"
#include "operations/record_commands.h"

#include <memory>

namespace pw::cli {
namespace {

struct DeleteArguments {
    std::string file;
    std::string rows;
};

using DeleteOperation = CommandResult (*)(Codeplug&, Prompts&, std::vector<int>);

void addDeleteCommand(CLI::App& app, CliSession& session, const char* name, const char* description,
                      const char* recordName, DeleteOperation operation, int (*tableSize)(const Codeplug&))
{
    auto args = std::make_shared<DeleteArguments>();
    auto* command = app.add_subcommand(name, description);
    addFileAndRowsArguments(*command, args->file, args->rows, "Rows of the list, numbered from 1, like 1,3,5-9");
    session.addOutputOption(*command);
    command->callback([&session, args, operation, tableSize, recordName] {
        auto& codeplug = session.openCodeplug(args->file);
        auto rows = tableRows(session, args->rows, tableSize(codeplug), recordName);
        const auto result = operation(codeplug, session.prompts(), std::move(rows));
        session.saveIfChanged(codeplug, args->file);
        if (result.refused)
            throw CommandExit{ExitFailed};
    });
}

} // namespace

void addDeleteContactsCommand(CLI::App& app, CliSession& session)
{
    addDeleteCommand(app, session, "delete-contacts", "Delete contacts as the contact list's Delete command does",
                     "contact", &deleteContacts, [](const Codeplug& codeplug) { return codeplug.contacts().count(); });
}

void addDeleteChannelsCommand(CLI::App& app, CliSession& session)
{
    addDeleteCommand(app, session, "delete-channels", "Delete channels as the channel list's Delete command does",
                     "channel", &deleteChannels, [](const Codeplug& codeplug) { return codeplug.channels().count(); });
}

} // namespace pw::cli
